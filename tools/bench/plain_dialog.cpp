// The floor for the settings dialog's opening: a window with the dialog's 77
// controls (the same classes, captions and places), each made by one
// CreateWindowExW at 96 dpi with the message font, and nothing else: no
// lists filled, no icons, no measuring. Like Vistrane it waits hidden for the
// tray icon's right click and opens the window from its menu's first item.
// dialog_bench starts it (tools/bench/run_dialog_bench.sh).
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <string>

#include "platform/message_font.h"
#include "platform/unique_handle.h"
#include "resident/settings_dialog/option_groups.h"
#include "resident/settings_dialog/setting_layout.h"
#include "tools/common/tool_window.h"

namespace vistrane {
namespace {

constexpr UINT kTrayCallback = 0x0207;  // as Vistrane's tray icon sends it
constexpr UINT kOpenCommand = 1;
constexpr wchar_t kDialogClass[] = L"PlainSettingForm";
constexpr wchar_t kPageClass[] = L"PlainSettingPage";

HWND Child(const wchar_t* windowClass, std::wstring_view text, DWORD style, const Box& box,
           HWND parent, HFONT font) {
  const HWND child = CreateWindowExW(0, windowClass, std::wstring(text).c_str(),
                                     WS_CHILD | WS_VISIBLE | style, box.left, box.top, box.width,
                                     box.height, parent, nullptr, nullptr, nullptr);
  if (child == nullptr) ThrowLastError(L"CreateWindowExW");
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

const wchar_t* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Frame:
    case ControlKind::Button: return L"BUTTON";
    case ControlKind::Label:
    case ControlKind::DriveIcon: return L"STATIC";
    case ControlKind::Text: return L"EDIT";
    case ControlKind::RichText: return MSFTEDIT_CLASS;
    case ControlKind::DropDown: return L"COMBOBOX";
    case ControlKind::FolderList: return L"LISTBOX";
    case ControlKind::Tabs: return WC_TABCONTROLW;
  }
  return L"STATIC";
}

void OpenDialog(HFONT font) {
  const HWND dialog = CreateWindowExW(0, kDialogClass, L"Plain", WS_OVERLAPPED | WS_CAPTION |
                                      WS_SYSMENU, 100, 100, 607, 380, nullptr, nullptr, nullptr,
                                      nullptr);
  if (dialog == nullptr) ThrowLastError(L"CreateWindowExW");
  HWND pages[3]{};
  for (const ControlLayout& layout : SettingLayout()) {
    const HWND parent =
        layout.container == Container::Dialog ? dialog : pages[static_cast<int>(layout.container) - 1];
    const DWORD style = layout.kind == ControlKind::Frame ? BS_GROUPBOX
                        : layout.kind == ControlKind::DropDown ? CBS_DROPDOWNLIST : 0;
    const HWND control = Child(ClassOf(layout.kind), layout.text, style, layout.box, parent, font);
    if (layout.kind == ControlKind::Tabs) {
      for (const TabPage& tab : SettingTabs()) {
        std::wstring caption(tab.caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(control, TCM_INSERTITEMW, 3, reinterpret_cast<LPARAM>(&item));
        pages[static_cast<int>(tab.page) - 1] =
            Child(kPageClass, L"", 0, {6, 118, 587, 192}, dialog, font);
      }
    }
    if (const OptionGroup* group = GroupOfFrame(layout.id)) {
      Box box{layout.box.left + 10, layout.box.top + 14, 80, 16};
      for (const OptionButton& button : group->buttons) {
        Child(L"BUTTON", button.caption, BS_AUTORADIOBUTTON, box, parent, font);
        box.left += 84;
      }
    }
  }
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
}

class MainWindow final : public tools::MessageHandler {
 public:
  MainWindow() {
    if (!menu_ || !AppendMenuW(menu_.get(), MF_STRING, kOpenCommand, L"設定")) {
      ThrowLastError(L"AppendMenuW");
    }
  }

  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept override {
    if (message == kTrayCallback && lParam == WM_RBUTTONDOWN) {
      SetForegroundWindow(window);
      const UINT command = static_cast<UINT>(TrackPopupMenuEx(
          menu_.get(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, 0, 0, window, nullptr));
      if (command == kOpenCommand) {
        try {
          // The rich edit's library is loaded for the first window, as the
          // settings dialog loads it.
          if (!richEdit_) richEdit_.reset(LoadLibraryW(L"Msftedit.dll"));
          if (!richEdit_) ThrowLastError(L"LoadLibraryW(Msftedit.dll)");
          OpenDialog(font_.get());
        } catch (const Win32Error& e) {
          OutputDebugStringW(e.message().c_str());
        }
      }
      return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
  }

 private:
  UniqueHmodule richEdit_;
  UniqueHmenu menu_{CreatePopupMenu()};
  UniqueHfont font_ = CreateMessageFont(USER_DEFAULT_SCREEN_DPI);
};

void RegisterClasses() {
  for (const wchar_t* name : {kDialogClass, kPageClass}) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = name;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    if (RegisterClassExW(&windowClass) == 0) ThrowLastError(L"RegisterClassExW");
  }
}

int Run() {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
  if (!InitCommonControlsEx(&classes)) ThrowLastError(L"InitCommonControlsEx");
  RegisterClasses();
  MainWindow handler;
  const tools::ToolWindow main({L"PlainDialogMain", L"Plain", WS_OVERLAPPEDWINDOW, 0, {}},
                               &handler);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(GetForegroundWindow(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace
}  // namespace vistrane

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    return vistrane::Run();
  } catch (const vistrane::Win32Error& e) {
    OutputDebugStringW(e.message().c_str());
    return 1;
  }
}
