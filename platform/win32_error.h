#pragma once
// A failed Win32 call as an exception: the system error code and the
// operation that failed, with the system's own description.
#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace vistrane {

class Win32Error : public std::runtime_error {
 public:
  Win32Error(DWORD code, std::wstring_view operation);

  DWORD code() const noexcept { return code_; }
  const std::wstring& operation() const noexcept { return operation_; }
  // "<operation>: <system text> (<code>)"; what() is the same text in UTF-8.
  const std::wstring& message() const noexcept { return message_; }

 private:
  Win32Error(DWORD code, std::wstring operation, std::wstring message);

  DWORD code_;
  std::wstring operation_;
  std::wstring message_;
};

// The system's description of an error code, without the trailing line
// break; the bare number when the system has no text for it.
std::wstring Win32ErrorText(DWORD code);

// An HRESULT as the user reads it: the system's text and the code in hex
// ("<text> (0x80070005)"), the code alone when the system has no text for it.
std::wstring HresultText(HRESULT hr);

// Throws Win32Error for an operation on a file or folder, naming the path.
[[noreturn]] void ThrowFileError(DWORD code, std::wstring_view operation, const std::wstring& path);

// Throws Win32Error with GetLastError().
[[noreturn]] void ThrowLastError(std::wstring_view operation);

}  // namespace vistrane
