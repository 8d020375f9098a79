#pragma once
// The reduced-colour bitmap file (8, 4 or 1 bits per pixel), built from the
// records that the colour reduction left in Common.
#include <cstdint>
#include <vector>

#include "resident/common.h"

namespace vistrane {

// Everything before the pixel rows: the 14-byte file header ("BM", file size
// = DibSize + pixel offset, two zero words, pixel offset 1078, 118 or 62) and
// the information block of ColorMode's depth, each field little-endian. The
// file is these bytes followed by DibBits. Throws OutputError when DibBits
// does not hold the rows that record describes (RequireReducedRows).
std::vector<std::uint8_t> ReducedBitmapFileHeaders(const Common& common);

}  // namespace vistrane
