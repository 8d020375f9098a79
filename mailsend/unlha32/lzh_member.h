#pragma once
// One file as an archive member: its level-2 header and its data.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "mailsend/unlha32/lzh_header.h"

namespace vistrane {

// -lh5- when that is smaller than the file, else the bytes stored as they
// are (-lh0-), as for an empty file. Throws ArchiveError for a file of 4 GiB
// or more, which the header's 32-bit sizes cannot describe.
std::vector<std::uint8_t> PackMember(const StoredName& name, std::span<const std::uint8_t> data,
                                     std::int64_t modifiedUnixTime);

// The name members are matched by: folders and file joined with '\'.
std::string MemberKey(const StoredName& name);

}  // namespace vistrane
