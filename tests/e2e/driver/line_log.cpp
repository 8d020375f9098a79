#include "tests/e2e/driver/line_log.h"

#include "platform/win32_error.h"
#include "tools/common/console_output.h"
#include "tools/common/file_output.h"

namespace vistrane::vtest {

void LineLog::Write(const std::wstring& line) noexcept {
  try {
    tools::AppendUtf8File(path_, line + L"\n");
  } catch (const Win32Error& error) {
    tools::WriteErr(L"vtest " + command_ + L": " + error.message() + L"\n");
    failed_ = true;
  }
}

}  // namespace vistrane::vtest
