#pragma once
// Twips (1/1440 inch), the unit the forms and the printed page are designed
// in, as pixels at a DPI.
namespace vistrane {

// A rectangle as left, top, width, height, in twips or in pixels.
struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool operator==(const Box&) const = default;
};

// The one rounding rule: to the nearest pixel, halves away from zero (as
// MulDiv rounds), in integers so that a half pixel never depends on a quotient.
constexpr int TwipsToPixels(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>((scaled + (scaled < 0 ? -720 : 720)) / 1440);
}

constexpr Box ToPixels(const Box& twips, int dpiX, int dpiY) {
  return Box{TwipsToPixels(twips.left, dpiX), TwipsToPixels(twips.top, dpiY),
             TwipsToPixels(twips.width, dpiX), TwipsToPixels(twips.height, dpiY)};
}

}  // namespace vistrane
