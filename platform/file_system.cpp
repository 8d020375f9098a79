#include "platform/file_system.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/file_writer.h"
#include "platform/unique_handle.h"
#include "platform/win32_error.h"

namespace vistrane {
namespace {

bool IsDriveRoot(const std::wstring& path) {
  const wchar_t letter = path.empty() ? L'\0' : path[0];
  const bool isLetter = (letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z');
  return path.size() == 3 && isLetter && path[1] == L':' &&
         (path[2] == L'\\' || path[2] == L'/');
}

}  // namespace

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
      std::wstring path(buffer.data(), length);
      const auto separator = path.find_last_of(L"\\/");
      if (separator == std::wstring::npos) throw Win32Error(ERROR_BAD_PATHNAME, L"GetModuleFileNameW");
      path.resize(separator == 2 ? separator + 1 : separator);  // "C:\" keeps its backslash
      return path;
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring ProgramFilePath(const std::wstring& name) {
  std::wstring path = ProgramFolder();
  if (path.back() != L'\\') path += L'\\';
  return path + name;
}

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
