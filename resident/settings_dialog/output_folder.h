#pragma once
// The output folder pickers: the drive list drvBox and the folder list
// dirList, whose choices become Drive and DirName.
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shared/settings_record.h"

namespace vistrane {

struct DriveList {
  std::vector<std::wstring> roots;      // "C:\", "E:\", ...
  std::optional<std::size_t> selected;  // the entry equal to Drive
};

// The fixed drives from A:\ to Z:\ and the entry equal to `drive` (exact
// comparison). A Drive that is not listed (a network drive, a drive gone)
// selects nothing: selecting any other entry would choose that drive.
DriveList FixedDriveList(const std::function<bool(const std::wstring& root)>& isFixed,
                         std::wstring_view drive);

// drvBox_Click's record part: another drive makes its root both Drive and
// DirName. Returns false, changing nothing, for the drive already set.
bool ChooseDrive(SettingsRecord& record, const std::wstring& root);

enum class PathKind { Missing, Folder, File };

struct FolderListStart {
  std::wstring path;
  // True when `path` is DirName itself, so the list's change handler runs
  // and DirName takes the list's spelling. False when the list shows a stand
  // in and DirName stays as it is until the user chooses a folder.
  bool isDirName;
};

// Where the folder list opens for DirName: the folder itself (a drive root
// with its backslash, any other without), the folder of a file that DirName
// names, else the first fixed drive's root (empty without fixed drives).
FolderListStart FolderListStartFor(std::wstring_view dirName, PathKind kind,
                                   std::span<const std::wstring> fixedDrives);

struct FolderEntry {
  std::wstring path;  // full path, as DirName takes it
  std::wstring text;  // what the list shows: the root, else the folder's name
  int level;          // indentation: 0 for the root
  bool open;          // the path itself or one of its ancestors
};

struct FolderListing {
  std::vector<FolderEntry> entries;
  std::size_t current;  // the entry of the path itself
};

// The folder list for `path` (as FolderListStartFor gives it): the root, each
// ancestor, the path itself, then its subfolders one level deeper, sorted by
// name without regard to case.
FolderListing ListFolders(std::wstring_view path, std::vector<std::wstring> subfolders);

}  // namespace vistrane
