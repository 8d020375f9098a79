#pragma once
// Where the program's windows go: on one monitor, at the DPI GetDpiForWindow
// gives (that monitor's), centred on its work area. Throws Win32Error.
#include <windows.h>

#include "shared/pixel_geometry.h"

namespace vistrane {

// The centre of the cursor's monitor's work area (the primary monitor's when the
// cursor cannot be asked): a window created there opens on that monitor.
POINT CursorMonitorCentre();

// Sizes the window for a client area of `client` pixels at its DPI and centres
// it on its monitor's work area, the top-left corner kept inside. SetWindowPos
// gets `insertAfter` and `flags` and never activates the window.
void CentreOnWorkArea(HWND window, PixelSize client, HWND insertAfter, UINT flags);

// On WM_DPICHANGED: the window in the rectangle the system suggests.
void FollowDpiChange(HWND window, const RECT& suggested);

}  // namespace vistrane
