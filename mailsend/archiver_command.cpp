#include "mailsend/archiver_command.h"

#include "mailsend/archiver.h"
#include "mailsend/vstn_mail_cmn.h"
#include "shared/folder_path.h"

namespace vistrane {
namespace {

constexpr std::wstring_view kCommand = L"u";
constexpr std::wstring_view kOptions = L"-a1 -r2 -x1 -o2";
constexpr std::size_t kExtensionLength = 4;  // ".bmp"
constexpr std::wstring_view kArchiveExtension = L".lzh";

}  // namespace

std::wstring ArchiveNameFor(std::wstring_view tmpFile, std::wstring_view extension) {
  if (tmpFile.size() <= kExtensionLength) {
    throw ArchiveFailed(L"画像ファイル「" + std::wstring(tmpFile) +
                        L"」からは書庫の名前を作れません。");
  }
  if (FolderOfFile(tmpFile).empty()) {
    throw ArchiveFailed(L"画像ファイル「" + std::wstring(tmpFile) + L"」にフォルダがありません。");
  }
  return WithImageExtension(tmpFile, extension);
}

ArchiverCommand BuildArchiverCommand(std::wstring_view tmpFile) {
  ArchiverCommand command;
  command.archiveName = ArchiveNameFor(tmpFile, kArchiveExtension);
  const std::wstring folder = FolderOfFile(tmpFile);
  command.commandLine.append(kCommand)
      .append(L" ")
      .append(kOptions)
      .append(L" ")
      .append(QuoteIfNeeded(command.archiveName))
      .append(L" ")
      .append(QuoteIfNeeded(FolderPrefix(folder)))
      .append(L" ")
      .append(QuoteIfNeeded(tmpFile));
  return command;
}

}  // namespace vistrane
