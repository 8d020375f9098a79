#include "tools/common/tool_window.h"

#include "platform/win32_error.h"

namespace vistrane::tools {

ToolWindow::ToolWindow(const ToolWindowShape& shape, MessageHandler* handler)
    : instance_(GetModuleHandleW(nullptr)), className_(shape.className) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &ToolWindow::Procedure;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className_;
  if (RegisterClassExW(&windowClass) == 0) ThrowLastError(L"RegisterClassExW");
  window_ = CreateWindowExW(shape.exStyle, className_, shape.title, shape.style, shape.rect.left,
                            shape.rect.top, shape.rect.right - shape.rect.left,
                            shape.rect.bottom - shape.rect.top, nullptr, nullptr, instance_,
                            handler);
  if (window_ == nullptr) {
    const DWORD error = GetLastError();
    UnregisterClassW(className_, instance_);
    throw Win32Error(error, L"CreateWindowExW");
  }
}

ToolWindow::~ToolWindow() {
  if (IsWindow(window_)) DestroyWindow(window_);
  UnregisterClassW(className_, instance_);
}

LRESULT CALLBACK ToolWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* handler = reinterpret_cast<MessageHandler*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (handler == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return handler->Handle(window, message, wParam, lParam);
}

}  // namespace vistrane::tools
