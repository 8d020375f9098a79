#include "resident/capture/image_check.h"

#include <algorithm>
#include <cstdint>

namespace vistrane {
namespace {

bool SameSize(PixelSize a, PixelSize b) { return a.width == b.width && a.height == b.height; }

// Only the left and top that lie before the screen and the right and bottom
// that lie past it are moved; 64 bits keep the differences of any 32-bit
// coordinates exact.
bool MatchesClampedRect(PixelSize image, PixelSize screen, const ScreenRect& rect) {
  const std::int64_t left = std::max(rect.left, 0);
  const std::int64_t top = std::max(rect.top, 0);
  const std::int64_t right = std::min(rect.right, screen.width);
  const std::int64_t bottom = std::min(rect.bottom, screen.height);
  return image.width == right - left && image.height == bottom - top;
}

}  // namespace

ImageVerdict CheckCapturedImage(const ImageCheckInput& input) {
  const bool accepted = !input.ownerIsZero || !input.foreground ||
                        SameSize(input.image, input.screen) ||
                        SameSize(input.image, input.virtualScreen) ||
                        MatchesClampedRect(input.image, input.screen, *input.foreground);
  return accepted ? ImageVerdict::Accept : ImageVerdict::Reject;
}

}  // namespace vistrane
