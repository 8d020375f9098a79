// tray: a notification area of our own, in front of the shell's, that logs
// what programs ask of it. Wine's shell drops the icons of a window as soon
// as the window is destroyed, so asking it after a program has ended cannot
// tell whether the program removed its icon; this one keeps an icon until it
// is deleted, as Windows does.
//
// Log lines: "ready", then one per Shell_NotifyIcon call:
// "<add|modify|delete|version> <window> <id> <ok|refused>", with the window
// handle in decimal as wait-window prints it.
#include <windows.h>
#include <shellapi.h>

#include <set>
#include <stdexcept>
#include <string>
#include <utility>

#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/line_log.h"
#include "tests/e2e/driver/stop_file.h"
#include "tools/common/tool_window.h"

namespace vistrane::vtest {
namespace {

// Wine's shell32 finds the tray by this class and sends each call as
// WM_COPYDATA: dwData is the NIM_ message and the data begins with the icon's
// window (32 bits) and id.
constexpr wchar_t kTrayClass[] = L"Shell_TrayWnd";

struct WineNotifyData {
  LONG window;
  UINT id;
};

const wchar_t* RequestName(ULONG_PTR message) {
  switch (message) {
    case NIM_ADD:
      return L"add";
    case NIM_MODIFY:
      return L"modify";
    case NIM_DELETE:
      return L"delete";
    case NIM_SETVERSION:
      return L"version";
    default:
      return nullptr;
  }
}

class NotificationArea final : public tools::MessageHandler {
 public:
  explicit NotificationArea(std::wstring logPath) : log_(std::move(logPath), L"tray") {}

  LineLog& log() noexcept { return log_; }

  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept override {
    if (message != WM_COPYDATA) return DefWindowProcW(window, message, wParam, lParam);
    const auto& copy = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    const wchar_t* name = RequestName(copy.dwData);
    if (name == nullptr || copy.cbData < sizeof(WineNotifyData)) {
      log_.Write(L"unknown " + std::to_wstring(copy.dwData));
      return FALSE;
    }
    const auto& data = *static_cast<const WineNotifyData*>(copy.lpData);
    const std::pair icon{static_cast<ULONG>(data.window), data.id};
    // The shell's answers: an id is added once, and only an icon it holds can
    // be changed or deleted.
    bool ok = false;
    if (copy.dwData == NIM_ADD) {
      ok = icons_.insert(icon).second;
    } else if (copy.dwData == NIM_DELETE) {
      ok = icons_.erase(icon) == 1;
    } else {
      ok = icons_.count(icon) == 1;
    }
    log_.Write(std::wstring(name) + L" " + std::to_wstring(icon.first) + L" " +
               std::to_wstring(icon.second) + (ok ? L" ok" : L" refused"));
    return ok;
  }

 private:
  LineLog log_;
  std::set<std::pair<ULONG, UINT>> icons_;
};

}  // namespace

int TrayCommand(Arguments& args) {
  const StopOptions stop = TakeStopOptions(args, "tray");
  const auto& positional = args.Positional(1);

  NotificationArea area(positional[0]);
  // Topmost and never shown: first in the z-order, so the programs find it
  // before the shell's own tray window.
  const tools::ToolWindowShape shape{kTrayClass, L"", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW,
                                     RECT{0, 0, 1, 1}};
  tools::ToolWindow window(shape, &area);
  if (FindWindowExW(nullptr, nullptr, kTrayClass, nullptr) != window.get()) {
    throw std::runtime_error("the shell's tray window is found before this one");
  }
  area.log().Write(L"ready");
  const int status = RunUntilStopped(stop);
  return area.log().failed() ? kFailed : status;
}

}  // namespace vistrane::vtest
