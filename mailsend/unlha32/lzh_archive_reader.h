#pragma once
// The members of an existing LHA archive, found by walking its headers, so
// that an update can keep the members it does not replace byte for byte.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vistrane {

struct ArchiveMemberSpan {
  std::size_t offset = 0;  // header start
  std::size_t size = 0;    // header and data
  std::string key;         // folders and name joined with '\', as MemberKey
};

// Members in archive order, up to the end mark (a 0 byte) or the end of the
// bytes. Headers of levels 0, 1 and 2 are read. Throws ArchiveError
// (kFileError) when the bytes are not such an archive, so that nothing is
// built on a misread.
std::vector<ArchiveMemberSpan> ListArchiveMembers(std::span<const std::uint8_t> archive);

}  // namespace vistrane
