#include "platform/file_system.h"

#include <windows.h>

#include <algorithm>
#include <vector>

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

[[noreturn]] void ThrowFileError(DWORD code, const wchar_t* operation, const std::wstring& path) {
  throw Win32Error(code, std::wstring(operation) + L"(" + path + L")");
}

}  // namespace

bool FolderExists(const std::wstring& path) {
  if (IsDriveRoot(path)) return true;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
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

void WriteWholeFile(const std::wstring& path, const void* data, std::size_t size) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) ThrowFileError(GetLastError(), L"CreateFileW", path);

  // From here on the file is ours: a failure removes it before throwing.
  const auto discard = [&](DWORD code, const wchar_t* operation) {
    file.reset();
    DeleteFileW(path.c_str());
    ThrowFileError(code, operation, path);
  };
  const auto* next = static_cast<const unsigned char*>(data);
  std::size_t left = size;
  while (left > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(left, std::size_t{1} << 30));
    DWORD written = 0;
    if (!WriteFile(file.get(), next, chunk, &written, nullptr)) discard(GetLastError(), L"WriteFile");
    if (written == 0) discard(ERROR_WRITE_FAULT, L"WriteFile");
    next += written;
    left -= written;
  }
  // Closing can still report a failed write (full disk on a network share).
  if (!CloseHandle(file.release())) discard(GetLastError(), L"CloseHandle");
}

void DeleteFileIfExists(const std::wstring& path) {
  if (DeleteFileW(path.c_str())) return;
  const DWORD code = GetLastError();
  if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return;
  ThrowFileError(code, L"DeleteFileW", path);
}

}  // namespace vistrane
