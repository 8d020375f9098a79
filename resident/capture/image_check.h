#pragma once
// Whether a captured bitmap is a copy of the whole screen or of the window in
// front, the only images the screen-copy key produces.
#include <optional>

#include "shared/pixel_geometry.h"

namespace vistrane {

struct ImageCheckInput {
  PixelSize image;
  bool ownerIsZero = true;     // false: the desktop window owns the clipboard
  PixelSize screen;            // the primary screen
  PixelSize virtualScreen;     // all monitors together
  std::optional<ScreenRect> foreground;  // absent: no foreground window or no rectangle
};

enum class ImageVerdict { Accept, Reject };

// A desktop-owned bitmap and a capture without a foreground rectangle pass
// unchecked. Otherwise the image must have the size of the screen, of the
// virtual screen (the key copies every monitor on a multi-monitor desktop), or
// of the foreground window's rectangle clamped to the screen (a maximised
// window reaches past the screen edges by its frame).
ImageVerdict CheckCapturedImage(const ImageCheckInput& input);

}  // namespace vistrane
