#pragma once
// Sizes and rectangles in screen pixels: one definition for the core's image
// check and the platform layer that measures the screen and its windows.
namespace vistrane {

struct PixelSize {
  int width = 0;
  int height = 0;
};

// A rectangle in screen pixels, right and bottom exclusive, as GetWindowRect
// reports a window (it can reach past the screen edges).
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

}  // namespace vistrane
