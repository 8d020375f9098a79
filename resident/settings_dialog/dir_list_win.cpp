#include "resident/settings_dialog/dir_list_win.h"

#include <shellapi.h>

#include <vector>

#include "platform/win32_error.h"

namespace vistrane {
namespace {

constexpr int kIconSize = 16;  // at 96 dpi
constexpr int kIndent = 12;
constexpr int kGap = 4;

int Scale(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

// The shell's folder picture at `size` pixels; null when the shell has none,
// and the entries are then drawn without it. Only the picture's place is asked
// of the shell: its own icon (SHGFI_ICON) comes from the process's system
// image list, whose first use builds it, at more cost than the whole dialog.
HICON FolderIcon(UINT openFlag, int size) {
  SHFILEINFOW info{};
  HICON icon = nullptr;
  if (SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
                     SHGFI_USEFILEATTRIBUTES | SHGFI_ICONLOCATION | openFlag) == 0 ||
      PrivateExtractIconsW(info.szDisplayName, info.iIcon, size, size, &icon, nullptr, 1, 0) != 1) {
    return nullptr;
  }
  return icon;
}

// The folder's visible subfolders; none when it cannot be read.
std::vector<std::wstring> Subfolders(const std::wstring& folder) {
  std::vector<std::wstring> names;
  if (folder.empty()) return names;
  std::wstring pattern = folder;
  if (pattern.back() != L'\\') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found{};
  const UniqueFind find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                         FindExSearchLimitToDirectories, nullptr, 0));
  if (!find) return names;
  do {
    const std::wstring_view name = found.cFileName;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    if (name == L"." || name == L"..") continue;
    names.emplace_back(name);
  } while (FindNextFileW(find.get(), &found));
  return names;
}

}  // namespace

void DirList::Attach(HWND listBox) {
  list_ = listBox;
  path_.clear();
  listing_ = {};
}

void DirList::SetPath(const std::wstring& path) {
  path_ = path;
  listing_ = ListFolders(path, Subfolders(path));
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  for (const FolderEntry& entry : listing_.entries) {
    // The text is there for screen readers and for LB_GETTEXT; the entry
    // itself is drawn by DrawItem.
    if (SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str())) < 0) {
      SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
      throw Win32Error(ERROR_NOT_ENOUGH_MEMORY, L"LB_ADDSTRING");
    }
  }
  if (!listing_.entries.empty()) SendMessageW(list_, LB_SETCURSEL, listing_.current, 0);
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
}

std::wstring DirList::HighlightedOtherPath() const {
  const LRESULT index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= listing_.entries.size()) return {};
  const std::wstring& path = listing_.entries[static_cast<std::size_t>(index)].path;
  return path == path_ ? std::wstring() : path;
}

void DirList::ApplyDpi(UINT dpi) {
  SendMessageW(list_, LB_SETITEMHEIGHT, 0, Scale(kIconSize + 2, dpi));
  // The pictures are kept from one opening to the next, for as long as the DPI holds.
  if (dpi == dpi_ && closedIcon_) return;
  dpi_ = dpi;
  closedIcon_.reset(FolderIcon(0, Scale(kIconSize, dpi)));
  openIcon_.reset(FolderIcon(SHGFI_OPENICON, Scale(kIconSize, dpi)));
}

void DirList::DrawItem(const DRAWITEMSTRUCT& item) const {
  const HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID < listing_.entries.size()) {
    const FolderEntry& entry = listing_.entries[item.itemID];
    const int icon = Scale(kIconSize, dpi_);
    const int left = item.rcItem.left + Scale(2 + kIndent * entry.level, dpi_);
    const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - icon) / 2;
    const HICON picture = entry.open ? openIcon_.get() : closedIcon_.get();
    if (picture != nullptr) DrawIconEx(dc, left, top, picture, icon, icon, 0, nullptr, DI_NORMAL);
    RECT text = item.rcItem;
    text.left = left + icon + Scale(kGap, dpi_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, entry.text.c_str(), static_cast<int>(entry.text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

}  // namespace vistrane
