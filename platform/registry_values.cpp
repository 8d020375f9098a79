#include "platform/registry_values.h"

#include <vector>

#include "platform/unique_handle.h"
#include "platform/win32_error.h"

namespace vistrane {
namespace {

[[noreturn]] void Throw(LSTATUS status, const wchar_t* operation, const wchar_t* subkey,
                        const wchar_t* name) {
  throw Win32Error(static_cast<DWORD>(status),
                   std::wstring(operation) + L" " + subkey + L"\\" + name);
}

// A missing value, or a key missing on the way down, which can also be
// reported as a missing path.
bool IsMissing(LSTATUS status) {
  return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

}  // namespace

std::optional<std::wstring> ReadRegistryText(HKEY root, const wchar_t* subkey, const wchar_t* name) {
  constexpr DWORD kFlags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  std::vector<wchar_t> buffer(64);
  LSTATUS status = ERROR_SUCCESS;
  DWORD bytes = 0;
  // The value can grow between the size query and the read; ask again then.
  do {
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    status = RegGetValueW(root, subkey, name, kFlags, nullptr, buffer.data(), &bytes);
    if (status == ERROR_MORE_DATA) buffer.resize(bytes / sizeof(wchar_t) + 1);
  } while (status == ERROR_MORE_DATA);
  if (IsMissing(status)) return std::nullopt;
  if (status != ERROR_SUCCESS) Throw(status, L"RegGetValueW", subkey, name);
  // RegGetValueW terminates the text; the size counts the NUL.
  return std::wstring(buffer.data());
}

std::optional<DWORD> ReadRegistryDword(HKEY root, const wchar_t* subkey, const wchar_t* name) {
  DWORD value = 0;
  DWORD bytes = sizeof(value);
  const LSTATUS status = RegGetValueW(root, subkey, name, RRF_RT_REG_DWORD, nullptr, &value, &bytes);
  if (IsMissing(status)) return std::nullopt;
  if (status != ERROR_SUCCESS) Throw(status, L"RegGetValueW", subkey, name);
  return value;
}

void WriteRegistryDword(HKEY root, const wchar_t* subkey, const wchar_t* name, DWORD value) {
  UniqueHkey key;
  LSTATUS status = RegCreateKeyExW(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_SET_VALUE, nullptr, key.put(), nullptr);
  if (status != ERROR_SUCCESS) Throw(status, L"RegCreateKeyExW", subkey, name);
  status = RegSetValueExW(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof(value));
  if (status != ERROR_SUCCESS) Throw(status, L"RegSetValueExW", subkey, name);
}

}  // namespace vistrane
