#include "resident/shell/clipboard_viewer_win.h"

#include "platform/win32_error.h"

namespace vistrane {

void ClipboardViewer::Join(HWND window) {
  // A null result is also the answer of an empty chain: only the error code
  // tells the two apart.
  SetLastError(0);
  HWND next = SetClipboardViewer(window);
  if (next == nullptr && GetLastError() != 0) ThrowLastError(L"SetClipboardViewer");
  window_ = window;
  NextViewer = next;
}

void ClipboardViewer::Leave() noexcept {
  if (window_ == nullptr) return;
  ChangeClipboardChain(window_, NextViewer);
  window_ = nullptr;
  NextViewer = nullptr;
}

void ClipboardViewer::PassOnDraw(WPARAM wParam, LPARAM lParam) const noexcept {
  if (NextViewer != nullptr) SendMessageW(NextViewer, WM_DRAWCLIPBOARD, wParam, lParam);
}

void ClipboardViewer::OnChangeChain(WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(wParam) == NextViewer) {
    NextViewer = reinterpret_cast<HWND>(lParam);
  } else if (NextViewer != nullptr) {
    SendMessageW(NextViewer, WM_CHANGECBCHAIN, wParam, lParam);
  }
}

}  // namespace vistrane
