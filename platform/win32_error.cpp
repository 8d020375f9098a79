#include "platform/win32_error.h"

#include <cwchar>
#include <string>

#include "platform/text_encoding.h"

namespace vistrane {
namespace {

std::wstring Describe(DWORD code, std::wstring_view operation) {
  std::wstring text(operation);
  text += L": ";
  text += Win32ErrorText(code);
  text += L" (";
  text += std::to_wstring(code);
  text += L")";
  return text;
}

// Frees the buffer that FORMAT_MESSAGE_ALLOCATE_BUFFER returned.
struct LocalBuffer {
  wchar_t* text = nullptr;
  ~LocalBuffer() { LocalFree(text); }
};

}  // namespace

Win32Error::Win32Error(DWORD code, std::wstring_view operation)
    : Win32Error(code, std::wstring(operation), Describe(code, operation)) {}

Win32Error::Win32Error(DWORD code, std::wstring operation, std::wstring message)
    : std::runtime_error(WideToUtf8(message)),
      code_(code),
      operation_(std::move(operation)),
      message_(std::move(message)) {}

std::wstring Win32ErrorText(DWORD code) {
  LocalBuffer buffer;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer.text), 0, nullptr);
  std::wstring text;
  if (length != 0 && buffer.text != nullptr) text.assign(buffer.text, length);
  const auto last = text.find_last_not_of(L" \t\r\n");
  if (last == std::wstring::npos) return std::to_wstring(code);
  text.resize(last + 1);
  return text;
}

std::wstring HresultText(HRESULT hr) {
  wchar_t code[16];
  std::swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(hr));
  const std::wstring text = Win32ErrorText(static_cast<DWORD>(hr));
  return text == std::to_wstring(static_cast<DWORD>(hr)) ? std::wstring(code)
                                                         : text + L" (" + code + L")";
}

void ThrowLastError(std::wstring_view operation) { throw Win32Error(GetLastError(), operation); }

void ThrowFileError(DWORD code, std::wstring_view operation, const std::wstring& path) {
  throw Win32Error(code, std::wstring(operation) + L"(" + path + L")");
}

}  // namespace vistrane
