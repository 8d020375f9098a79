#include "resident/settings_dialog/output_folder.h"

#include <algorithm>
#include <cwctype>

#include "shared/folder_path.h"

namespace vistrane {
namespace {

// Length of the root part: "C:\" or "\\server\share"; 0 for a relative path.
std::size_t RootLength(std::wstring_view path) {
  if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return 3;
  if (path.starts_with(L"\\\\")) {
    const std::size_t server = path.find(L'\\', 2);
    if (server == std::wstring_view::npos) return path.size();
    const std::size_t share = path.find(L'\\', server + 1);
    return share == std::wstring_view::npos ? path.size() : share;
  }
  return 0;
}

// Without trailing backslashes, except the one a drive root keeps.
std::wstring FolderPath(std::wstring_view path) {
  if (path.size() == 2 && path[1] == L':') return std::wstring(path) + L"\\";
  while (path.size() > 1 && path.back() == L'\\' && !IsDriveRoot(path)) path.remove_suffix(1);
  return std::wstring(path);
}

bool LessIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](wchar_t x, wchar_t y) { return std::towlower(x) < std::towlower(y); });
}

}  // namespace

DriveList FixedDriveList(const std::function<bool(const std::wstring& root)>& isFixed,
                         std::wstring_view drive) {
  DriveList list;
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    const std::wstring root{letter, L':', L'\\'};
    if (!isFixed(root)) continue;
    if (root == drive) list.selected = list.roots.size();
    list.roots.push_back(root);
  }
  return list;
}

bool ChooseDrive(SettingsRecord& record, const std::wstring& root) {
  if (root == record.Drive) return false;
  record.Drive = root;
  record.DirName = root;
  return true;
}

FolderListStart FolderListStartFor(std::wstring_view dirName, PathKind kind,
                                   std::span<const std::wstring> fixedDrives) {
  switch (kind) {
    case PathKind::Folder:
      return {FolderPath(dirName), true};
    case PathKind::File:
      return {FolderOfFile(FolderPath(dirName)), false};
    case PathKind::Missing:
      break;
  }
  return {fixedDrives.empty() ? std::wstring() : fixedDrives.front(), false};
}

FolderListing ListFolders(std::wstring_view path, std::vector<std::wstring> subfolders) {
  FolderListing listing;
  const std::wstring folder = FolderPath(path);
  const std::size_t rootLength = RootLength(folder);
  std::wstring ancestor = folder.substr(0, rootLength);
  // "C:\" or "\\server\share"; a relative path has no root entry.
  if (!ancestor.empty()) listing.entries.push_back({ancestor, ancestor, 0, true});
  std::size_t start = rootLength;
  while (start < folder.size()) {
    if (folder[start] == L'\\') {
      ++start;
      continue;
    }
    const std::size_t end = std::min(folder.find(L'\\', start), folder.size());
    const std::wstring name = folder.substr(start, end - start);
    ancestor = ancestor.empty() ? name : JoinPath(ancestor, name);
    listing.entries.push_back({ancestor, name, static_cast<int>(listing.entries.size()), true});
    start = end;
  }
  listing.current = listing.entries.empty() ? 0 : listing.entries.size() - 1;
  std::sort(subfolders.begin(), subfolders.end(), LessIgnoringCase);
  const int level = static_cast<int>(listing.entries.size());
  for (const std::wstring& name : subfolders) {
    listing.entries.push_back({JoinPath(folder, name), name, level, false});
  }
  return listing;
}

}  // namespace vistrane
