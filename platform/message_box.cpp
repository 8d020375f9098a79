#include "platform/message_box.h"

#include <iterator>
#include <string>
#include <string_view>

namespace vistrane {
namespace {

BOOL CALLBACK EndIfErrorMessageOf(HWND window, LPARAM owner) {
  // A message box is a dialog of the system's class; its class and title,
  // with its owner, tell it from the program's own dialogs.
  wchar_t className[8]{};
  wchar_t title[std::size(kErrorDialogTitle) + 1]{};
  if (GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(owner) &&
      GetClassNameW(window, className, static_cast<int>(std::size(className))) != 0 &&
      std::wstring_view(className) == L"#32770" &&
      GetWindowTextW(window, title, static_cast<int>(std::size(title))) != 0 &&
      std::wstring_view(title) == kErrorDialogTitle) {
    EndDialog(window, IDOK);
  }
  return TRUE;
}

}  // namespace

void ShowErrorMessage(HWND owner, std::wstring_view text) {
  const std::wstring terminated(text);
  // A box that cannot be shown has nowhere left to report to; its result
  // (which button, or 0) is not needed.
  MessageBoxW(owner, terminated.c_str(), kErrorDialogTitle,
              MB_ICONEXCLAMATION | MB_OK | MB_SETFOREGROUND);
}

void EndErrorMessages(HWND owner) noexcept {
  EnumThreadWindows(GetCurrentThreadId(), EndIfErrorMessageOf, reinterpret_cast<LPARAM>(owner));
}

}  // namespace vistrane
