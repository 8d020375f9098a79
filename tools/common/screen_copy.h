#pragma once
// Copies of what the screen shows, as the screen-copy key takes them.
#include <windows.h>

#include "platform/unique_handle.h"
#include "platform/win32_error.h"

namespace vistrane::tools {

// The primary screen in screen coordinates. Throws std::runtime_error.
RECT ScreenRect();

// A screen-compatible bitmap of the rectangle (screen coordinates), selected
// into no DC. Throws Win32Error, or std::runtime_error for an empty rectangle.
UniqueHbitmap CopyScreenRect(const RECT& rect);

// A screen-compatible bitmap that `draw(screenDc, memoryDc)` fills.
template <typename Draw>
UniqueHbitmap MakeScreenBitmap(int width, int height, Draw draw) {
  WindowDc screen(nullptr);
  UniqueHdc memory(CreateCompatibleDC(screen.get()));
  if (!memory) ThrowLastError(L"CreateCompatibleDC");
  UniqueHbitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  if (!bitmap) ThrowLastError(L"CreateCompatibleBitmap");
  {
    SelectObjectScope selected(memory.get(), bitmap.get());
    draw(screen.get(), memory.get());
  }
  return bitmap;
}

}  // namespace vistrane::tools
