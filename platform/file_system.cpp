#include "platform/file_system.h"

#include <windows.h>

#include <vector>

#include "platform/file_writer.h"
#include "platform/unique_handle.h"
#include "platform/win32_error.h"
#include "shared/folder_path.h"

namespace vistrane {

bool PathExists(const std::wstring& path) {
  if (IsDriveRoot(path)) return true;
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CreateFolder(const std::wstring& path) {
  if (!CreateDirectoryW(path.c_str(), nullptr)) {
    ThrowFileError(GetLastError(), L"CreateDirectoryW", path);
  }
}

std::wstring ProgramFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) ThrowLastError(L"GetModuleFileNameW");
    // A full buffer means the path was cut short.
    if (length < size) {
      std::wstring folder = FolderOfFile(std::wstring_view(buffer.data(), length));
      if (folder.empty()) throw Win32Error(ERROR_BAD_PATHNAME, L"GetModuleFileNameW");
      return folder;
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring ProgramFilePath(const std::wstring& name) { return JoinPath(ProgramFolder(), name); }

void WriteWholeFile(const std::wstring& path, const void* data, std::size_t size) {
  FileWriter file(path);
  file.Write(data, size);
  file.Commit();
}

void DeleteFileIfExists(const std::wstring& path) {
  if (DeleteFileW(path.c_str())) return;
  const DWORD code = GetLastError();
  if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return;
  ThrowFileError(code, L"DeleteFileW", path);
}

}  // namespace vistrane
