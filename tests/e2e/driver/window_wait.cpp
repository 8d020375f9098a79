// wait-window and foreground: the scenarios' ways to know that a program is
// up or has ended, and to put a window in front.
#include <windows.h>

#include <string>

#include "platform/win32_error.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/json_text.h"
#include "tests/e2e/driver/window_search.h"
#include "tools/common/console_output.h"

namespace vistrane::vtest {

int WaitWindowCommand(Arguments& args) {
  const bool gone = args.TakeFlag(L"--gone");
  const bool shown = args.TakeFlag(L"--shown");
  const auto& positional = args.Positional(3);
  const std::wstring& className = positional[0];
  const wchar_t* title = positional[1] == L"-" ? nullptr : positional[1].c_str();
  const auto timeout = ParseSeconds(positional[2]);

  HWND found = nullptr;
  const bool met = WaitUntil(timeout, [&] {
    found = FindTopLevel(className.c_str(), title, shown);
    return gone ? found == nullptr : found != nullptr;
  });
  if (!met) {
    tools::WriteErr(L"vtest wait-window: " + className +
                    (gone ? L" is still there\n" : L" did not appear\n"));
    return kNotMet;
  }
  if (!gone) {
    tools::WriteOut(L"{\"pid\": " + std::to_wstring(ProcessOf(found)) + L", \"window\": " +
                    std::to_wstring(reinterpret_cast<ULONG_PTR>(found)) + L"}\n");
  }
  return kOk;
}

// Without a window manager Wine alone decides which window is in front, and
// a program that starts, ends or shows a window may leave no window there:
// the window is brought forward again until it is the foreground.
int ForegroundCommand(Arguments& args) {
  const auto& positional = args.Positional(3);
  const std::wstring& className = positional[0];
  const wchar_t* title = positional[1] == L"-" ? nullptr : positional[1].c_str();
  const auto timeout = ParseSeconds(positional[2]);

  HWND window = nullptr;
  HWND foreground = nullptr;
  const bool met = WaitUntil(timeout, [&] {
    window = FindTopLevel(className.c_str(), title, true);
    foreground = GetForegroundWindow();
    if (window == nullptr || foreground == window) return window != nullptr;
    SetForegroundWindow(window);
    return false;
  });
  if (!met) {
    const std::wstring actual = foreground == nullptr
                                    ? L"no window"
                                    : ClassNameOf(foreground) + L" \"" + TitleOf(foreground) + L"\"";
    tools::WriteErr(L"vtest foreground: " + className +
                    (window == nullptr ? L" is not shown" : L" is not in front") +
                    L"; the foreground is " + actual + L"\n");
    return kNotMet;
  }
  RECT rect{};
  if (!GetWindowRect(window, &rect)) ThrowLastError(L"GetWindowRect");
  tools::WriteOut(L"{\"class\": " + JsonString(className) + L", \"rect\": [" +
                  std::to_wstring(rect.left) + L", " + std::to_wstring(rect.top) + L", " +
                  std::to_wstring(rect.right) + L", " + std::to_wstring(rect.bottom) + L"]}\n");
  return kOk;
}

}  // namespace vistrane::vtest
