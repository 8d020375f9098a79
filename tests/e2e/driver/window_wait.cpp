// wait-window and wait-foreground: the scenarios' ways to know that a
// program is up, has ended, or holds the foreground.
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
  const auto& positional = args.Positional(3);
  const std::wstring& className = positional[0];
  const wchar_t* title = positional[1] == L"-" ? nullptr : positional[1].c_str();
  const auto timeout = ParseSeconds(positional[2]);

  HWND found = nullptr;
  const bool met = WaitUntil(timeout, [&] {
    found = FindTopLevel(className.c_str(), title, false);
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

int WaitForegroundCommand(Arguments& args) {
  const auto& positional = args.Positional(3);
  const std::wstring& className = positional[0];
  const std::wstring& title = positional[1];
  const auto timeout = ParseSeconds(positional[2]);

  HWND foreground = nullptr;
  const bool met = WaitUntil(timeout, [&] {
    foreground = GetForegroundWindow();
    return foreground != nullptr && ClassNameOf(foreground) == className &&
           (title == L"-" || TitleOf(foreground) == title);
  });
  if (!met) {
    const std::wstring actual = foreground == nullptr
                                    ? L"no window"
                                    : ClassNameOf(foreground) + L" \"" + TitleOf(foreground) + L"\"";
    tools::WriteErr(L"vtest wait-foreground: the foreground is " + actual + L"\n");
    return kNotMet;
  }
  RECT rect{};
  if (!GetWindowRect(foreground, &rect)) ThrowLastError(L"GetWindowRect");
  tools::WriteOut(L"{\"class\": " + JsonString(className) + L", \"rect\": [" +
                  std::to_wstring(rect.left) + L", " + std::to_wstring(rect.top) + L", " +
                  std::to_wstring(rect.right) + L", " + std::to_wstring(rect.bottom) + L"]}\n");
  return kOk;
}

}  // namespace vistrane::vtest
