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
#include "tests/e2e/driver/stop_file.h"
#include "tests/e2e/driver/window_search.h"
#include "tools/common/console_output.h"
#include "tools/common/file_output.h"
#include "tools/common/message_loop.h"
#include "tools/common/tool_window.h"
#include "tools/common/usage_error.h"

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
  explicit ClipboardViewer(std::wstring logPath) : logPath_(std::move(logPath)) {}

  bool failed() const noexcept { return failed_; }

  void Join(HWND self) {
    SetLastError(0);
    next_ = SetClipboardViewer(self);
    if (next_ == nullptr && GetLastError() != 0) ThrowLastError(L"SetClipboardViewer");
    Log(L"joined");
  }

  void Leave(HWND self) {
    ChangeClipboardChain(self, next_);
    Log(L"left");
  }

  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept override {
    switch (message) {
      case WM_DRAWCLIPBOARD:
        Log(L"draw owner=" + DescribeOwner() + L" formats=" + DescribeFormats());
        if (next_ != nullptr) SendMessageW(next_, message, wParam, lParam);
        return 0;
      case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wParam) == next_) {
          next_ = reinterpret_cast<HWND>(lParam);
          Log(L"chain next-left");
        } else {
          if (next_ != nullptr) SendMessageW(next_, message, wParam, lParam);
          Log(L"chain passed-on");
        }
        return 0;
      default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
  }

 private:
  // One append per line, so the scenario sees each line at once.
  void Log(const std::wstring& line) noexcept {
    try {
      tools::AppendUtf8File(logPath_, line + L"\n");
    } catch (const Win32Error& error) {
      tools::WriteErr(L"vtest viewer: " + error.message() + L"\n");
      failed_ = true;
    }
  }

  std::wstring logPath_;
  HWND next_ = nullptr;
  bool failed_ = false;
};

}  // namespace

int ViewerCommand(Arguments& args) {
  const auto stopFile = args.TakeOption(L"--stop-file");
  const auto timeout = args.TakeSeconds(L"--timeout", std::chrono::minutes(10));
  const auto& positional = args.Positional(1);
  if (!stopFile) throw tools::UsageError("viewer needs --stop-file");

  ClipboardViewer viewer(positional[0]);
  const tools::ToolWindowShape shape{L"VistraneTestViewer", L"Vistrane test viewer",
                                     WS_OVERLAPPED, 0, RECT{0, 0, 100, 100}};
  tools::ToolWindow window(shape, &viewer);
  viewer.Join(window.get());
  const auto end = tools::RunMessageLoop(timeout, [&] { return FileExists(*stopFile); });
  viewer.Leave(window.get());
  if (viewer.failed()) return kFailed;
  return end == tools::LoopEnd::TimedOut ? kNotMet : kOk;
}

}  // namespace vistrane::vtest
