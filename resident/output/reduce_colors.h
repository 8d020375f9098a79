#pragma once
// Colour reduction of a capture: the 256-, 16- or 2-colour device-independent
// bitmap that the reduced bitmap file is written from and that is drawn back
// over the picture.
#include <cstddef>
#include <cstdint>
#include <span>

#include "resident/common.h"
#include "resident/dib_info.h"

namespace vistrane {

// Bits per pixel of a reduced capture: ColorMode 2 gives 8, 3 gives 4, and
// any other reduced value 2 colours (1 bit), as the settings dialog shows it.
int ReducedBitCount(std::int16_t ColorMode);

// The record of the reduced depth (DibInfo256, DibInfo16 or DibInfo2) as one
// view: its header and its colour table.
struct ReducedDib {
  const DibHeader& header;
  std::span<const DibColour> colours;
};
ReducedDib ReducedDibOf(const Common& common);

// Converts the picture (top-down rows of width pixels, 0x00RRGGBB) to the
// depth of ColorMode: fills the chosen record's header and colour table,
// DibBits with the pixel rows (bottom row first, each padded to 4 bytes) and
// DibSize with their byte count. The other records are left as they were.
// Throws OutputError when the conversion would have no rows (an empty
// picture) or more bytes than a bitmap file can hold.
void ReduceColors(const std::uint32_t* topDownPixels, int width, int height, Common& common);

// Throws OutputError when DibBits does not hold the rows that the record of
// ColorMode's depth describes (no reduction ran at this depth for the current
// capture), so no broken file is ever written from them.
void RequireReducedRows(const Common& common);

// Empties DibBits and gives its memory back.
void EraseDibBits(Common& common) noexcept;

}  // namespace vistrane
