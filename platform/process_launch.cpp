#include "platform/process_launch.h"

#include <shellapi.h>

namespace vistrane {

bool OpenWithShell(HWND owner, const std::wstring& file) {
  const HINSTANCE result = ShellExecuteW(owner, L"open", file.c_str(), L"", L"", SW_SHOWNORMAL);
  // Values up to 32 are error codes; anything above means the program started.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace vistrane
