#pragma once
// The screen as the capture check and the unit conversions see it.
#include <optional>

#include "shared/pixel_geometry.h"

namespace vistrane {

// The primary screen in pixels.
PixelSize PrimaryScreenSize();

// The bounding rectangle of all monitors, in pixels; left and top can be
// negative.
ScreenRect VirtualScreenRect();

// Twips (1/1440 inch) per screen pixel: 1440 / the screen's logical dots per
// inch (15 at 96 dpi). Throws Win32Error when the screen cannot be asked.
double TwipsPerPixelX();
double TwipsPerPixelY();

// The foreground window's rectangle in screen pixels, as GetWindowRect
// reports it (it may reach beyond the screen); nullopt when no window is in
// the foreground or its rectangle cannot be read.
std::optional<ScreenRect> ForegroundWindowRect();

}  // namespace vistrane
