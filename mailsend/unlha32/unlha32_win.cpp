// UnLHA32.dll: the archiver entry point the mail sender binds by name.
#include <windows.h>

#include <string>

#include "mailsend/unlha32/unlha_command.h"
#include "mailsend/unlha32/windows_archive_files_win.h"
#include "platform/ansi_text.h"

namespace vistrane {
namespace {

// Bytes of the character that starts at `lead` in the ANSI code page.
std::size_t CharacterWidth(unsigned char lead, bool utf8) {
  if (!utf8) return IsDBCSLeadByte(lead) ? 2 : 1;
  return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// Copies as much of `text` as fits, never splitting a character, and always
// ends with a NUL.
void CopyToOutput(const std::string& text, LPSTR output, DWORD outputSize) {
  if (output == nullptr || outputSize == 0) return;
  const bool utf8 = GetACP() == CP_UTF8;
  std::size_t length = 0;
  while (length < text.size()) {
    const std::size_t width = CharacterWidth(static_cast<unsigned char>(text[length]), utf8);
    if (length + width > text.size() || length + width >= outputSize) break;
    length += width;
  }
  text.copy(output, length);
  output[length] = '\0';
}

UnlhaOutcome Run(LPCSTR commandLine) noexcept {
  if (commandLine == nullptr) return {UnlhaStatus::kBadCommand, L"コマンドラインがありません。"};
  try {
    WindowsArchiveFiles files;
    return RunUnlha(FromAnsi(commandLine), files);
  } catch (...) {
    return {UnlhaStatus::kInternal, L"コマンドラインを読み取れませんでした。"};
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
