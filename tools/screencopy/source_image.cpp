#include "tools/screencopy/source_image.h"

#include <algorithm>
#include <stdexcept>

#include "platform/win32_error.h"
#include "tools/common/screen_copy.h"
#include "tools/common/test_pattern.h"

namespace vistrane::tools {

UniqueHbitmap CopyWholeScreen() { return CopyScreenRect(ScreenRect()); }

UniqueHbitmap CopyForegroundWindow() {
  const HWND foreground = GetForegroundWindow();
  if (foreground == nullptr) throw std::runtime_error("there is no foreground window");
  RECT rect{};
  if (!GetWindowRect(foreground, &rect)) ThrowLastError(L"GetWindowRect");
  const RECT screen = ScreenRect();
  rect.left = std::max(rect.left, screen.left);
  rect.top = std::max(rect.top, screen.top);
  rect.right = std::min(rect.right, screen.right);
  rect.bottom = std::min(rect.bottom, screen.bottom);
  return CopyScreenRect(rect);
}

UniqueHbitmap MakePatternBitmap(int width, int height) {
  return MakeScreenBitmap(width, height,
                          [&](HDC, HDC memory) { DrawTestPattern(memory, width, height); });
}

}  // namespace vistrane::tools
