#include "platform/locale_separators.h"

#include <windows.h>

#include "platform/win32_error.h"

namespace vistrane {
namespace {

std::wstring LocaleText(LCTYPE type) {
  // Separators are at most four characters long.
  wchar_t buffer[8]{};
  const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 8);
  if (length == 0) ThrowLastError(L"GetLocaleInfoEx");
  return std::wstring(buffer, static_cast<std::size_t>(length - 1));
}

}  // namespace

std::wstring DateSeparator() { return LocaleText(LOCALE_SDATE); }
std::wstring TimeSeparator() { return LocaleText(LOCALE_STIME); }

}  // namespace vistrane
