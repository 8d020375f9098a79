#include "mailsend/archiver_command.h"

#include "mailsend/archiver.h"
#include "mailsend/vstn_mail_cmn.h"
#include "shared/folder_path.h"

namespace vistrane {
namespace {

constexpr std::wstring_view kCommand = L"u";
constexpr std::wstring_view kOptions = L"-a1 -r2 -x1 -o2";
constexpr std::size_t kExtensionLength = 4;  // ".bmp"

}  // namespace

ArchiverCommand BuildArchiverCommand(std::wstring_view tmpFile, std::wstring_view dirName) {
  if (tmpFile.size() <= kExtensionLength) {
    throw ArchiveFailed(L"画像ファイル「" + std::wstring(tmpFile) +
                        L"」からは書庫の名前を作れません。");
  }
  if (dirName.empty()) throw ArchiveFailed(L"出力フォルダ（設定「DirName」）が空です。");

  ArchiverCommand command;
  command.archiveName = std::wstring(tmpFile.substr(0, tmpFile.size() - kExtensionLength));
  command.commandLine.append(kCommand)
      .append(L" ")
      .append(kOptions)
      .append(L" ")
      .append(QuoteIfNeeded(command.archiveName))
      .append(L" ")
      .append(QuoteIfNeeded(FolderPrefix(dirName)))
      .append(L" ")
      .append(QuoteIfNeeded(tmpFile));
  return command;
}

}  // namespace vistrane
