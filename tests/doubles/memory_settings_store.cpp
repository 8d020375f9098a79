#include "tests/doubles/memory_settings_store.h"

#include "shared/errors.h"

namespace vistrane {

std::wstring MemorySettingsStore::GetSetting(std::wstring_view key) const {
  if (unreadable_.contains(key)) return std::wstring();
  const auto it = values_.find(key);
  return it == values_.end() ? std::wstring() : it->second;
}

bool MemorySettingsStore::HasSetting(std::wstring_view key) const {
  return unreadable_.contains(key) || values_.contains(key);
}

void MemorySettingsStore::SaveSetting(std::wstring_view key, std::wstring_view value) {
  if (failWrites_) {
    throw StoreError(L"設定「" + std::wstring(key) + L"」を保存できませんでした。");
  }
  const auto unreadable = unreadable_.find(key);
  if (unreadable != unreadable_.end()) unreadable_.erase(unreadable);
  values_.insert_or_assign(std::wstring(key), std::wstring(value));
  writes_.emplace_back(key, value);
}

}  // namespace vistrane
