#pragma once
// The per-user settings store: flat text values under one application and
// section, shared by both programs. A missing key reads as empty text.
#include <string>
#include <string_view>

namespace vistrane {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::wstring GetSetting(std::wstring_view key) const = 0;
  // False only when the key holds no value at all; a value that cannot be
  // read as text (another type, no access) exists. A store that can hold
  // only readable text answers from GetSetting.
  virtual bool HasSetting(std::wstring_view key) const { return !GetSetting(key).empty(); }
  // Creates or replaces the value; throws StoreError when the store refuses.
  virtual void SaveSetting(std::wstring_view key, std::wstring_view value) = 0;
};

}  // namespace vistrane
