#pragma once
// A deterministic, colourful picture for the tests: every pixel's colour is a
// function of its position, so any copy of it can be checked pixel by pixel
// and no two nearby regions look alike.
#include <windows.h>

#include <cstdint>

namespace vistrane::tools {

struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

Rgb TestPatternPixel(int x, int y);

// Paints the pattern into the rectangle (0, 0, width, height) of a device
// context. Throws Win32Error when the drawing fails.
void DrawTestPattern(HDC dc, int width, int height);

}  // namespace vistrane::tools
