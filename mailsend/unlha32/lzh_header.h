#pragma once
// The level-2 header that starts each file in an LHA archive.
#include <cstdint>
#include <string>
#include <vector>

namespace vistrane {

// A name as the archive keeps it, in the bytes it stores: folder names from
// the outermost, then the file's own name.
struct StoredName {
  std::vector<std::string> folders;
  std::string file;
};

struct LzhHeaderFields {
  std::string method;  // "-lh5-" or "-lh0-"
  std::uint32_t compressedSize = 0;
  std::uint32_t originalSize = 0;
  std::uint32_t modifiedUnixTime = 0;  // UTC seconds since 1970
  std::uint16_t dataCrc = 0;
  StoredName name;
};

// The header bytes: the fixed part, then the extended headers (header CRC,
// file name, folder name when there is one). Throws ArchiveError when a name
// does not fit the 16-bit header size.
std::vector<std::uint8_t> WriteLevel2Header(const LzhHeaderFields& fields);

}  // namespace vistrane
