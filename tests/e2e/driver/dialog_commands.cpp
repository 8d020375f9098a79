// dlg-dump, click, keys and type: work another program's window through its
// controls as a user does, with real mouse and keyboard input, and read back
// what each control shows.
//
// dlg-dump report (JSON): {"windows": <visible windows of the class and title>, "hwnd": n,
//   "rect": [l, t, r, b], "client": [...], "foreground": bool, "focus": id|null, "controls":
//   {"<id>": {"class", "text", "visible", "enabled", "rect", "checked"?, "items"?, "selected"?}}}
//   ("items" of a tab control: the tab captions)
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/unique_handle.h"
#include "platform/win32_error.h"
#include "shared/scope_exit.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/json_text.h"
#include "tests/e2e/driver/window_search.h"
#include "tools/common/console_output.h"
#include "tools/common/usage_error.h"

namespace vistrane::vtest {
namespace {

// Coordinates in physical pixels, as the screen and a DPI-aware program have
// them, whatever the session's DPI.
void UsePhysicalPixels() { SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2); }

// The program may be busy with a capture for a moment; a hung one fails.
LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result)) {
    ThrowLastError(L"SendMessageTimeout");
  }
  return static_cast<LRESULT>(result);
}

std::wstring ItemText(HWND control, UINT lengthMessage, UINT textMessage, WPARAM index) {
  const LRESULT length = Ask(control, lengthMessage, index, 0);
  if (length < 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = Ask(control, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
  return text;
}

std::wstring RectJson(const RECT& r) {
  return L"[" + std::to_wstring(r.left) + L", " + std::to_wstring(r.top) + L", " +
         std::to_wstring(r.right) + L", " + std::to_wstring(r.bottom) + L"]";
}

std::wstring ListJson(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage,
                      UINT selectionMessage) {
  const LRESULT count = Ask(control, countMessage, 0, 0);
  std::wstring items;
  for (LRESULT i = 0; i < count; ++i) {
    if (i > 0) items += L", ";
    items += JsonString(ItemText(control, lengthMessage, textMessage, static_cast<WPARAM>(i)));
  }
  return L", \"items\": [" + items + L"], \"selected\": " +
         std::to_wstring(Ask(control, selectionMessage, 0, 0));
}

// The tab control copies a caption into the caller's buffer, which must lie
// in the control's process: the item and its text are placed there.
std::wstring TabItemsJson(HWND tabs) {
  constexpr int kChars = 128;
  const UniqueHandle<HANDLE, CloseHandle> process(OpenProcess(
      PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(tabs)));
  if (!process) ThrowLastError(L"OpenProcess");
  auto* const remote = static_cast<TCITEMW*>(
      VirtualAllocEx(process.get(), nullptr, sizeof(TCITEMW) + sizeof(wchar_t[kChars]), MEM_COMMIT,
                     PAGE_READWRITE));
  if (remote == nullptr) ThrowLastError(L"VirtualAllocEx");
  const ScopeExit release([&] { VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE); });
  std::wstring items;
  for (LRESULT i = 0; i < Ask(tabs, TCM_GETITEMCOUNT, 0, 0); ++i) {
    TCITEMW item{TCIF_TEXT, 0, 0, reinterpret_cast<wchar_t*>(remote + 1), kChars, 0, 0};
    wchar_t caption[kChars] = {};
    if (!WriteProcessMemory(process.get(), remote, &item, sizeof(item), nullptr) ||
        !Ask(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(remote)) ||
        !ReadProcessMemory(process.get(), item.pszText, caption, sizeof(caption) - 2, nullptr)) {
      ThrowLastError(L"TCM_GETITEMW");
    }
    items += (i > 0 ? L", " : L"") + JsonString(caption);
  }
  return L", \"items\": [" + items + L"]";
}

std::wstring ControlJson(HWND control) {
  const std::wstring className = ClassNameOf(control);
  RECT rect{};
  GetWindowRect(control, &rect);
  std::wstring json =
      L"{\"class\": " + JsonString(className) + L", \"text\": " + JsonString(ControlText(control)) +
      L", \"visible\": " + (IsWindowVisible(control) ? L"true" : L"false") + L", \"enabled\": " +
      (IsWindowEnabled(control) ? L"true" : L"false") + L", \"rect\": " + RectJson(rect);
  const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
  if (_wcsicmp(className.c_str(), L"Button") == 0) {
    const LONG_PTR type = style & BS_TYPEMASK;
    if (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON || type == BS_AUTOCHECKBOX) {
      json += std::wstring(L", \"checked\": ") +
              (Ask(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? L"true" : L"false");
      json += std::wstring(L", \"tabstop\": ") + ((style & WS_TABSTOP) ? L"true" : L"false");
    }
  } else if (_wcsicmp(className.c_str(), L"ComboBox") == 0) {
    json += ListJson(control, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_GETCURSEL);
  } else if (_wcsicmp(className.c_str(), L"ListBox") == 0) {
    json += ListJson(control, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_GETCURSEL) +
            L", \"item_height\": " + std::to_wstring(Ask(control, LB_GETITEMHEIGHT, 0, 0));
  } else if (className == WC_TABCONTROLW) {
    json += TabItemsJson(control) + L", \"selected\": " +
            std::to_wstring(Ask(control, TCM_GETCURSEL, 0, 0));
  }
  return json + L"}";
}

BOOL CALLBACK CollectControl(HWND control, LPARAM context) {
  auto& controls = *reinterpret_cast<std::map<int, HWND>*>(context);
  const int id = GetDlgCtrlID(control);
  if (id > 0) controls[id] = control;
  return TRUE;
}

void Send(std::vector<INPUT> inputs) {
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size()) ThrowLastError(L"SendInput");
}

INPUT Mouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

INPUT Key(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// Lets the foreground program handle what was sent before the next step
// looks at it. The input may have closed the window or opened a modal box,
// so a window that does not answer at once is not an error here.
void Settle() {
  Sleep(150);
  const HWND foreground = GetForegroundWindow();
  DWORD_PTR ignored = 0;
  if (foreground != nullptr) {
    SendMessageTimeoutW(foreground, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored);
  }
}

WORD VirtualKey(const std::wstring& name) {
  static const std::map<std::wstring, WORD> keys = {
      {L"tab", VK_TAB},     {L"return", VK_RETURN}, {L"escape", VK_ESCAPE}, {L"space", VK_SPACE},
      {L"up", VK_UP},       {L"down", VK_DOWN},     {L"left", VK_LEFT},     {L"right", VK_RIGHT},
      {L"home", VK_HOME},   {L"end", VK_END},       {L"back", VK_BACK},     {L"delete", VK_DELETE},
      {L"f4", VK_F4},
  };
  const auto found = keys.find(name);
  if (found == keys.end()) throw tools::UsageError("unknown key name");
  return found->second;
}

// "shift+tab", "ctrl+tab", "down": modifiers pressed around one key.
std::vector<INPUT> KeyStroke(const std::wstring& stroke) {
  std::vector<WORD> modifiers;
  std::wstring rest = stroke;
  for (std::size_t plus; (plus = rest.find(L'+')) != std::wstring::npos;) {
    const std::wstring modifier = rest.substr(0, plus);
    if (modifier == L"shift") modifiers.push_back(VK_SHIFT);
    else if (modifier == L"ctrl") modifiers.push_back(VK_CONTROL);
    else if (modifier == L"alt") modifiers.push_back(VK_MENU);
    else throw tools::UsageError("modifiers are shift, ctrl and alt");
    rest = rest.substr(plus + 1);
  }
  std::vector<INPUT> inputs;
  for (const WORD m : modifiers) inputs.push_back(Key(m, false));
  inputs.push_back(Key(VirtualKey(rest), false));
  inputs.push_back(Key(VirtualKey(rest), true));
  for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) inputs.push_back(Key(*m, true));
  return inputs;
}

}  // namespace

