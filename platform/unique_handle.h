#pragma once
// Ownership of Win32 handles. One move-only template closes every kind of
// handle exactly once; the scope types below undo one acquisition each
// (GetDC, SelectObject, GlobalLock, OpenClipboard) on every way out.
#include <windows.h>

#include <cstdint>
#include <type_traits>
#include <utility>

#include "platform/win32_error.h"

namespace vistrane {

// `Close` is the system's close function of the kind, such as CloseHandle or
// DeleteObject; `kInvalid` the value that holds nothing. The last error
// survives a close, so a failure can still be read after the handle that went
// with it has been given back.
template <typename T, auto Close, std::intptr_t kInvalid = 0>
class UniqueHandle {
 public:
  using Handle = T;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Invalid(); }

  // Gives up ownership without closing.
  Handle release() noexcept { return std::exchange(handle_, Invalid()); }

  void reset(Handle handle = Invalid()) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (old == Invalid()) return;
    const DWORD lastError = GetLastError();
    Close(old);
    SetLastError(lastError);
  }

  // For APIs that return the handle through an out-parameter: closes what is
  // held and hands out the slot.
  Handle* put() noexcept {
    reset();
    return &handle_;
  }

 private:
  static Handle Invalid() noexcept {
    if constexpr (std::is_pointer_v<Handle>) {
      return reinterpret_cast<Handle>(kInvalid);
    } else {
      return static_cast<Handle>(kInvalid);
    }
  }

  Handle handle_ = Invalid();
};

// CreateFileW and FindFirstFileW report failure as INVALID_HANDLE_VALUE.
inline constexpr std::intptr_t kInvalidHandleValue = -1;

using UniqueHkey = UniqueHandle<HKEY, RegCloseKey>;
using UniqueHdc = UniqueHandle<HDC, DeleteDC>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, DeleteObject>;
using UniqueHbitmap = UniqueHandle<HBITMAP, DeleteObject>;
using UniqueHfont = UniqueHandle<HFONT, DeleteObject>;
using UniqueHbrush = UniqueHandle<HBRUSH, DeleteObject>;
using UniqueHicon = UniqueHandle<HICON, DestroyIcon>;
using UniqueHmenu = UniqueHandle<HMENU, DestroyMenu>;
using UniqueHglobal = UniqueHandle<HGLOBAL, GlobalFree>;
using UniqueHmodule = UniqueHandle<HMODULE, FreeLibrary>;
using UniqueFile = UniqueHandle<HANDLE, CloseHandle, kInvalidHandleValue>;
using UniqueFind = UniqueHandle<HANDLE, FindClose, kInvalidHandleValue>;

// GetDC/ReleaseDC. A null window gives the screen's DC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {
    if (dc_ == nullptr) ThrowLastError(L"GetDC");
  }
  ~WindowDc() { ReleaseDC(window_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// SelectObject, and the previous object selected back at the end of scope.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {
    if (previous_ == nullptr || previous_ == HGDI_ERROR) ThrowLastError(L"SelectObject");
  }
  ~SelectObjectScope() { SelectObject(dc_, previous_); }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// BeginPaint/EndPaint in a WM_PAINT handler; get() is null when BeginPaint
// failed.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// GlobalLock/GlobalUnlock of a movable memory block.
class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {
    if (data_ == nullptr) ThrowLastError(L"GlobalLock");
  }
  ~GlobalLockScope() { GlobalUnlock(memory_); }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;

  void* data() const noexcept { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

// OpenClipboard/CloseClipboard. Throws Win32Error when another window keeps
// the clipboard open.
class ClipboardScope {
 public:
  // Another program (a viewer reading the same change) may hold the clipboard
  // open for a moment: opening is tried again for up to waitMs. Throws the
  // Win32Error of the last attempt.
  explicit ClipboardScope(HWND owner, DWORD waitMs = 0) {
    constexpr DWORD kRetryMs = 20;
    const ULONGLONG giveUp = GetTickCount64() + waitMs;
    while (!OpenClipboard(owner)) {
      const DWORD error = GetLastError();
      if (GetTickCount64() >= giveUp) throw Win32Error(error, L"OpenClipboard");
      Sleep(kRetryMs);
    }
  }
  ~ClipboardScope() { CloseClipboard(); }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
};

}  // namespace vistrane
