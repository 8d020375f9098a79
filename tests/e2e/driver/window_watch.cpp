// watch-window: follows one window's visibility while a scenario acts, and
// copies what the screen shows of it each time it appears, so a window that
// shows only for a moment can be checked without racing it.
//
// Log lines: "shown N window=L,T,R,B client=X,Y,W,H foreground=<class>"
// (client relative to the window; the copy is <prefix>-N.bmp), "hidden N",
// and "gone" when the window no longer exists.
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "platform/win32_error.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/stop_file.h"
#include "tests/e2e/driver/window_search.h"
#include "tools/common/bmp24_file.h"
#include "tools/common/file_output.h"
#include "tools/common/message_loop.h"
#include "tools/common/screen_copy.h"

namespace vistrane::vtest {
namespace {

using Clock = std::chrono::steady_clock;

// Time for a window that just turned visible to reach the screen and paint.
constexpr auto kSettle = std::chrono::milliseconds(150);

std::wstring Join(long a, long b, long c, long d) {
  return std::to_wstring(a) + L"," + std::to_wstring(b) + L"," + std::to_wstring(c) + L"," +
         std::to_wstring(d);
}

class WindowWatch {
 public:
  WindowWatch(std::wstring className, std::wstring title, std::wstring log, std::wstring shots)
      : className_(std::move(className)),
        title_(std::move(title)),
        log_(std::move(log)),
        shots_(std::move(shots)) {}

  void Poll() {
    const HWND window =
        FindTopLevel(className_.c_str(), title_ == L"-" ? nullptr : title_.c_str(), false);
    if (window == nullptr) {
      if (existed_) Log(L"gone");
      existed_ = false;
      visibleSince_.reset();
      return;
    }
    existed_ = true;
    if (!IsWindowVisible(window)) {
      if (visibleSince_) Log(L"hidden " + std::to_wstring(shown_));
      visibleSince_.reset();
      return;
    }
    if (!visibleSince_) {
      visibleSince_ = Clock::now();
      ++shown_;
      recorded_ = false;
    }
    if (!recorded_ && Clock::now() - *visibleSince_ >= kSettle) {
      Record(window);
      recorded_ = true;
    }
  }

 private:
  void Record(HWND window) {
    RECT outer{};
    RECT client{};
    POINT origin{0, 0};
    if (!GetWindowRect(window, &outer) || !GetClientRect(window, &client) ||
        !ClientToScreen(window, &origin)) {
      ThrowLastError(L"GetWindowRect");
    }
    const HWND foreground = GetForegroundWindow();
    tools::SaveBitmap24(tools::CopyScreenRect(outer).get(),
                        shots_ + L"-" + std::to_wstring(shown_) + L".bmp");
    Log(L"shown " + std::to_wstring(shown_) + L" window=" +
        Join(outer.left, outer.top, outer.right, outer.bottom) + L" client=" +
        Join(origin.x - outer.left, origin.y - outer.top, client.right, client.bottom) +
        L" foreground=" + (foreground == nullptr ? L"-" : ClassNameOf(foreground)));
  }

  void Log(const std::wstring& line) { tools::AppendUtf8File(log_, line + L"\n"); }

  std::wstring className_;
  std::wstring title_;
  std::wstring log_;
  std::wstring shots_;
  bool existed_ = false;
  std::optional<Clock::time_point> visibleSince_;
  bool recorded_ = false;
  int shown_ = 0;
};

}  // namespace

int WatchWindowCommand(Arguments& args) {
  const StopOptions stop = TakeStopOptions(args, "watch-window");
  const auto& positional = args.Positional(4);

  WindowWatch watch(positional[0], positional[1], positional[2], positional[3]);
  tools::AppendUtf8File(positional[2], L"watching\n");
  const auto end = tools::RunMessageLoop(stop.timeout, [&] {
    watch.Poll();
    return FileExists(stop.file);
  });
  return end == tools::LoopEnd::TimedOut ? kNotMet : kOk;
}

}  // namespace vistrane::vtest
