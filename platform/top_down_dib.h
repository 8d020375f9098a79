#pragma once
// The bitmap header of a 32-bit top-down DIB: one pixel is 0x00RRGGBB and the
// first row is the top one, as screen copies are read and drawn.
#include <windows.h>

namespace vistrane {

inline BITMAPINFO TopDown32BitInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: first row at the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace vistrane
