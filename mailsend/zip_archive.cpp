#include "mailsend/zip_archive.h"

#include <zlib.h>

#include <string>

#include "mailsend/archiver.h"
#include "mailsend/mime_encoding.h"
#include "shared/little_endian.h"

namespace vistrane {
namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfCentralDirectory = 0x06054b50;
constexpr std::uint16_t kVersionNeeded = 20;  // deflate
constexpr std::uint16_t kVersionMadeBy = 63;  // 6.3, where the UTF-8 flag is defined; FAT
constexpr std::uint16_t kUtf8Name = 1u << 11;
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint32_t kArchiveAttribute = 0x20;

// Without the 64-bit extension sizes and offsets are 32 bits, 0xFFFFFFFF
// being reserved for it.
constexpr std::size_t kLargestSize = 0xFFFFFFFEu;
constexpr wchar_t kTooLarge[] = L"画像ファイルが大きすぎるので、ＺＩＰで圧縮できません。";

// MS-DOS date and time, the format of the modification fields: two-second
// steps from 1980.
std::uint16_t DosTime(const LocalDateTime& t) {
  return static_cast<std::uint16_t>(t.hour << 11 | t.minute << 5 | t.second / 2);
}
std::uint16_t DosDate(const LocalDateTime& t) {
  const int year = t.year < 1980 ? 0 : t.year - 1980;
  return static_cast<std::uint16_t>(year << 9 | t.month << 5 | t.day);
}

std::vector<std::uint8_t> Deflated(std::span<const std::uint8_t> data) {
  z_stream stream{};
  // Raw deflate (negative window bits): the ZIP headers carry the checks.
  if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    throw ArchiveFailed(L"ＺＩＰの圧縮を始められませんでした。");
  }
  std::vector<std::uint8_t> out(deflateBound(&stream, static_cast<uLong>(data.size())));
  stream.next_in = const_cast<Bytef*>(data.data());
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END) throw ArchiveFailed(L"ＺＩＰの圧縮に失敗しました。");
  return out;
}

// The fields the local and the central header share, from "version needed".
void PutCommonFields(std::vector<std::uint8_t>& out, const LocalDateTime& modified,
                     std::uint32_t crc, std::size_t packedSize, std::size_t size,
                     std::size_t nameSize) {
  PutU16(out, kVersionNeeded);
  PutU16(out, kUtf8Name);
  PutU16(out, kDeflated);
  PutU16(out, DosTime(modified));
  PutU16(out, DosDate(modified));
  PutU32(out, crc);
  PutU32(out, static_cast<std::uint32_t>(packedSize));
  PutU32(out, static_cast<std::uint32_t>(size));
  PutU16(out, static_cast<std::uint32_t>(nameSize));
  PutU16(out, 0);  // no extra field
}

}  // namespace

std::vector<std::uint8_t> ZipOneFile(std::wstring_view name, std::span<const std::uint8_t> data,
                                     const LocalDateTime& modified) {
  if (data.size() > kLargestSize) throw ArchiveFailed(kTooLarge);
  const std::string utf8Name = Utf8(name);
  const auto crc = static_cast<std::uint32_t>(
      crc32(crc32(0, nullptr, 0), data.data(), static_cast<uInt>(data.size())));
  const std::vector<std::uint8_t> packed = Deflated(data);

  std::vector<std::uint8_t> zip;
  zip.reserve(packed.size() + 2 * utf8Name.size() + 128);
  PutU32(zip, kLocalHeader);
  PutCommonFields(zip, modified, crc, packed.size(), data.size(), utf8Name.size());
  zip.insert(zip.end(), utf8Name.begin(), utf8Name.end());
  zip.insert(zip.end(), packed.begin(), packed.end());

  const std::size_t directoryAt = zip.size();
  PutU32(zip, kCentralHeader);
  PutU16(zip, kVersionMadeBy);
  PutCommonFields(zip, modified, crc, packed.size(), data.size(), utf8Name.size());
  PutU16(zip, 0);  // no comment
  PutU16(zip, 0);  // disk 0
  PutU16(zip, 0);  // internal attributes
  PutU32(zip, kArchiveAttribute);
  PutU32(zip, 0);  // the local header's offset
  zip.insert(zip.end(), utf8Name.begin(), utf8Name.end());
  const std::size_t directorySize = zip.size() - directoryAt;
  if (zip.size() > kLargestSize) throw ArchiveFailed(kTooLarge);  // the directory's offset

  PutU32(zip, kEndOfCentralDirectory);
  PutU16(zip, 0);  // this disk
  PutU16(zip, 0);  // the disk with the directory
  PutU16(zip, 1);  // entries on this disk
  PutU16(zip, 1);  // entries in all
  PutU32(zip, static_cast<std::uint32_t>(directorySize));
  PutU32(zip, static_cast<std::uint32_t>(directoryAt));
  PutU16(zip, 0);  // no comment
  return zip;
}

}  // namespace vistrane
