#include "resident/shell/print_screen_key_win.h"

#include <string>

#include "platform/message_box.h"
#include "platform/registry_values.h"
#include "platform/win32_error.h"
#include "resident/shell/print_screen_key.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

constexpr wchar_t kVersionKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr wchar_t kKeyboardKey[] = L"Control Panel\\Keyboard";
constexpr wchar_t kSnippingValue[] = L"PrintScreenKeyForSnippingEnabled";

}  // namespace

void OfferPrintScreenKey(HWND owner, SettingsStore& store) {
  PrintScreenKeyState state;
  try {
    state.currentBuildNumber =
        ReadRegistryText(HKEY_LOCAL_MACHINE, kVersionKey, L"CurrentBuildNumber");
    state.snippingEnabled = ReadRegistryDword(HKEY_CURRENT_USER, kKeyboardKey, kSnippingValue);
  } catch (const Win32Error& error) {
    // Unreadable system values are no reason to trouble the user at every
    // start; the question waits for a start where they can be read.
    OutputDebugStringW((error.message() + L"\n").c_str());
    return;
  }
  try {
    state.asked = ReadSettingText(store, kPrintScreenKeyAskedSetting);
  } catch (const StoreError& error) {
    // An answer that cannot be read counts as none: the question writes a
    // readable one.
    OutputDebugStringW((error.message() + L"\n").c_str());
  }
  if (!ShouldAskForPrintScreenKey(state)) return;

  const int answer = MessageBoxW(owner, kPrintScreenKeyQuestion, kPrintScreenKeyTitle,
                                 MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND);
  // A box closed without an answer (the program ended under it) asks again
  // at the next start.
  if (answer != IDYES && answer != IDNO) return;
  if (answer == IDYES) {
    try {
      WriteRegistryDword(HKEY_CURRENT_USER, kKeyboardKey, kSnippingValue, 0);
    } catch (const Win32Error& error) {
      ShowErrorMessage(
          owner, WithReason(L"PrintScreen キーの設定を変更できませんでした。", error.message()));
      return;
    }
  }
  store.SaveSetting(kPrintScreenKeyAskedSetting, kPrintScreenKeyAskedValue);
}

}  // namespace vistrane
