#include "tests/doubles/memory_settings_store.h"

#include "shared/errors.h"

namespace vistrane {

std::optional<std::wstring> MemorySettingsStore::ReadSetting(std::wstring_view key) const {
  if (unreadable_.contains(key)) {
    throw StoreError(L"設定「" + std::wstring(key) + L"」を読み込めませんでした。");
  }
  const auto it = values_.find(key);
  if (it == values_.end()) return std::nullopt;
  return it->second;
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
