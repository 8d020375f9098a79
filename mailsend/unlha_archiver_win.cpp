#include "mailsend/unlha_archiver_win.h"

#include <algorithm>
#include <vector>

#include "platform/ansi_text.h"
#include "platform/dll_binding.h"
#include "platform/win32_error.h"

namespace vistrane {
namespace {

// The archiver's messages fit in this many characters.
constexpr DWORD kOutputSize = 1024;

std::wstring TrimmedLines(std::wstring text) {
  const auto last = text.find_last_not_of(L" \t\r\n");
  text.resize(last == std::wstring::npos ? 0 : last + 1);
  return text;
}

}  // namespace

void UnlhaArchiver::Bind() {
  // The program's own folder first, then the system folders: where the
  // archiver is installed either beside the program or system-wide.
  library_ = LoadLibraryFrom(L"UnLHA32.dll", LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  unlha_ = ExportedFunction<UnlhaFunction>(library_.get(), "Unlha");
  if (unlha_ == nullptr) ThrowLastError(L"GetProcAddress(UnLHA32.dll, Unlha)");
}

void UnlhaArchiver::Unlha(const std::wstring& commandLine) {
  if (unlha_ == nullptr) Bind();
  const AnsiText command = ToAnsi(commandLine);
  if (!command.exact) {
    throw ArchiveFailed(L"ファイルの場所に、このシステムの文字コードで表せない文字があります。");
  }
  std::vector<char> output(kOutputSize, '\0');
  const int result = unlha_(nullptr, command.text.c_str(), output.data(), kOutputSize);
  if (result == 0) return;
  const auto end = std::find(output.begin(), output.end(), '\0');
  std::wstring reason = TrimmedLines(FromAnsi(std::string(output.begin(), end)));
  if (reason.empty()) reason = L"エラーコード " + std::to_wstring(result);
  throw ArchiveFailed(reason);
}

}  // namespace vistrane
