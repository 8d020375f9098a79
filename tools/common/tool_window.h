#pragma once
// A top-level window of one of the tools with a class of its own: the class
// is registered for the window's lifetime and both are gone at end of scope.
// Unlike the product's windows it never shows a message box of its own, so a
// test looking for the product's error box cannot mistake a tool's for it.
#include <windows.h>

namespace vistrane::tools {

struct ToolWindowShape {
  const wchar_t* className;
  const wchar_t* title;
  DWORD style;
  DWORD exStyle;
  RECT rect;
};

// Receives the window's messages from WM_NCCREATE on; answers with
// DefWindowProcW for whatever it does not handle. Must not throw.
class MessageHandler {
 public:
  virtual LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept = 0;

 protected:
  ~MessageHandler() = default;
};

class ToolWindow {
 public:
  // A null handler leaves every message to DefWindowProcW. Throws Win32Error.
  ToolWindow(const ToolWindowShape& shape, MessageHandler* handler);
  ~ToolWindow();
  ToolWindow(const ToolWindow&) = delete;
  ToolWindow& operator=(const ToolWindow&) = delete;

  HWND get() const noexcept { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept;

  HINSTANCE instance_;
  const wchar_t* className_;
  HWND window_ = nullptr;
};

}  // namespace vistrane::tools
