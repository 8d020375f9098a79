#include "platform/tray_icon.h"

#include <algorithm>

#include "platform/win32_error.h"

namespace vistrane {

bool TrayIcon::Add(HWND window, UINT id, UINT callbackMessage, HICON icon, std::wstring_view tip) {
  Delete();
  data_ = NOTIFYICONDATAW{};
  data_.cbSize = sizeof(data_);
  data_.hWnd = window;
  data_.uID = id;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = callbackMessage;
  data_.hIcon = icon;
  const std::size_t length = std::min(tip.size(), std::size(data_.szTip) - 1);
  std::copy_n(tip.data(), length, data_.szTip);
  return ReAdd();
}

bool TrayIcon::ReAdd() {
  if (data_.hWnd == nullptr) return false;
  // After a shell restart the icon is gone and NIM_ADD succeeds; when the
  // broadcast came without a restart the icon is still there and only
  // NIM_MODIFY succeeds.
  shown_ = Shell_NotifyIconW(NIM_ADD, &data_) || Shell_NotifyIconW(NIM_MODIFY, &data_);
  return shown_;
}

void TrayIcon::Delete() noexcept {
  if (!shown_) return;
  Shell_NotifyIconW(NIM_DELETE, &data_);
  shown_ = false;
}

UINT TaskbarCreatedMessage() {
  static const UINT message = [] {
    const UINT registered = RegisterWindowMessageW(L"TaskbarCreated");
    if (registered == 0) ThrowLastError(L"RegisterWindowMessageW(TaskbarCreated)");
    return registered;
  }();
  return message;
}

}  // namespace vistrane
