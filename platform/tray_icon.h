#pragma once
// The notification-area icon. The shell may be missing or not ready yet when
// the icon is added, and it forgets its icons when it restarts; so adding
// reports success instead of throwing, and the owner window calls ReAdd()
// when it receives TaskbarCreatedMessage().
#include <windows.h>
#include <shellapi.h>

#include <string_view>

namespace vistrane {

class TrayIcon {
 public:
  TrayIcon() = default;
  ~TrayIcon() { Delete(); }
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // The callback message reaches `window` with the mouse message in lParam
  // (the icon keeps the original notification version). The icon handle is
  // not owned; the tip is cut at 127 characters. Replaces an icon already
  // shown by this object.
  bool Add(HWND window, UINT id, UINT callbackMessage, HICON icon, std::wstring_view tip);

  // Shows the icon again with what the last Add() gave; false before any
  // Add() or when the shell refuses.
  bool ReAdd();

  // Removes the icon when it is shown; safe to call at any time.
  void Delete() noexcept;

  bool Shown() const noexcept { return shown_; }

 private:
  NOTIFYICONDATAW data_{};
  bool shown_ = false;
};

// The message the shell broadcasts to top-level windows after it (re)starts.
UINT TaskbarCreatedMessage();

}  // namespace vistrane
