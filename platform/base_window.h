#pragma once
// A window owned by a C++ object. Derived provides
//   static const wchar_t* ClassName();
//   LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
// and optionally `static void CustomizeClass(WNDCLASSEXW&)` (icon, cursor,
// background, class styles). The class is registered on first Create().
// HandleMessage runs from WM_NCCREATE to WM_NCDESTROY; an exception thrown
// there is reported with the error message box and the message gets
// DefWindowProcW's answer, so no exception ever crosses into the system.
#include <windows.h>

#include "platform/error_report.h"
#include "platform/win32_error.h"

namespace vistrane {

template <typename Derived>
class BaseWindow {
 public:
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;

  // Null before Create() and after the window is destroyed.
  HWND Window() const noexcept { return window_; }

  // Destroys the window while Derived still exists, so its WM_DESTROY and
  // WM_NCDESTROY handlers run. Does nothing when there is no window.
  void Destroy() noexcept {
    if (window_ != nullptr) DestroyWindow(window_);
  }

 protected:
  BaseWindow() = default;

  // Derived is gone by now: the window's last messages go to DefWindowProcW.
  ~BaseWindow() {
    if (window_ == nullptr) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }

  // Throws Win32Error when the class cannot be registered or the window
  // cannot be created (also when HandleMessage refused WM_NCCREATE/WM_CREATE).
  void Create(const wchar_t* title, DWORD style, DWORD exStyle = 0, int x = CW_USEDEFAULT,
              int y = CW_USEDEFAULT, int width = CW_USEDEFAULT, int height = CW_USEDEFAULT,
              HWND parent = nullptr, HMENU menu = nullptr) {
    RegisterClassOnce();
    const HWND created = CreateWindowExW(exStyle, Derived::ClassName(), title, style, x, y, width,
                                         height, parent, menu, GetModuleHandleW(nullptr),
                                         static_cast<BaseWindow*>(this));
    if (created == nullptr) ThrowLastError(L"CreateWindowExW");
  }

  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) const noexcept {
    return DefWindowProcW(window_, message, wParam, lParam);
  }

 private:
  static void RegisterClassOnce() {
    // A failed registration throws out of the initialiser, so the next
    // Create() tries again.
    static const ATOM atom = [] {
      WNDCLASSEXW windowClass{};
      windowClass.cbSize = sizeof(windowClass);
      windowClass.lpfnWndProc = &BaseWindow::WindowProc;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.lpszClassName = Derived::ClassName();
      windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      if constexpr (requires(WNDCLASSEXW& c) { Derived::CustomizeClass(c); }) {
        Derived::CustomizeClass(windowClass);
      }
      const ATOM registered = RegisterClassExW(&windowClass);
      if (registered == 0) ThrowLastError(L"RegisterClassExW");
      return registered;
    }();
    static_cast<void>(atom);
  }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept {
    BaseWindow* self = nullptr;
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      self = static_cast<BaseWindow*>(create->lpCreateParams);
      self->window_ = window;
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<BaseWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);

    LRESULT result = 0;
    try {
      result = static_cast<Derived*>(self)->HandleMessage(message, wParam, lParam);
    } catch (...) {
      ReportCurrentException(window);
      result = DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->window_ = nullptr;
    }
    return result;
  }

  HWND window_ = nullptr;
};

}  // namespace vistrane
