#include "platform/account_names.h"

#include <windows.h>

#include <lmcons.h>

#include "platform/win32_error.h"

namespace vistrane {

std::wstring ComputerName() {
  wchar_t buffer[MAX_COMPUTERNAME_LENGTH + 1]{};
  DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
  if (!GetComputerNameW(buffer, &length)) ThrowLastError(L"GetComputerName");
  return std::wstring(buffer, length);
}

std::wstring UserName() {
  wchar_t buffer[UNLEN + 1]{};
  DWORD length = UNLEN + 1;
  if (!GetUserNameW(buffer, &length)) ThrowLastError(L"GetUserName");
  // The length counts the terminating null.
  return std::wstring(buffer, length > 0 ? length - 1 : 0);
}

}  // namespace vistrane
