#include "tests/doubles/memory_settings_store.h"

#include <gtest/gtest.h>

#include "shared/errors.h"

namespace vistrane {
namespace {

TEST(MemorySettingsStore, LogsWritesButNotInitialValues) {
  MemorySettingsStore store(MemorySettingsStore::Values{{L"A", L"1"}});
  EXPECT_EQ(store.GetSetting(L"A"), L"1");
  EXPECT_EQ(store.GetSetting(L"missing"), L"");
  store.SaveSetting(L"B", L"2");
  store.SaveSetting(L"A", L"3");
  EXPECT_EQ(store.GetSetting(L"A"), L"3");
  const std::vector<MemorySettingsStore::Write> expected{{L"B", L"2"}, {L"A", L"3"}};
  EXPECT_EQ(store.writes(), expected);
}

TEST(MemorySettingsStore, RefusedWriteThrowsAndChangesNothing) {
  MemorySettingsStore store(MemorySettingsStore::Values{{L"A", L"1"}});
  store.set_fail_writes(true);
  EXPECT_THROW(store.SaveSetting(L"A", L"2"), StoreError);
  EXPECT_EQ(store.GetSetting(L"A"), L"1");
  EXPECT_TRUE(store.writes().empty());
}

}  // namespace
}  // namespace vistrane
