#pragma once
// One capture as the outputs take it: the picture's pixels and, when the
// settings ask for fewer colours, the reduced image.
#include <cstdint>
#include <optional>
#include <vector>

#include "resident/output/bmp_file.h"

namespace vistrane {

// Top-down rows of width pixels, 0x00RRGGBB each, no padding between rows.
// The memory belongs to whoever holds the picture; the colour reduction
// draws the reduced colours into it.
struct Picture {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

// The capture at 8, 4 or 1 bits per pixel: the information header of its
// bitmap file, the colour table (256, 16 or 2 entries) and the pixel rows
// (bottom row first, each padded to 4 bytes; header.biSizeImage bytes).
struct ReducedImage {
  DibHeader header{};
  std::vector<DibColour> colours;
  std::vector<std::uint8_t> rows;
};

struct Capture {
  Picture picture;
  std::optional<ReducedImage> reduced;
};

}  // namespace vistrane
