#include "platform/screen_metrics.h"

#include <windows.h>

#include "platform/unique_handle.h"
#include "platform/win32_error.h"

namespace vistrane {
namespace {

double TwipsPerPixel(int logicalDpiIndex, const wchar_t* operation) {
  const WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.get(), logicalDpiIndex);
  if (dpi <= 0) throw Win32Error(ERROR_INVALID_DATA, operation);
  return 1440.0 / dpi;
}

}  // namespace

PixelSize PrimaryScreenSize() {
  return PixelSize{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

ScreenRect VirtualScreenRect() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return ScreenRect{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

double TwipsPerPixelX() { return TwipsPerPixel(LOGPIXELSX, L"GetDeviceCaps(LOGPIXELSX)"); }

double TwipsPerPixelY() { return TwipsPerPixel(LOGPIXELSY, L"GetDeviceCaps(LOGPIXELSY)"); }

std::optional<ScreenRect> ForegroundWindowRect() {
  const HWND foreground = GetForegroundWindow();
  if (foreground == nullptr) return std::nullopt;
  RECT rect{};
  if (!GetWindowRect(foreground, &rect)) return std::nullopt;
  return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace vistrane