int DialogDumpCommand(Arguments& args) {
  UsePhysicalPixels();
  const auto timeout = args.TakeSeconds(L"--timeout", std::chrono::seconds(5));
  const auto& positional = args.Positional(2);
  const wchar_t* title = positional[1] == L"-" ? nullptr : positional[1].c_str();
  HWND window = nullptr;
  if (!WaitUntil(timeout, [&] {
        return (window = FindTopLevel(positional[0].c_str(), title, true)) != nullptr;
      })) {
    tools::WriteErr(L"vtest dlg-dump: no visible " + positional[0] + L" window\n");
    return kNotMet;
  }
  std::map<int, HWND> controls;
  EnumChildWindows(window, CollectControl, reinterpret_cast<LPARAM>(&controls));

  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  std::wstring focus = L"null";
  std::wstring capture = L"null";
  if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread)) {
    if (thread.hwndFocus != nullptr && IsChild(window, thread.hwndFocus)) {
      focus = std::to_wstring(GetDlgCtrlID(thread.hwndFocus));
    }
    if (thread.hwndCapture != nullptr) capture = JsonString(ClassNameOf(thread.hwndCapture));
  }
  RECT rect{};
  if (!GetWindowRect(window, &rect)) ThrowLastError(L"GetWindowRect");
  RECT client{};
  if (!GetClientRect(window, &client)) ThrowLastError(L"GetClientRect");
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);

  std::wstring json =
      L"{\"windows\": " + std::to_wstring(CountVisibleTopLevel(positional[0].c_str(), title)) +
      L", \"hwnd\": " + std::to_wstring(reinterpret_cast<std::uintptr_t>(window)) +
      L", \"rect\": " + RectJson(rect) + L", \"client\": " + RectJson(client) +
      L", \"foreground\": " + (GetForegroundWindow() == window ? L"true" : L"false") +
      L", \"focus\": " + focus + L", \"capture\": " + capture + L", \"controls\": {";
  bool first = true;
  for (const auto& [id, control] : controls) {
    json +=
        (first ? L"\n" : L",\n") + JsonString(std::to_wstring(id)) + L": " + ControlJson(control);
    first = false;
  }
  tools::WriteOut(json + L"}}\n");
  return kOk;
}

int ClickCommand(Arguments& args) {
  UsePhysicalPixels();
  const bool twice = args.TakeFlag(L"--double");
  const auto& positional = args.Positional(2);
  if (!SetCursorPos(ParseInt(positional[0]), ParseInt(positional[1]))) {
    ThrowLastError(L"SetCursorPos");
  }
  Sleep(50);
  std::vector<INPUT> inputs{Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP)};
  if (twice) {
    inputs.push_back(Mouse(MOUSEEVENTF_LEFTDOWN));
    inputs.push_back(Mouse(MOUSEEVENTF_LEFTUP));
  }
  Send(inputs);
  Settle();
  return kOk;
}

int KeysCommand(Arguments& args) {
  for (const std::wstring& stroke : args.PositionalAtLeast(1)) {
    Send(KeyStroke(stroke));
    Settle();
  }
  return kOk;
}

int TypeCommand(Arguments& args) {
  const auto& positional = args.Positional(1);
  std::vector<INPUT> inputs;
  for (const wchar_t c : positional[0]) {
    for (const bool up : {false, true}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = c;
      input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
      inputs.push_back(input);
    }
  }
  Send(inputs);
  Settle();
  return kOk;
}

}  // namespace vistrane::vtest
