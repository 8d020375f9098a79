#pragma once
// Where the captured picture goes on the printed page: the paper orientation,
// the automatic zoom and the placement, all in twips (1/1440 inch).
#include <cstdint>
#include <optional>

namespace vistrane {

enum class PaperOrientation { Portrait, Landscape };

// Orientation 1 is landscape, 0 chooses by the picture's shape (not higher
// than wide: landscape), every other value is portrait.
PaperOrientation ChoosePaperOrientation(std::int16_t Orientation, float pictureWidth,
                                        float pictureHeight);

// The zoom decision: none, fit to the width ("W") or fit to the height ("H").
enum class ZoomDecision { None, FitWidth, FitHeight };

// The picture stays this far from the printable area's left and top edges
// unless it is placed otherwise.
inline constexpr std::int32_t kPrintLeftOffset = 300;
inline constexpr std::int32_t kPrintTopOffset = 370;
// Taken off the printable width and height wherever the picture is fitted or
// placed: the room of the margins and the header line.
inline constexpr std::int32_t kPrintWidthAllowance = 600;
inline constexpr std::int32_t kPrintHeightAllowance = 740;

// The em height in device pixels of the header's font, whose lines are
// lineHeightPerEm ems apart: the largest that lets `lines` lines and a white
// gap of kHeaderGapLines end above kPrintTopOffset at dpiY. The gap keeps the
// text clear of a picture placed at the top whatever face the system gives
// and wherever its ink sits in the line; at least 1.
inline constexpr double kHeaderGapLines = 0.25;
int HeaderFontEmPixels(int dpiY, double lineHeightPerEm, int lines);

struct PrintLayoutInput {
  std::int16_t ZoomMode = 0;       // 1 shrink, 2 enlarge, 3 both, else neither
  std::int16_t PrtYokoHaichi = 1;  // 1 left, 2 centre, above 2 right
  std::int16_t PrtTateHaichi = 1;  // 1 top, 2 centre, above 2 bottom
  float SW = 0;                    // the picture's size in twips
  float SH = 0;
  double PW = 0;                   // the printable area in twips, in the chosen orientation
  double PH = 0;
};

struct PrintLayout {
  ZoomDecision zoom = ZoomDecision::None;
  std::int32_t X = kPrintLeftOffset;  // may be negative: the page clips the picture
  std::int32_t Y = kPrintTopOffset;
  std::int32_t DW = 0;
  std::int32_t DH = 0;

  bool operator==(const PrintLayout&) const = default;
};

// Fits and places the picture. nullopt when the printable area is not wider
// than the width allowance or not higher than the height allowance (nothing
// can be fitted there), or when the picture is empty.
std::optional<PrintLayout> ComputePrintLayout(const PrintLayoutInput& in);

}  // namespace vistrane
