#include "mailsend/unlha32/lzh_archive_reader.h"

#include "mailsend/unlha32/archive_error.h"
#include "shared/little_endian.h"

namespace vistrane {
namespace {

constexpr std::size_t kLevel01NameAt = 22;
constexpr std::size_t kLevel2FixedSize = 26;

[[noreturn]] void NotAnArchive(const wchar_t* what) {
  throw ArchiveError(
      UnlhaStatus::kFileError,
      std::wstring(L"既存の書庫が壊れているか、LHA の書庫ではありません（") + what + L"）。");
}

struct ExtendedNames {
  std::string file;
  std::string folder;
  bool hasFile = false;
};

// Walks extended headers from `at` while each lies before `limit`; the first
// one's size is `size`. Each header: type byte, data, size of the next.
ExtendedNames ReadExtended(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t size,
                           std::size_t limit) {
  ExtendedNames names;
  while (size != 0) {
    if (size < 3 || size > limit - at) NotAnArchive(L"拡張ヘッダが範囲外にあります");
    const std::uint8_t type = bytes[at];
    const auto* data = reinterpret_cast<const char*>(bytes.data() + at + 1);
    const std::size_t dataSize = size - 3;
    if (type == 0x01) {
      names.file.assign(data, dataSize);
      names.hasFile = true;
    } else if (type == 0x02) {
      names.folder.assign(data, dataSize);
    }
    at += size;
    size = GetU16(bytes.data() + at - 2);
  }
  return names;
}

// '\', '/' and 0xFF all separate folders in stored names.
std::string NormalisedKey(std::string folder, const std::string& file) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/' && folder.back() != '\xFF')
    folder += '\\';
  std::string key = folder + file;
  for (char& c : key)
    if (c == '/' || c == '\xFF') c = '\\';
  return key;
}

}  // namespace

std::vector<ArchiveMemberSpan> ListArchiveMembers(std::span<const std::uint8_t> archive) {
  std::vector<ArchiveMemberSpan> members;
  std::size_t at = 0;
  while (at < archive.size() && archive[at] != 0) {
    const std::uint8_t* header = archive.data() + at;
    const std::size_t left = archive.size() - at;
    if (left <= kLevel01NameAt) NotAnArchive(L"ヘッダが途中で切れています");
    if (header[2] != '-' || header[6] != '-') NotAnArchive(L"ヘッダに圧縮方法がありません");
    const std::size_t compressed = GetU32(header + 7);
    ArchiveMemberSpan member;
    member.offset = at;
    std::size_t headerSize = 0;
    switch (header[20]) {
      case 0:
      case 1: {
        headerSize = std::size_t{header[0]} + 2;
        const std::size_t nameSize = header[21];
        // name, then the data CRC; level 1 adds the OS byte and the size
        // of the first extended header
        const std::size_t fixed = kLevel01NameAt + nameSize + (header[20] == 1 ? 5 : 2);
        if (headerSize > left || fixed > headerSize) NotAnArchive(L"ヘッダが範囲外にあります");
        ExtendedNames names;
        if (header[20] == 1) {
          if (compressed > left - headerSize) NotAnArchive(L"データが範囲外にあります");
          names = ReadExtended(archive, at + headerSize, GetU16(header + headerSize - 2),
                               at + headerSize + compressed);
        }
        const std::string baseName(reinterpret_cast<const char*>(header + kLevel01NameAt),
                                   nameSize);
        member.key = NormalisedKey(names.folder, names.hasFile ? names.file : baseName);
        break;
      }
      case 2: {
        headerSize = GetU16(header);
        if (headerSize < kLevel2FixedSize || headerSize > left)
          NotAnArchive(L"ヘッダが範囲外にあります");
        const ExtendedNames names =
            ReadExtended(archive, at + kLevel2FixedSize, GetU16(header + 24), at + headerSize);
        if (!names.hasFile) NotAnArchive(L"名前のないファイルがあります");
        member.key = NormalisedKey(names.folder, names.file);
        break;
      }
      default:
        NotAnArchive(L"対応していないヘッダレベルです");
    }
    if (compressed > left - headerSize) NotAnArchive(L"データが範囲外にあります");
    member.size = headerSize + compressed;
    members.push_back(std::move(member));
    at += members.back().size;
  }
  return members;
}

}  // namespace vistrane
