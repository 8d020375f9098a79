#include "platform/registry_settings_store.h"

#include <windows.h>

#include <vector>

#include "platform/unique_handle.h"
#include "platform/win32_error.h"
#include "shared/errors.h"
#include "shared/setting_keys.h"

namespace vistrane {
namespace {

std::wstring StoreErrorText(const wchar_t* what, std::wstring_view key, const std::wstring& subkey,
                            const std::wstring& reason) {
  return L"設定「" + std::wstring(key) + L"」を" + what + L"。\nHKEY_CURRENT_USER\\" + subkey +
         L"\n" + reason;
}

[[noreturn]] void ThrowRead(std::wstring_view key, const std::wstring& subkey,
                            const std::wstring& reason) {
  throw StoreError(StoreErrorText(L"読み込めませんでした", key, subkey, reason));
}

}  // namespace

RegistrySettingsStore::RegistrySettingsStore(std::wstring subkey) : subkey_(std::move(subkey)) {}

std::wstring RegistrySettingsStore::DefaultSubkey() {
  return L"Software\\VB and VBA Program Settings\\" + std::wstring(kSettingsApplication) + L"\\" +
         std::wstring(kSettingsSection);
}

std::optional<std::wstring> RegistrySettingsStore::ReadSetting(std::wstring_view key) const {
  UniqueHkey registryKey;
  LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, subkey_.c_str(), 0, KEY_QUERY_VALUE,
                                 registryKey.put());
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (status != ERROR_SUCCESS) ThrowRead(key, subkey_, Win32ErrorText(status));

  const std::wstring name(key);
  std::vector<wchar_t> buffer(64);
  DWORD type = 0;
  DWORD bytes = 0;
  // The value can grow between the size query and the read; ask again then.
  do {
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    status = RegQueryValueExW(registryKey.get(), name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    if (status == ERROR_MORE_DATA) buffer.resize(bytes / sizeof(wchar_t) + 1);
  } while (status == ERROR_MORE_DATA);
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (status != ERROR_SUCCESS) ThrowRead(key, subkey_, Win32ErrorText(status));
  if (type != REG_SZ && type != REG_EXPAND_SZ) ThrowRead(key, subkey_, Win32ErrorText(ERROR_UNSUPPORTED_TYPE));

  // The stored size may or may not count the terminating NUL.
  std::wstring text(buffer.data(), bytes / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

std::wstring RegistrySettingsStore::GetSetting(std::wstring_view key) const {
  try {
    return ReadSetting(key).value_or(std::wstring());
  } catch (const StoreError& error) {
    OutputDebugStringW((error.message() + L"\n").c_str());
    return std::wstring();
  }
}

bool RegistrySettingsStore::HasSetting(std::wstring_view key) const {
  // Only "not found" proves that the value is missing; a key that cannot be
  // opened may well hold it.
  const std::wstring name(key);
  const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, subkey_.c_str(), name.c_str(),
                                      RRF_RT_ANY, nullptr, nullptr, nullptr);
  return status != ERROR_FILE_NOT_FOUND && status != ERROR_PATH_NOT_FOUND;
}

void RegistrySettingsStore::SaveSetting(std::wstring_view key, std::wstring_view value) {
  const auto fail = [&](LSTATUS status) {
    throw StoreError(StoreErrorText(L"保存できませんでした", key, subkey_, Win32ErrorText(status)));
  };
  UniqueHkey registryKey;
  LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, subkey_.c_str(), 0, nullptr,
                                   REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                                   registryKey.put(), nullptr);
  if (status != ERROR_SUCCESS) fail(status);

  const std::wstring name(key);
  const std::wstring text(value);
  const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));  // with the NUL
  status = RegSetValueExW(registryKey.get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()), bytes);
  if (status != ERROR_SUCCESS) fail(status);
}

}  // namespace vistrane
