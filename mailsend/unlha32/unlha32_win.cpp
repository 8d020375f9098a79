// UnLHA32.dll: the archiver entry point the mail sender binds by name.
#include <windows.h>

#include <string>

#include "mailsend/ansi_text_win.h"
#include "mailsend/unlha32/unlha_command.h"
#include "mailsend/unlha32/windows_archive_files_win.h"

namespace vistrane {
namespace {

// Copies as much of `text` as fits, never splitting a double-byte
// character, and always ends with a NUL.
void CopyToOutput(const std::string& text, LPSTR output, DWORD output_size) {
  if (output == nullptr || output_size == 0) return;
  std::size_t length = 0;
  while (length < text.size()) {
    const std::size_t width = IsDBCSLeadByte(static_cast<BYTE>(text[length])) ? 2 : 1;
    if (length + width > text.size() || length + width >= output_size) break;
    length += width;
  }
  text.copy(output, length);
  output[length] = '\0';
}

UnlhaOutcome Run(LPCSTR command_line) noexcept {
  if (command_line == nullptr) return {UnlhaStatus::kBadCommand, L"no command line"};
  try {
    WindowsArchiveFiles files;
    return RunUnlha(FromAnsi(command_line), files);
  } catch (...) {
    return {UnlhaStatus::kInternal, L"the command line could not be read"};
  }
}

}  // namespace
}  // namespace vistrane

// The owner window is not used: the archiver shows no window of its own.
extern "C" int WINAPI Unlha(HWND, LPCSTR commandLine, LPSTR output, DWORD outputSize) {
  using namespace vistrane;
  const UnlhaOutcome outcome = Run(commandLine);
  try {
    CopyToOutput(ToAnsi(outcome.message).text, output, outputSize);
  } catch (...) {
    CopyToOutput(outcome.status == UnlhaStatus::kOk ? "ok" : "failed", output, outputSize);
  }
  return static_cast<int>(outcome.status);
}
