#pragma once
// Folders and whole files. Paths are full Windows paths.
#include <cstddef>
#include <string>

namespace vistrane {

// True when a folder or a file of that name exists: the start-up creates the
// output folder only where nothing has its name, and a file in the way is then
// reported by the first capture that writes there. A drive root ("D:\")
// always counts as existing, present or not, so it is never created.
bool PathExists(const std::wstring& path);

// Creates one folder (its parent must exist); throws Win32Error.
void CreateFolder(const std::wstring& path);

// Folder of the running program without a trailing backslash, except that a
// drive root keeps it ("C:\"), as in a stored output folder.
std::wstring ProgramFolder();

// Full path of a file in the running program's folder, with one backslash
// between them also when the program sits in a drive root.
std::wstring ProgramFilePath(const std::wstring& name);

// Creates or replaces the file with exactly these bytes. On failure no
// partial file is left behind and Win32Error names the failed step.
void WriteWholeFile(const std::wstring& path, const void* data, std::size_t size);

// Deletes the file; a file that is not there is not an error. Throws
// Win32Error for any other failure (in use, access denied).
void DeleteFileIfExists(const std::wstring& path);

}  // namespace vistrane
