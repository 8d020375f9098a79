#pragma once
// Windows 11 can give the screen-copy key to its screen-snipping tool: the key
// then opens a selection overlay and the clipboard receives a bitmap that an
// application owns, which Vistrane rightly ignores. At start-up Vistrane offers,
// once, to give the key back to screen copies.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vistrane {

// What the system and the settings store say at start-up.
struct PrintScreenKeyState {
  // CurrentBuildNumber under HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion
  // (the build winver shows); nullopt when missing.
  std::optional<std::wstring> currentBuildNumber;
  // PrintScreenKeyForSnippingEnabled under HKCU\Control Panel\Keyboard;
  // nullopt when missing, which Windows 11 takes as "on".
  std::optional<std::uint32_t> snippingEnabled;
  // The settings store's kPrintScreenKeyAskedSetting ("1" once asked).
  std::wstring asked;
};

// The first Windows build that is Windows 11.
inline constexpr std::uint32_t kFirstWindows11Build = 22000;

// True when the question is due: Windows 11 or later, the key opens the
// snipping tool, and the question was never asked.
bool ShouldAskForPrintScreenKey(const PrintScreenKeyState& state);

// The store value that remembers the question was asked; the earlier
// versions' settings have no such key.
inline constexpr std::wstring_view kPrintScreenKeyAskedSetting = L"SnipKeyAsked";
inline constexpr wchar_t kPrintScreenKeyAskedValue[] = L"1";

inline constexpr wchar_t kPrintScreenKeyTitle[] = L"Vistrane";
inline constexpr wchar_t kPrintScreenKeyQuestion[] =
    L"この Windows では、PrintScreen キーを押すと画面キャプチャ（切り取り）の画面が開き、"
    L"画面のコピーがクリップボードに送られません。このままでは Vistrane で画面を取り込めません。\n\n"
    L"PrintScreen キーを画面のコピーに戻しますか？\n"
    L"変更は次回のサインインから有効になります。\n\n"
    L"「いいえ」を選んだ場合も、Windows の［設定］>［アクセシビリティ］>［キーボード］の"
    L"「PrintScreen キーを使用して画面キャプチャを開く」をオフにすると戻せます。";

}  // namespace vistrane
