#include "resident/output/print_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vistrane {
namespace {

// Nearest whole twip, halves to the even neighbour.
std::int32_t RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;
  double rounded = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1.0;
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(rounded, kMin, kMax));
}

// Both directions need zooming the same way: the one with the larger ratio
// decides; equal ratios fit the height.
ZoomDecision ByRatio(float SW, float SH, float availableWidth, float availableHeight) {
  const float widthRatio = SW / availableWidth;
  const float heightRatio = SH / availableHeight;
  return heightRatio < widthRatio ? ZoomDecision::FitWidth : ZoomDecision::FitHeight;
}

ZoomDecision DecideZoom(const PrintLayoutInput& in) {
  const float availableWidth = static_cast<float>(in.PW - kPrintWidthAllowance);
  const float availableHeight = static_cast<float>(in.PH - kPrintHeightAllowance);
  ZoomDecision zoom = ZoomDecision::None;
  if (in.ZoomMode == 1 || in.ZoomMode == 3) {
    const bool tooWide = availableWidth < in.SW;
    const bool tooHigh = availableHeight < in.SH;
    if (tooWide && tooHigh) {
      zoom = ByRatio(in.SW, in.SH, availableWidth, availableHeight);
    } else if (tooWide) {
      zoom = ZoomDecision::FitWidth;
    } else if (tooHigh) {
      zoom = ZoomDecision::FitHeight;
    }
  }
  // Only a picture strictly smaller both ways is enlarged, so in mode 3 this
  // never overrides a shrink.
  if ((in.ZoomMode == 2 || in.ZoomMode == 3) && availableWidth > in.SW &&
      availableHeight > in.SH) {
    zoom = ByRatio(in.SW, in.SH, availableWidth, availableHeight);
  }
  return zoom;
}

// Left/top (1 or less), centre (2) or right/bottom (above 2) in the room
// left by the allowance; a picture as large as the whole printable extent
// stays at the offset.
std::int32_t Place(std::int16_t placement, double printable, std::int32_t allowance,
                   std::int32_t drawn, std::int32_t offset) {
  if (placement <= 1 || !(printable > drawn)) return offset;
  const double room = printable - allowance - drawn;
  return RoundHalfEven(placement == 2 ? room / 2.0 : room);
}

}  // namespace

PaperOrientation ChoosePaperOrientation(std::int16_t Orientation, float pictureWidth,
                                        float pictureHeight) {
  if (Orientation == 0) {
    return pictureWidth >= pictureHeight ? PaperOrientation::Landscape : PaperOrientation::Portrait;
  }
  return Orientation == 1 ? PaperOrientation::Landscape : PaperOrientation::Portrait;
}

std::optional<PrintLayout> ComputePrintLayout(const PrintLayoutInput& in) {
  if (!(in.PW > kPrintWidthAllowance) || !(in.PH > kPrintHeightAllowance)) return std::nullopt;
  if (!(in.SW > 0) || !(in.SH > 0)) return std::nullopt;
  PrintLayout layout;
  layout.zoom = DecideZoom(in);
  const double availableWidth = in.PW - kPrintWidthAllowance;
  const double availableHeight = in.PH - kPrintHeightAllowance;
  switch (layout.zoom) {
    case ZoomDecision::FitWidth:
      layout.DW = RoundHalfEven(availableWidth);
      layout.DH = RoundHalfEven(availableWidth / in.SW * in.SH);
      break;
    case ZoomDecision::FitHeight:
      layout.DH = RoundHalfEven(availableHeight);
      layout.DW = RoundHalfEven(availableHeight / in.SH * in.SW);
      break;
    case ZoomDecision::None:
      layout.DW = RoundHalfEven(in.SW);
      layout.DH = RoundHalfEven(in.SH);
      break;
  }
  layout.X = Place(in.PrtYokoHaichi, in.PW, kPrintWidthAllowance, layout.DW, kPrintLeftOffset);
  layout.Y = Place(in.PrtTateHaichi, in.PH, kPrintHeightAllowance, layout.DH, kPrintTopOffset);
  return layout;
}

int HeaderFontEmPixels(int dpiY, double lineHeightPerEm, int lines) {
  // A line of the final font may be a device row higher than its share of
  // the measured height, which rounds.
  const double room = static_cast<double>(kPrintTopOffset) * dpiY / 1440.0 - lines;
  const double ems = room / ((lines + kHeaderGapLines) * lineHeightPerEm);
  return std::max(1, static_cast<int>(std::floor(ems)));
}

}  // namespace vistrane
