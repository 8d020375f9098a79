#pragma once
// Ownership of Win32 handles. One move-only template closes every kind of
// handle exactly once; the scope types below undo one acquisition each
// (GetDC, SelectObject, GlobalLock, OpenClipboard) on every way out.
#include <windows.h>

#include <utility>

#include "platform/win32_error.h"

namespace vistrane {

// Traits: `using Handle = ...; static Handle Invalid() noexcept;
// static void Close(Handle) noexcept;`
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

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
  explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

  // Gives up ownership without closing.
  Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }

  void reset(Handle handle = Traits::Invalid()) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (old != Traits::Invalid()) Traits::Close(old);
  }

  // For APIs that return the handle through an out-parameter: closes what is
  // held and hands out the slot.
  Handle* put() noexcept {
    reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

namespace handle_traits {

template <typename H, BOOL(WINAPI* CloseFn)(H)>
struct NullInvalid {
  using Handle = H;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { CloseFn(h); }
};

struct Hkey {
  using Handle = HKEY;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { RegCloseKey(h); }
};

template <typename H>
struct GdiObject {
  using Handle = H;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { DeleteObject(h); }
};

struct Hglobal {
  using Handle = HGLOBAL;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { GlobalFree(h); }
};

// CreateFileW and FindFirstFileW report failure as INVALID_HANDLE_VALUE.
template <BOOL(WINAPI* CloseFn)(HANDLE)>
struct InvalidValue {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) noexcept { CloseFn(h); }
};

}  // namespace handle_traits

using UniqueHkey = UniqueHandle<handle_traits::Hkey>;
using UniqueHdc = UniqueHandle<handle_traits::NullInvalid<HDC, DeleteDC>>;
using UniqueGdiObject = UniqueHandle<handle_traits::GdiObject<HGDIOBJ>>;
using UniqueHbitmap = UniqueHandle<handle_traits::GdiObject<HBITMAP>>;
using UniqueHfont = UniqueHandle<handle_traits::GdiObject<HFONT>>;
using UniqueHbrush = UniqueHandle<handle_traits::GdiObject<HBRUSH>>;
using UniqueHicon = UniqueHandle<handle_traits::NullInvalid<HICON, DestroyIcon>>;
using UniqueHmenu = UniqueHandle<handle_traits::NullInvalid<HMENU, DestroyMenu>>;
using UniqueHglobal = UniqueHandle<handle_traits::Hglobal>;
using UniqueHmodule = UniqueHandle<handle_traits::NullInvalid<HMODULE, FreeLibrary>>;
using UniqueFile = UniqueHandle<handle_traits::InvalidValue<CloseHandle>>;
using UniqueFind = UniqueHandle<handle_traits::InvalidValue<FindClose>>;

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
