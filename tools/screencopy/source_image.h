#pragma once
// The bitmaps screencopy puts on the clipboard: copies of the screen as it is
// shown, or the test pattern.
#include <windows.h>

#include "platform/unique_handle.h"

namespace vistrane::tools {

// A device-dependent bitmap compatible with the screen, selected into no DC.
// Each throws Win32Error.
UniqueHbitmap CopyWholeScreen();
// The foreground window's rectangle clamped to the screen. Throws
// std::runtime_error when there is no foreground window.
UniqueHbitmap CopyForegroundWindow();
UniqueHbitmap MakePatternBitmap(int width, int height);

}  // namespace vistrane::tools
