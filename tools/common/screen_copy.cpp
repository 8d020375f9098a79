#include "tools/common/screen_copy.h"

#include <stdexcept>

#include "platform/win32_error.h"

namespace vistrane::tools {

RECT ScreenRect() {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (screen.right <= 0 || screen.bottom <= 0) throw std::runtime_error("no screen size");
  return screen;
}

UniqueHbitmap CopyScreenRect(const RECT& rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) throw std::runtime_error("the rectangle to copy is empty");
  return MakeScreenBitmap(width, height, [&](HDC screen, HDC memory) {
    if (!BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT)) {
      ThrowLastError(L"BitBlt");
    }
  });
}

}  // namespace vistrane::tools
