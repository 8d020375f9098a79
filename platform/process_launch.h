#pragma once
// Starting another program the way Explorer would open it.
#include <windows.h>

#include <string>

namespace vistrane {

// ShellExecuteW "open" with no parameters or working folder, shown normally.
// False when the system could not start it (missing file, no association...).
bool OpenWithShell(HWND owner, const std::wstring& file);

}  // namespace vistrane
