#pragma once
// Where the program's windows go: on one monitor, at the DPI GetDpiForWindow
// gives (that monitor's), centred on its work area. Throws Win32Error.
#include <windows.h>

#include "shared/pixel_geometry.h"

namespace vistrane {

// The centre of the cursor's monitor's work area (the primary monitor's when the
// cursor cannot be asked): a window created there opens on that monitor.
POINT CursorMonitorCentre();

// The cursor's monitor (the primary one when the cursor cannot be asked) and
// its DPI, for a window to be made there in its place.
struct CursorMonitor {
  HMONITOR monitor;
  UINT dpi;
};
CursorMonitor MonitorAtCursor();

// The frame of a window of these styles with a client area of `client`
// pixels at `dpi`, centred on the monitor's work area, the top-left corner
// kept inside.
ScreenRect CentredFrame(HMONITOR monitor, PixelSize client, DWORD style, DWORD exStyle, UINT dpi);

// Sizes the window for a client area of `client` pixels at its DPI and centres
// it on its monitor's work area, as CentredFrame. SetWindowPos gets
// `insertAfter` and `flags` and never activates the window.
void CentreOnWorkArea(HWND window, PixelSize client, HWND insertAfter, UINT flags);

// On WM_DPICHANGED: the window in the rectangle the system suggests.
void FollowDpiChange(HWND window, const RECT& suggested);

}  // namespace vistrane
