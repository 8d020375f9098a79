#include "mailsend/unlha32/lzh_header.h"

#include <span>

#include "mailsend/unlha32/archive_error.h"
#include "mailsend/unlha32/crc16.h"
#include "shared/little_endian.h"

namespace vistrane {
namespace {

constexpr std::uint8_t kCommonHeader = 0x00;
constexpr std::uint8_t kFileNameHeader = 0x01;
constexpr std::uint8_t kFolderNameHeader = 0x02;
constexpr std::uint8_t kFolderSeparator = 0xFF;
constexpr std::uint8_t kArchiveAttribute = 0x20;
constexpr std::uint8_t kOsWindowsNt = 'W';

// Opens one extended header: its size (type byte, data, and the size field
// of the header after it), then its type.
void BeginExtended(std::vector<std::uint8_t>& header, std::uint8_t type, std::size_t dataSize) {
  const std::size_t size = 1 + dataSize + 2;
  if (size > 0xFFFF)
    throw ArchiveError(UnlhaStatus::kBadCommand, L"格納する名前が LHA のヘッダには長すぎます。");
  PutU16(header, static_cast<std::uint32_t>(size));
  header.push_back(type);
}

}  // namespace

std::vector<std::uint8_t> WriteLevel2Header(const LzhHeaderFields& fields) {
  std::vector<std::uint8_t> header;
  PutU16(header, 0);  // total size, known at the end
  for (const char c : fields.method) header.push_back(static_cast<std::uint8_t>(c));
  PutU32(header, fields.compressedSize);
  PutU32(header, fields.originalSize);
  PutU32(header, fields.modifiedUnixTime);
  header.push_back(kArchiveAttribute);
  header.push_back(2);
  PutU16(header, fields.dataCrc);
  header.push_back(kOsWindowsNt);

  BeginExtended(header, kCommonHeader, 2);
  const std::size_t headerCrcAt = header.size();
  PutU16(header, 0);  // CRC of the whole header, computed over zeros here
  BeginExtended(header, kFileNameHeader, fields.name.file.size());
  header.insert(header.end(), fields.name.file.begin(), fields.name.file.end());
  if (!fields.name.folders.empty()) {
    std::string folder;
    for (const std::string& part : fields.name.folders) {
      folder += part;
      folder += static_cast<char>(kFolderSeparator);
    }
    BeginExtended(header, kFolderNameHeader, folder.size());
    header.insert(header.end(), folder.begin(), folder.end());
  }
  PutU16(header, 0);  // no further extended header
  // A total size whose low byte is 0 would make the first byte 0, which
  // readers take for the end of the archive: one byte of padding avoids it.
  if ((header.size() & 0xFF) == 0) header.push_back(0);
  if (header.size() > 0xFFFF)
    throw ArchiveError(UnlhaStatus::kBadCommand, L"格納する名前が LHA のヘッダには長すぎます。");

  SetU16(header.data(), static_cast<std::uint32_t>(header.size()));
  SetU16(header.data() + headerCrcAt, Crc16(header));
  return header;
}

}  // namespace vistrane
