#pragma once
// The products' one message box: title "VISTRANE エラーダイアログ", an
// exclamation icon and one OK button.
#include <windows.h>

#include <string_view>

namespace vistrane {

inline constexpr wchar_t kErrorDialogTitle[] = L"VISTRANE エラーダイアログ";

// Shows the box and returns when the user has closed it. It comes to the
// foreground also when the owner is a hidden window.
void ShowErrorMessage(HWND owner, std::wstring_view text);

// Closes, as OK would, every such box that the calling thread shows for
// `owner`: each ShowErrorMessage on the stack returns once control is back in
// its message loop.
void EndErrorMessages(HWND owner) noexcept;

}  // namespace vistrane
