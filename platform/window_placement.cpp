#include "platform/window_placement.h"

#include <shellscalingapi.h>

#include <algorithm>

#include "platform/win32_error.h"

namespace vistrane {
namespace {

RECT WorkArea(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) ThrowLastError(L"GetMonitorInfoW");
  return info.rcWork;
}

// The monitor under the cursor; the primary one when the cursor cannot be
// asked (the point stays 0, 0).
HMONITOR CursorsMonitor() {
  POINT cursor{};
  GetCursorPos(&cursor);
  return MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY);
}

}  // namespace

POINT CursorMonitorCentre() {
  const RECT work = WorkArea(CursorsMonitor());
  return POINT{(work.left + work.right) / 2, (work.top + work.bottom) / 2};
}

CursorMonitor MonitorAtCursor() {
  const HMONITOR monitor = CursorsMonitor();
  UINT dpiX = 0;
  UINT dpiY = 0;
  const HRESULT asked = GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY);
  if (FAILED(asked)) throw Win32Error(static_cast<DWORD>(asked), L"GetDpiForMonitor");
  return CursorMonitor{monitor, dpiX};
}

ScreenRect CentredFrame(HMONITOR monitor, PixelSize client, DWORD style, DWORD exStyle, UINT dpi) {
  RECT frame{0, 0, client.width, client.height};
  if (!AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi)) {
    ThrowLastError(L"AdjustWindowRectExForDpi");
  }
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const RECT work = WorkArea(monitor);
  // Centred, or at the work area's start where the window is the larger.
  const int left = work.left + std::max(0L, (work.right - work.left - width) / 2);
  const int top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
  return ScreenRect{left, top, left + width, top + height};
}

void CentreOnWorkArea(HWND window, PixelSize client, HWND insertAfter, UINT flags) {
  const ScreenRect frame =
      CentredFrame(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), client,
                   static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                   static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)),
                   GetDpiForWindow(window));
  if (!SetWindowPos(window, insertAfter, frame.left, frame.top, frame.right - frame.left,
                    frame.bottom - frame.top, flags | SWP_NOACTIVATE)) {
    ThrowLastError(L"SetWindowPos");
  }
}

void FollowDpiChange(HWND window, const RECT& suggested) {
  if (!SetWindowPos(window, nullptr, suggested.left, suggested.top,
                    suggested.right - suggested.left, suggested.bottom - suggested.top,
                    SWP_NOZORDER | SWP_NOACTIVATE)) {
    ThrowLastError(L"SetWindowPos");
  }
}

}  // namespace vistrane
