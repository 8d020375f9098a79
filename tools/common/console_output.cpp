#include "tools/common/console_output.h"

#include <windows.h>

#include <string>

#include "platform/text_encoding.h"

namespace vistrane::tools {
namespace {

// Output to the standard handles is best effort: a closed stdout must not
// turn a finished command into a failure.
void WriteStd(DWORD which, std::wstring_view text) {
  const HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) return;
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  const std::string utf8 = WideToUtf8(text);
  WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

}  // namespace

void WriteOut(std::wstring_view text) { WriteStd(STD_OUTPUT_HANDLE, text); }

void WriteErr(std::wstring_view text) { WriteStd(STD_ERROR_HANDLE, text); }

}  // namespace vistrane::tools
