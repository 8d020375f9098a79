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

}  // namespace

POINT CursorMonitorCentre() {
  POINT cursor{};
  GetCursorPos(&cursor);
  const RECT work = WorkArea(MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY));
  return POINT{(work.left + work.right) / 2, (work.top + work.bottom) / 2};
}

void CentreOnWorkArea(HWND window, PixelSize client, HWND insertAfter, UINT flags) {
  RECT frame{0, 0, client.width, client.height};
  if (!AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                                FALSE, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)),
                                GetDpiForWindow(window))) {
    ThrowLastError(L"AdjustWindowRectExForDpi");
  }
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const RECT work = WorkArea(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
  // Centred, or at the work area's start where the window is the larger.
  const int left = work.left + std::max(0L, (work.right - work.left - width) / 2);
  const int top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
  if (!SetWindowPos(window, insertAfter, left, top, width, height, flags | SWP_NOACTIVATE)) {
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
