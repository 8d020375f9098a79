// viewer: a well-behaved member of the clipboard-viewer chain that logs every
// notice it receives, so a scenario can tell whether the windows ahead of it
// in the chain pass the notices on.
//
// Log lines: "joined", then per WM_DRAWCLIPBOARD
// "draw owner=none|desktop|window:<class> formats=bitmap,text|bitmap|text|-",
// per WM_CHANGECBCHAIN "chain next-left" or "chain passed-on", and "left".
#include <windows.h>

#include <string>

#include "platform/win32_error.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/line_log.h"
#include "tests/e2e/driver/stop_file.h"
#include "tests/e2e/driver/window_search.h"
#include "tools/common/tool_window.h"

namespace vistrane::vtest {
namespace {

std::wstring DescribeOwner() {
  const HWND owner = GetClipboardOwner();
  if (owner == nullptr) return L"none";
  if (owner == GetDesktopWindow()) return L"desktop";
  return L"window:" + ClassNameOf(owner);
}

std::wstring DescribeFormats() {
  std::wstring formats;
  if (IsClipboardFormatAvailable(CF_BITMAP)) formats = L"bitmap";
  if (IsClipboardFormatAvailable(CF_UNICODETEXT)) formats += formats.empty() ? L"text" : L",text";
  return formats.empty() ? L"-" : formats;
}

class ClipboardViewer final : public tools::MessageHandler {
 public:
  explicit ClipboardViewer(std::wstring logPath) : log_(std::move(logPath), L"viewer") {}

  bool failed() const noexcept { return log_.failed(); }

  void Join(HWND self) {
    SetLastError(0);
    next_ = SetClipboardViewer(self);
    if (next_ == nullptr && GetLastError() != 0) ThrowLastError(L"SetClipboardViewer");
    log_.Write(L"joined");
  }

  void Leave(HWND self) {
    ChangeClipboardChain(self, next_);
    log_.Write(L"left");
  }

  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept override {
    switch (message) {
      case WM_DRAWCLIPBOARD:
        log_.Write(L"draw owner=" + DescribeOwner() + L" formats=" + DescribeFormats());
        if (next_ != nullptr) SendMessageW(next_, message, wParam, lParam);
        return 0;
      case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wParam) == next_) {
          next_ = reinterpret_cast<HWND>(lParam);
          log_.Write(L"chain next-left");
        } else {
          if (next_ != nullptr) SendMessageW(next_, message, wParam, lParam);
          log_.Write(L"chain passed-on");
        }
        return 0;
      default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
  }

 private:
  LineLog log_;
  HWND next_ = nullptr;
};

}  // namespace

int ViewerCommand(Arguments& args) {
  const StopOptions stop = TakeStopOptions(args, "viewer");
  const auto& positional = args.Positional(1);

  ClipboardViewer viewer(positional[0]);
  const tools::ToolWindowShape shape{L"VistraneTestViewer", L"Vistrane test viewer",
                                     WS_OVERLAPPED, 0, RECT{0, 0, 100, 100}};
  tools::ToolWindow window(shape, &viewer);
  viewer.Join(window.get());
  const int status = RunUntilStopped(stop);
  viewer.Leave(window.get());
  return viewer.failed() ? kFailed : status;
}

}  // namespace vistrane::vtest
