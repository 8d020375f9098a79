// tray-open and menu-keys: drive the product's tray menu without a mouse.
// The tray icon's callback message is posted to the main window as the shell
// would send it; the popup menu is then worked with posted keys.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "platform/win32_error.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/window_search.h"
#include "tools/common/console_output.h"
#include "tools/common/usage_error.h"

namespace vistrane::vtest {
namespace {

constexpr wchar_t kMainClass[] = L"VistraneMainForm";
constexpr wchar_t kMainTitle[] = L"Vistrane";
constexpr UINT kTrayCallback = 0x0207;
constexpr wchar_t kPopupMenuClass[] = L"#32768";

HWND FindMainWindow() {
  const HWND main = FindTopLevel(kMainClass, kMainTitle, false);
  if (main == nullptr) throw std::runtime_error("the Vistrane main window is not there");
  return main;
}

// A visible popup menu window of the process, or null.
HWND FindPopupMenuOf(DWORD process) {
  for (HWND menu = FindWindowExW(nullptr, nullptr, kPopupMenuClass, nullptr); menu != nullptr;
       menu = FindWindowExW(nullptr, menu, kPopupMenuClass, nullptr)) {
    if (IsWindowVisible(menu) && ProcessOf(menu) == process) return menu;
  }
  return nullptr;
}

LPARAM MouseMessage(const std::wstring& name) {
  if (name == L"right") return WM_RBUTTONDOWN;
  if (name == L"left") return WM_LBUTTONDOWN;
  if (name == L"double") return WM_LBUTTONDBLCLK;
  if (name == L"move") return WM_MOUSEMOVE;
  throw tools::UsageError("--mouse wants right, left, double or move");
}

WPARAM VirtualKey(const std::wstring& name) {
  if (name == L"up") return VK_UP;
  if (name == L"down") return VK_DOWN;
  if (name == L"return") return VK_RETURN;
  if (name == L"escape") return VK_ESCAPE;
  throw tools::UsageError("keys are up, down, return or escape");
}

}  // namespace

int TrayOpenCommand(Arguments& args) {
  const auto timeout = args.TakeSeconds(L"--timeout", std::chrono::seconds(5));
  const LPARAM mouse = MouseMessage(args.TakeOption(L"--mouse").value_or(L"right"));
  args.Positional(0);

  const HWND main = FindMainWindow();
  const DWORD process = ProcessOf(main);
  if (!PostMessageW(main, kTrayCallback, 1, mouse)) ThrowLastError(L"PostMessageW");
  HWND menu = nullptr;
  if (!WaitUntil(timeout, [&] { return (menu = FindPopupMenuOf(process)) != nullptr; })) {
    tools::WriteErr(L"vtest tray-open: no popup menu appeared\n");
    return kNotMet;
  }
  RECT rect{};
  if (!GetWindowRect(menu, &rect)) ThrowLastError(L"GetWindowRect");
  tools::WriteOut(L"{\"rect\": [" + std::to_wstring(rect.left) + L", " +
                  std::to_wstring(rect.top) + L", " + std::to_wstring(rect.right) + L", " +
                  std::to_wstring(rect.bottom) + L"]}\n");
  return kOk;
}

int MenuKeysCommand(Arguments& args) {
  const auto timeout = args.TakeSeconds(L"--timeout", std::chrono::seconds(5));
  const auto& keys = args.PositionalAtLeast(1);
  const DWORD process = ProcessOf(FindMainWindow());
  const HWND menu = FindPopupMenuOf(process);
  if (menu == nullptr) throw std::runtime_error("no popup menu of Vistrane is open");
  for (const std::wstring& key : keys) {
    if (!PostMessageW(menu, WM_KEYDOWN, VirtualKey(key), 1)) ThrowLastError(L"PostMessageW");
  }
  const std::wstring& last = keys.back();
  if (last != L"return" && last != L"escape") return kOk;
  if (!WaitUntil(timeout, [&] { return FindPopupMenuOf(process) == nullptr; })) {
    tools::WriteErr(L"vtest menu-keys: the menu is still open\n");
    return kNotMet;
  }
  return kOk;
}

}  // namespace vistrane::vtest
