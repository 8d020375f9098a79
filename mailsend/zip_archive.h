#pragma once
// A ZIP archive of one file, for recipients whose systems open ZIP but not
// LHA: deflated, its name in UTF-8 (the language-encoding flag), sizes and
// CRC-32 in the local header (no data descriptor).
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "shared/clock.h"

namespace vistrane {

// Throws ArchiveFailed when the file is too large for a ZIP archive without
// its 64-bit extension, or when deflating fails.
std::vector<std::uint8_t> ZipOneFile(std::wstring_view name, std::span<const std::uint8_t> data,
                                     const LocalDateTime& modified);

}  // namespace vistrane
