#include "platform/registry_settings_store.h"

#include <windows.h>

#include "platform/registry_values.h"
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
  try {
    return ReadRegistryText(HKEY_CURRENT_USER, subkey_.c_str(), std::wstring(key).c_str());
  } catch (const Win32Error& e) {
    ThrowRead(key, subkey_, Win32ErrorText(e.code()));
  }
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
