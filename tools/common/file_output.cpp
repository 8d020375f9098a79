#include "tools/common/file_output.h"

#include <windows.h>

#include <climits>

#include "platform/text_encoding.h"
#include "platform/unique_handle.h"
#include "platform/win32_error.h"

namespace vistrane::tools {
namespace {

void Write(const std::wstring& path, DWORD access, DWORD share, DWORD disposition,
           const void* data, std::size_t size) {
  if (size > UINT_MAX) throw Win32Error(ERROR_FILE_TOO_LARGE, L"WriteFile " + path);
  UniqueFile file(
      CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) ThrowLastError(L"CreateFileW " + path);
  DWORD written = 0;
  if (!WriteFile(file.get(), data, static_cast<DWORD>(size), &written, nullptr) ||
      written != size) {
    ThrowLastError(L"WriteFile " + path);
  }
}

}  // namespace

void WriteBinaryFile(const std::wstring& path, const void* data, std::size_t size) {
  Write(path, GENERIC_WRITE, 0, CREATE_ALWAYS, data, size);
}

void WriteUtf8File(const std::wstring& path, std::wstring_view text) {
  const std::string utf8 = WideToUtf8(text);
  WriteBinaryFile(path, utf8.data(), utf8.size());
}

void AppendUtf8File(const std::wstring& path, std::wstring_view text) {
  const std::string utf8 = WideToUtf8(text);
  Write(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS, utf8.data(),
        utf8.size());
}

}  // namespace vistrane::tools
