#include "mailsend/unlha32/archived_file.h"

#include <algorithm>
#include <cwctype>

#include "mailsend/unlha32/archive_error.h"
#include "shared/folder_path.h"

namespace vistrane {
namespace {

bool IsFullPath(const std::wstring& path) {
  return (path.size() >= 2 && path[1] == L':') || (!path.empty() && IsPathSeparator(path[0]));
}

bool SamePathChar(wchar_t a, wchar_t b) {
  return (IsPathSeparator(a) && IsPathSeparator(b)) || std::towlower(a) == std::towlower(b);
}

bool StartsWithFolder(const std::wstring& path, const std::wstring& folder) {
  return path.size() > folder.size() &&
         std::equal(folder.begin(), folder.end(), path.begin(), SamePathChar);
}

std::wstring WithoutRoot(const std::wstring& path) {
  std::size_t start = path.size() >= 2 && path[1] == L':' ? 2 : 0;
  while (start < path.size() && IsPathSeparator(path[start])) ++start;
  return path.substr(start);
}

std::vector<std::wstring> SplitRelative(const std::wstring& relative, const std::wstring& file) {
  std::vector<std::wstring> parts;
  std::wstring part;
  for (std::size_t i = 0; i <= relative.size(); ++i) {
    if (i < relative.size() && !IsPathSeparator(relative[i])) {
      part += relative[i];
      continue;
    }
    if (part == L"." || part == L"..")
      throw ArchiveError(UnlhaStatus::kBadCommand,
                         L"「" + file + L"」：「.」と「..」は書庫に格納できません。");
    if (!part.empty()) parts.push_back(std::move(part));
    part.clear();
  }
  if (parts.empty())
    throw ArchiveError(UnlhaStatus::kBadCommand, L"「" + file + L"」にはファイル名がありません。");
  return parts;
}

}  // namespace

ArchivedFile ResolveArchivedFile(const std::wstring& baseFolder, const std::wstring& file) {
  ArchivedFile resolved;
  std::wstring relative;
  if (baseFolder.empty()) {
    resolved.path = file;
    relative = WithoutRoot(file);
  } else if (IsFullPath(file)) {
    if (!StartsWithFolder(file, baseFolder))
      throw ArchiveError(UnlhaStatus::kBadCommand, L"「" + file + L"」は基準フォルダ「" +
                                                       baseFolder + L"」の中にありません。");
    resolved.path = file;
    relative = file.substr(baseFolder.size());
  } else {
    resolved.path = baseFolder + file;
    relative = file;
  }
  resolved.storedParts = SplitRelative(relative, file);
  return resolved;
}

}  // namespace vistrane
