#include "platform/ansi_text.h"

#include <windows.h>

#include "platform/text_encoding.h"
#include "platform/win32_error.h"

namespace vistrane {

AnsiText ToAnsi(std::wstring_view text) {
  AnsiText result;
  if (text.empty()) return result;
  const int length = CheckedTextLength(text.size());
  // A UTF-8 system code page holds every character and refuses the
  // lost-character report.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL lost = FALSE;
  BOOL* lostReport = utf8 ? nullptr : &lost;
  const int needed =
      WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, lostReport);
  if (needed == 0) ThrowLastError(L"WideCharToMultiByte");
  result.text.resize(static_cast<std::size_t>(needed));
  if (WideCharToMultiByte(CP_ACP, flags, text.data(), length, result.text.data(), needed, nullptr,
                          lostReport) == 0) {
    ThrowLastError(L"WideCharToMultiByte");
  }
  result.exact = !lost;
  return result;
}

std::wstring FromAnsi(std::string_view text) {
  if (text.empty()) return {};
  const int length = CheckedTextLength(text.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (needed == 0) ThrowLastError(L"MultiByteToWideChar");
  std::wstring result(static_cast<std::size_t>(needed), L'\0');
  if (MultiByteToWideChar(CP_ACP, 0, text.data(), length, result.data(), needed) == 0) {
    ThrowLastError(L"MultiByteToWideChar");
  }
  return result;
}

}  // namespace vistrane
