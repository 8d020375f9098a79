// tray-open and menu-keys: drive the product's tray menu without a mouse.
// The tray icon's callback message is sent to the main window as the shell
// sends it; the popup menu is then worked with posted keys. menu-captions
// reads the menu's captions.
#include <windows.h>

#include <chrono>
#include <stdexcept>
#include <string>

#include "platform/unique_handle.h"
#include "platform/win32_error.h"
#include "resident/res/resource_ids.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/json_text.h"
#include "tests/e2e/driver/window_search.h"
#include "tools/common/console_output.h"
#include "tools/common/message_loop.h"
#include "tools/common/usage_error.h"

namespace vistrane::vtest {
namespace {

constexpr wchar_t kMainClass[] = L"VistraneMainForm";
constexpr wchar_t kMainTitle[] = L"Vistrane";
constexpr UINT kTrayCallback = 0x0207;
constexpr wchar_t kPopupMenuClass[] = L"#32768";
// After Vistrane has handled a mouse event without a menu, how long a menu
// still has to appear before the event counts as one that opens none.
constexpr std::chrono::milliseconds kQuietAfterHandled{500};

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

void CALLBACK MarkHandled(HWND, UINT, ULONG_PTR handled, LRESULT) {
  *reinterpret_cast<bool*>(handled) = true;
}

}  // namespace

int TrayOpenCommand(Arguments& args) {
  const auto timeout = args.TakeSeconds(L"--timeout", std::chrono::seconds(5));
  const LPARAM mouse = MouseMessage(args.TakeOption(L"--mouse").value_or(L"right"));
  args.Positional(0);

  const HWND main = FindMainWindow();
  const DWORD process = ProcessOf(main);
  // The callback tells when Vistrane has handled the event: an event that
  // opens no menu is known as such without waiting out the whole timeout. A
  // right-click's handler stays in the menu until the menu closes.
  bool handled = false;
  if (!SendMessageCallbackW(main, kTrayCallback, 1, mouse, &MarkHandled,
                            reinterpret_cast<ULONG_PTR>(&handled))) {
    ThrowLastError(L"SendMessageCallbackW");
  }
  HWND menu = nullptr;
  const auto menuOpen = [&] { return (menu = FindPopupMenuOf(process)) != nullptr; };
  tools::RunMessageLoop(timeout, [&] { return menuOpen() || handled; });
  if (menu == nullptr && handled) tools::RunMessageLoop(kQuietAfterHandled, menuOpen);
  if (menu == nullptr) {
    tools::WriteErr(handled ? L"vtest tray-open: the event was handled without a popup menu\n"
                            : L"vtest tray-open: no popup menu appeared\n");
    return kNotMet;
  }
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

int MenuCaptionsCommand(Arguments& args) {
  // Wine keeps a menu in its process, where no other process can read it: the
  // menu is loaded from the program file, as the program loads it.
  const std::wstring& program = args.Positional(1)[0];
  const UniqueHmodule file(LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  if (!file) ThrowLastError(L"LoadLibraryExW(" + program + L")");
  const UniqueHmenu menu(LoadMenuW(file.get(), MAKEINTRESOURCEW(IDR_POPMENU)));
  if (!menu) ThrowLastError(L"LoadMenuW");
  const HMENU items = GetSubMenu(menu.get(), 0);
  std::wstring json;
  for (int i = 0; i < GetMenuItemCount(items); ++i) {
    wchar_t caption[128] = L"-";
    if (!(GetMenuState(items, i, MF_BYPOSITION) & MF_SEPARATOR)) {
      GetMenuStringW(items, i, caption, 128, MF_BYPOSITION);
    }
    json += (i > 0 ? L", " : L"") + JsonString(caption);
  }
  tools::WriteOut(L"[" + json + L"]\n");
  return kOk;
}

}  // namespace vistrane::vtest
