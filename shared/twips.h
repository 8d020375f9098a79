#pragma once
// Twips (1/1440 inch), the unit the forms are designed in, and their pixels at
// a DPI: one rounding rule for every window.
namespace vistrane {

// A rectangle as left, top, width, height, in twips or in pixels.
struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool operator==(const Box&) const = default;
};

// Twips to whole pixels at `dpi` dots per inch, halves rounded away from zero
// (as MulDiv rounds). Integer arithmetic: a design value that lands on a half
// pixel always rounds the same way.
constexpr int TwipsToPixels(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>((scaled + (scaled < 0 ? -720 : 720)) / 1440);
}

// A box in twips as whole pixels, each axis at its own DPI.
constexpr Box ToPixels(const Box& twips, int dpiX, int dpiY) {
  return Box{TwipsToPixels(twips.left, dpiX), TwipsToPixels(twips.top, dpiY),
             TwipsToPixels(twips.width, dpiX), TwipsToPixels(twips.height, dpiY)};
}

}  // namespace vistrane
