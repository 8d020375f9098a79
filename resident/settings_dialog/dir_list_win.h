#pragma once
// dirList: the folder list of the output folder. It shows the current path's
// ancestors and its subfolders, indented by level, each with a folder
// picture. A single click or the arrow keys only highlight an entry; opening
// one (double click or Enter) makes it the path.
#include <windows.h>

#include <string>

#include "platform/unique_handle.h"
#include "resident/settings_dialog/output_folder.h"

namespace vistrane {

class DirList {
 public:
  // The list box to work, empty: an owner-drawn one with strings
  // (LBS_OWNERDRAWFIXED, LBS_HASSTRINGS, LBS_NOTIFY).
  void Attach(HWND listBox);

  // Shows the folder. A folder that cannot be listed (no access, a drive
  // that is not ready) shows its ancestors only, without an error.
  void SetPath(const std::wstring& path);
  const std::wstring& Path() const noexcept { return path_; }

  // The highlighted entry's path when it differs from Path(); empty otherwise.
  std::wstring HighlightedOtherPath() const;

  // Item height, indentation and folder pictures for the window's DPI.
  void ApplyDpi(UINT dpi);
  void DrawItem(const DRAWITEMSTRUCT& item) const;

 private:
  HWND list_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::wstring path_;
  FolderListing listing_;
  UniqueHicon closedIcon_;
  UniqueHicon openIcon_;
};

}  // namespace vistrane
