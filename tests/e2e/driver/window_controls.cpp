// press and close: the user's two ways to end a product's box (one of its
// buttons, the title bar's close button).
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32_error.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/window_search.h"

namespace vistrane::vtest {
namespace {

struct Target {
  std::wstring className;
  std::wstring title;  // "-": any title

  const wchar_t* TitleOrNull() const { return title == L"-" ? nullptr : title.c_str(); }
};

Target TakeTarget(const std::vector<std::wstring>& positional) {
  return Target{positional[0], positional[1]};
}

HWND FindVisible(const Target& target) {
  const HWND window = FindTopLevel(target.className.c_str(), target.TitleOrNull(), true);
  if (window == nullptr) throw Win32Error(ERROR_NOT_FOUND, L"no visible " + target.className);
  return window;
}

bool Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!PostMessageW(window, message, wParam, lParam)) ThrowLastError(L"PostMessageW");
  return true;
}

}  // namespace

int PressCommand(Arguments& args) {
  const auto& positional = args.Positional(3);
  const HWND window = FindVisible(TakeTarget(positional));
  const int id = ParseInt(positional[2]);
  const HWND control = GetDlgItem(window, id);
  if (control == nullptr) ThrowLastError(L"GetDlgItem");
  // What a button sends its parent when the user clicks it.
  Post(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
  return kOk;
}

int CloseCommand(Arguments& args) {
  const HWND window = FindVisible(TakeTarget(args.Positional(2)));
  // What the title bar's close button sends.
  Post(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  return kOk;
}

}  // namespace vistrane::vtest
