#pragma once
// A settings store held in memory: the store of the tests. It keeps the
// values and, separately, every write in the order it happened, so a test can
// check both what the store holds and how it got there.
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shared/settings_store.h"

namespace vistrane {

class MemorySettingsStore final : public SettingsStore {
 public:
  using Values = std::map<std::wstring, std::wstring, std::less<>>;
  using Write = std::pair<std::wstring, std::wstring>;

  MemorySettingsStore() = default;
  // Starts with these values already stored; they are not logged as writes.
  explicit MemorySettingsStore(Values initial) : values_(std::move(initial)) {}

  std::optional<std::wstring> ReadSetting(std::wstring_view key) const override;
  void SaveSetting(std::wstring_view key, std::wstring_view value) override;

  // While on, every SaveSetting throws StoreError and changes nothing.
  void set_fail_writes(bool fail) { failWrites_ = fail; }

  // The key holds a value whose read throws StoreError, as one of another
  // type does in the registry, until a write replaces it.
  void set_unreadable(std::wstring key) { unreadable_.insert(std::move(key)); }

  const Values& values() const { return values_; }
  const std::vector<Write>& writes() const { return writes_; }

 private:
  Values values_;
  std::vector<Write> writes_;
  std::set<std::wstring, std::less<>> unreadable_;
  bool failWrites_ = false;
};

}  // namespace vistrane
