#pragma once
// The settings store in the registry: REG_SZ values under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\TRV Vistrane\Propaty,
// where the earlier versions kept them, so a user's settings carry over.
#include <optional>
#include <string>
#include <string_view>

#include "shared/settings_store.h"

namespace vistrane {

class RegistrySettingsStore final : public SettingsStore {
 public:
  // Tests pass a scratch subkey of HKEY_CURRENT_USER.
  explicit RegistrySettingsStore(std::wstring subkey = DefaultSubkey());

  static std::wstring DefaultSubkey();

  // nullopt for a missing key or value; REG_SZ and REG_EXPAND_SZ are read
  // as stored (not expanded). Throws StoreError naming the setting and the
  // system's reason for any other failure and for a value of another type.
  std::optional<std::wstring> ReadSetting(std::wstring_view key) const override;

  // Creates the registry key when needed; throws StoreError naming the
  // setting and the system's reason.
  void SaveSetting(std::wstring_view key, std::wstring_view value) override;

 private:
  std::wstring subkey_;
};

}  // namespace vistrane
