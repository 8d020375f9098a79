#include "tools/common/test_pattern.h"

#include <vector>

#include "platform/top_down_dib.h"
#include "platform/win32_error.h"

namespace vistrane::tools {

Rgb TestPatternPixel(int x, int y) {
  return Rgb{static_cast<std::uint8_t>(x * 3 + y),
             static_cast<std::uint8_t>(x ^ (y * 5)),
             static_cast<std::uint8_t>((x / 8 + y / 8) * 37)};
}

void DrawTestPattern(HDC dc, int width, int height) {
  // A top-down 32-bit DIB: one pixel is 0x00RRGGBB.
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgb c = TestPatternPixel(x, y);
      pixels[static_cast<std::size_t>(y) * width + x] =
          (std::uint32_t{c.red} << 16) | (std::uint32_t{c.green} << 8) | c.blue;
    }
  }
  BITMAPINFO info = TopDown32BitInfo(width, height);
  const int lines = SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels.data(),
                                      &info, DIB_RGB_COLORS);
  if (lines != height) ThrowLastError(L"SetDIBitsToDevice");
}

}  // namespace vistrane::tools
