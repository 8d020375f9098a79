#include "platform/message_box.h"

#include <string>

namespace vistrane {

void ShowErrorMessage(HWND owner, std::wstring_view text) {
  const std::wstring terminated(text);
  // A box that cannot be shown has nowhere left to report to; its result
  // (which button, or 0) is not needed.
  MessageBoxW(owner, terminated.c_str(), kErrorDialogTitle,
              MB_ICONEXCLAMATION | MB_OK | MB_SETFOREGROUND);
}

}  // namespace vistrane
