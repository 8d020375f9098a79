#pragma once
// Folders as the settings keep them: a drive root ends in its backslash
// ("C:\"), every other folder has none ("C:\VstrnTmp", "\\server\share").
// Every place that puts a file name after a folder, or takes a file's folder,
// goes through these, so all of them agree on the drive root.
#include <string>
#include <string_view>

namespace vistrane {

// A backslash, or a slash, which Windows takes for one.
inline bool IsPathSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// A drive letter, a colon and one backslash (or slash), nothing more.
bool IsDriveRoot(std::wstring_view folder);

// A folder that names one place whatever the current folder: a drive root
// with what follows it ("C:\", "C:\VstrnTmp") or a share ("\\server\share").
// A relative folder ("rel", "C:rel", "\rel") would follow the program's
// working folder or current drive.
bool IsAbsoluteFolder(std::wstring_view folder);

// What goes in front of a file name: a drive root as it is, any other folder
// with one backslash added, also when it already ends in one ("C:\caps\"
// gives "C:\caps\\", as a folder typed that way always has).
std::wstring FolderPrefix(std::wstring_view folder);

// FolderPrefix(folder) followed by name.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// The folder of a full file path, the inverse of JoinPath: a drive root
// keeps its backslash ("C:\a.exe" gives "C:\"), any other folder loses it.
// Empty when the path has no backslash or slash.
std::wstring FolderOfFile(std::wstring_view path);

}  // namespace vistrane
