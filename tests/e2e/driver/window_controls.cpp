// controls, click and close: a product window's child controls as the user
// sees them, and the user's two ways to end a box (one of its buttons, the
// title bar's close button).
//
// controls prints {"windows": <visible windows of the class and title>,
// "handle": <the window>, "client": [w, h], "controls": [{"id": .., "class":
// .., "text": .., "rect": [l, t, r, b]}, ...]} with rectangles in client pixels.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32_error.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/json_text.h"
#include "tests/e2e/driver/window_search.h"
#include "tools/common/console_output.h"

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

std::wstring Numbers(std::initializer_list<long> values) {
  std::wstring text = L"[";
  for (const long v : values) text += (text.size() > 1 ? L", " : L"") + std::to_wstring(v);
  return text + L"]";
}

BOOL CALLBACK CollectChild(HWND child, LPARAM context) {
  reinterpret_cast<std::vector<HWND>*>(context)->push_back(child);
  return TRUE;
}

std::wstring DescribeControl(HWND window, HWND control) {
  RECT rect{};
  if (!GetWindowRect(control, &rect)) ThrowLastError(L"GetWindowRect");
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  return L"{\"id\": " + std::to_wstring(GetDlgCtrlID(control)) + L", \"class\": " +
         JsonString(ClassNameOf(control)) + L", \"text\": " + JsonString(ControlText(control)) +
         L", \"rect\": " + Numbers({rect.left, rect.top, rect.right, rect.bottom}) + L"}";
}

bool Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!PostMessageW(window, message, wParam, lParam)) ThrowLastError(L"PostMessageW");
  return true;
}

}  // namespace

int ControlsCommand(Arguments& args) {
  const auto timeout = args.TakeSeconds(L"--timeout", std::chrono::seconds(10));
  const Target target = TakeTarget(args.Positional(2));
  HWND window = nullptr;
  if (!WaitUntil(timeout, [&] {
        return (window = FindTopLevel(target.className.c_str(), target.TitleOrNull(), true));
      })) {
    tools::WriteErr(L"vtest controls: no visible " + target.className + L"\n");
    return kNotMet;
  }
  RECT client{};
  if (!GetClientRect(window, &client)) ThrowLastError(L"GetClientRect");
  std::vector<HWND> children;
  EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&children));
  std::wstring controls;
  for (const HWND child : children) {
    controls += (controls.empty() ? L"" : L", ") + DescribeControl(window, child);
  }
  tools::WriteOut(L"{\"windows\": " +
                  std::to_wstring(CountVisibleTopLevel(target.className.c_str(), target.TitleOrNull())) +
                  L", \"handle\": " + std::to_wstring(reinterpret_cast<INT_PTR>(window)) +
                  L", \"client\": " + Numbers({client.right, client.bottom}) +
                  L", \"controls\": [" + controls + L"]}\n");
  return kOk;
}

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
