#pragma once
// Where the program's windows go: each on one monitor, drawn at that
// monitor's DPI and centred on its work area. A window takes the DPI of the
// monitor it is on, so it is created on the monitor where it is to show.
#include <windows.h>

#include "shared/pixel_geometry.h"

namespace vistrane {

// The centre of the work area of the monitor under the cursor: a window
// created there opens on that monitor. Throws Win32Error.
POINT CursorMonitorCentre();

// The DPI `window` is drawn at: that of the monitor it is on. Throws
// Win32Error.
UINT WindowDpi(HWND window);

// The outer size of `window`, for its styles and DPI, around a client area of
// `client` pixels. Throws Win32Error.
PixelSize WindowSizeFor(HWND window, PixelSize client);

// Sizes `window` for a client area of `client` pixels and centres it on the
// work area of its monitor; a window larger than the work area keeps its top
// left corner inside it. `insertAfter` and `flags` go to SetWindowPos, which
// never activates the window here. Throws Win32Error.
void CentreOnWorkArea(HWND window, PixelSize client, HWND insertAfter, UINT flags);

}  // namespace vistrane
