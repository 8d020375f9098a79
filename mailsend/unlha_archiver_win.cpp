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

AnsiText AnsiCommandLine(const std::wstring& commandLine) {
  AnsiText command;
  try {
    command = ToAnsi(commandLine);
  } catch (const Win32Error& e) {
    throw ArchiveFailed(L"コマンドラインをこのシステムの文字コードに変換できませんでした。" +
                        Win32ErrorText(e.code()));
  }
  if (!command.exact) {
    throw ArchiveFailed(L"ファイルの場所に、このシステムの文字コードで表せない文字があります。");
  }
  return command;
}

// The archiver's own text, or its result code when it wrote none that can
// be read.
std::wstring Reason(const std::vector<char>& output, int result) {
  const auto end = std::find(output.begin(), output.end(), '\0');
  std::wstring reason;
  try {
    reason = TrimmedLines(FromAnsi(std::string(output.begin(), end)));
  } catch (const Win32Error&) {
    // Not text in this code page: the result code below says what there is.
  }
  return reason.empty() ? L"「UnLHA32.dll」のエラーコード " + std::to_wstring(result) : reason;
}

}  // namespace

UnlhaArchiver::UnlhaArchiver() noexcept {
  try {
    Bind();
  } catch (...) {
    bindFailure_ = std::current_exception();
  }
}

void UnlhaArchiver::Bind() {
  // The program's own folder first, then the system folders: where the
  // archiver is installed either beside the program or system-wide.
  try {
    library_ = LoadLibraryFrom(L"UnLHA32.dll", LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  } catch (const Win32Error& e) {
    // Only a DLL that is not there is "not installed"; one that is there but
    // cannot be loaded (built for another processor, damaged) is a failure
    // with the system's reason.
    if (e.code() == ERROR_MOD_NOT_FOUND) throw ArchiverMissing();
    throw ArchiveFailed(L"「UnLHA32.dll」を読み込めませんでした。" + Win32ErrorText(e.code()));
  }
  unlha_ = ExportedFunction<UnlhaFunction>(library_.get(), "Unlha");
  if (unlha_ == nullptr) throw ArchiverMissing();
}

void UnlhaArchiver::Unlha(const std::wstring& commandLine) {
  if (bindFailure_) std::rethrow_exception(bindFailure_);
  const AnsiText command = AnsiCommandLine(commandLine);
  std::vector<char> output(kOutputSize, '\0');
  const int result = unlha_(nullptr, command.text.c_str(), output.data(), kOutputSize);
  if (result != 0) throw ArchiveFailed(Reason(output, result));
}

}  // namespace vistrane
