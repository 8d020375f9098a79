#include "shared/settings_store.h"

namespace vistrane {

std::wstring ReadSettingText(const SettingsStore& store, std::wstring_view key) {
  return store.ReadSetting(key).value_or(std::wstring());
}

}  // namespace vistrane
