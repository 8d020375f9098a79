#pragma once
// The per-user settings store: flat text values under one application and
// section, shared by both programs.
#include <optional>
#include <string>
#include <string_view>

namespace vistrane {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text; nullopt only when the key holds no value. A value that
  // is there but cannot be read as text (another type, no access) throws
  // StoreError, so a missing value and a failing store never look alike and
  // the caller decides what an unreadable one means.
  virtual std::optional<std::wstring> ReadSetting(std::wstring_view key) const = 0;
  // Creates or replaces the value; throws StoreError when the store refuses.
  virtual void SaveSetting(std::wstring_view key, std::wstring_view value) = 0;
};

// The stored text, empty when the key holds no value; throws as ReadSetting.
std::wstring ReadSettingText(const SettingsStore& store, std::wstring_view key);

}  // namespace vistrane
