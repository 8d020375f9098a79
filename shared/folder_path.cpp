#include "shared/folder_path.h"

namespace vistrane {
namespace {

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

bool IsDriveRoot(std::wstring_view folder) {
  return folder.size() == 3 && IsDriveLetter(folder[0]) && folder[1] == L':' &&
         IsPathSeparator(folder[2]);
}

bool IsAbsoluteFolder(std::wstring_view folder) {
  if (folder.size() >= 3 && IsDriveRoot(folder.substr(0, 3))) return true;
  // Two separators, a server, a separator and a share.
  if (folder.size() < 2 || !IsPathSeparator(folder[0]) || !IsPathSeparator(folder[1])) return false;
  const std::wstring_view rest = folder.substr(2);
  const std::size_t separator = rest.find_first_of(L"\\/");
  return separator != 0 && separator != std::wstring_view::npos && separator + 1 < rest.size() &&
         !IsPathSeparator(rest[separator + 1]);
}

std::wstring FolderPrefix(std::wstring_view folder) {
  std::wstring prefix(folder);
  if (!IsDriveRoot(folder)) prefix += L'\\';
  return prefix;
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  return FolderPrefix(folder).append(name);
}

std::wstring FolderOfFile(std::wstring_view path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring_view::npos) return {};
  const std::wstring_view withSeparator = path.substr(0, separator + 1);
  return std::wstring(IsDriveRoot(withSeparator) ? withSeparator : path.substr(0, separator));
}

}  // namespace vistrane
