#include "platform/window_placement.h"

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

// Where a centred length starts: inside [from, from + room), at its start when
// it does not fit.
int Centred(int from, int room, int length) { return from + std::max(0, (room - length) / 2); }

}  // namespace

POINT CursorMonitorCentre() {
  // A cursor that cannot be asked (a secure desktop) leaves (0, 0), a point
  // of the primary monitor.
  POINT cursor{};
  GetCursorPos(&cursor);
  const RECT work = WorkArea(MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY));
  return POINT{(work.left + work.right) / 2, (work.top + work.bottom) / 2};
}

UINT WindowDpi(HWND window) {
  const UINT dpi = GetDpiForWindow(window);
  if (dpi == 0) throw Win32Error(ERROR_INVALID_WINDOW_HANDLE, L"GetDpiForWindow");
  return dpi;
}

PixelSize WindowSizeFor(HWND window, PixelSize client) {
  RECT frame{0, 0, client.width, client.height};
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  if (!AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, WindowDpi(window))) {
    ThrowLastError(L"AdjustWindowRectExForDpi");
  }
  return PixelSize{frame.right - frame.left, frame.bottom - frame.top};
}

void CentreOnWorkArea(HWND window, PixelSize client, HWND insertAfter, UINT flags) {
  const PixelSize size = WindowSizeFor(window, client);
  const RECT work = WorkArea(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
  if (!SetWindowPos(window, insertAfter, Centred(work.left, work.right - work.left, size.width),
                    Centred(work.top, work.bottom - work.top, size.height), size.width, size.height,
                    flags | SWP_NOACTIVATE)) {
    ThrowLastError(L"SetWindowPos");
  }
}

}  // namespace vistrane
