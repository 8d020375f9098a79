#pragma once
// Membership in the system's clipboard-viewer chain: every viewer passes each
// notice on to the window after it, and mends the chain when one leaves.
#include <windows.h>

namespace vistrane {

class ClipboardViewer {
 public:
  ClipboardViewer() = default;
  ~ClipboardViewer() { Leave(); }
  ClipboardViewer(const ClipboardViewer&) = delete;
  ClipboardViewer& operator=(const ClipboardViewer&) = delete;

  // Joins the chain in front of the current first viewer. Throws Win32Error.
  void Join(HWND window);
  // Leaves the chain, linking the viewer before this one to NextViewer.
  void Leave() noexcept;
  bool Joined() const noexcept { return window_ != nullptr; }

  // WM_DRAWCLIPBOARD: passes the notice on unchanged.
  void PassOnDraw(WPARAM wParam, LPARAM lParam) const noexcept;
  // WM_CHANGECBCHAIN: wParam is the leaving window, lParam the one after it.
  void OnChangeChain(WPARAM wParam, LPARAM lParam);

 private:
  HWND window_ = nullptr;
  HWND NextViewer = nullptr;  // 0 when this window is the last viewer
};

}  // namespace vistrane
