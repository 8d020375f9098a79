#include "shared/load_settings.h"

#include <gtest/gtest.h>

#include "tests/doubles/fixed_clock.h"
#include "tests/doubles/memory_settings_store.h"

namespace vistrane {
namespace {

using Writes = std::vector<MemorySettingsStore::Write>;

const FixedClock kDec4({2026, 12, 4, 9, 5, 7});
constexpr const wchar_t* kProgramFolder = L"C:\\Program Files\\Vistrane";

SettingsRecord DefaultRecord() {
  SettingsRecord r;
  r.OutPutMode = r.Orientation = r.ZoomMode = r.PrtYokoHaichi = r.PrtTateHaichi = 1;
  r.Drive = L"C:\\";
  r.DirName = L"C:\\VstrnTmp";
  r.Filename = L"Vstrn";
  r.FileOutMode = r.DialogMode = 1;
  r.SaveCont = 0;
  r.ColorMode = r.AutoDel = 1;
  r.AutoDelDate = 10;
  r.OutputFileMode = r.PrtOutputMode = r.FileOutputMode = 1;
  r.MailSendMode = 0;
  r.MailComp = 1;
  return r;
}

// The eleven keys an older store lacks, in the order the upgrade writes them.
const Writes kUpgradeWrites{
    {L"ColorMode", L"1"},     {L"AutoDel", L"1"},        {L"AutoDelDate", L"10"},
    {L"OutputFileMode", L"1"}, {L"PrtOutputMode", L"1"}, {L"FileOutputMode", L"1"},
    {L"MailSendMode", L"0"},  {L"MailAdd", L""},         {L"MailKenmei", L""},
    {L"MailNote", L""},       {L"MailComp", L"1"},
};

// A store as the version before ColorMode left it.
MemorySettingsStore::Values OlderStore() {
  return {{L"OutPutMode", L"1"}, {L"Orientation", L"2"},        {L"ZoomMode", L"3"},
          {L"PrtYokoHaichi", L"2"}, {L"PrtTateHaichi", L"3"}, {L"Drive", L"D:\\"},
          {L"DirName", L"D:\\caps"}, {L"Filename", L"Shot"},   {L"FileOutMode", L"2"},
          {L"DialogMode", L"1"},     {L"SaveCont", L"5"},      {L"GDate", L"20261204"}};
}

// A store that has every key, as after the first start.
MemorySettingsStore::Values CompleteStore() {
  MemorySettingsStore::Values values = OlderStore();
  for (const auto& [key, value] : kUpgradeWrites) values[key] = value;
  return values;
}

TEST(LoadSettings, EmptyStoreWritesEveryDefaultInOrderAndLoadsThem) {
  MemorySettingsStore store;
  const SettingsRecord record = LoadSettings(store, kDec4, kProgramFolder).record;

  EXPECT_EQ(record, DefaultRecord());
  EXPECT_EQ(FirstStartRecord(kProgramFolder), record);  // what the program runs on without a store
  Writes expected{
      {L"GDate", L"20261204"},  {L"OutPutMode", L"1"},    {L"Orientation", L"1"},
      {L"ZoomMode", L"1"},      {L"PrtYokoHaichi", L"1"}, {L"PrtTateHaichi", L"1"},
      {L"Drive", L"C:\\"},      {L"DirName", L"C:\\VstrnTmp"}, {L"Filename", L"Vstrn"},
      {L"FileOutMode", L"1"},   {L"DialogMode", L"1"},    {L"SaveCont", L"0"},
  };
  expected.insert(expected.end(), kUpgradeWrites.begin(), kUpgradeWrites.end());
  EXPECT_EQ(store.writes(), expected);
  EXPECT_EQ(ReadSettingText(store, L"tmpfile"), L"");
}

TEST(LoadSettings, OlderStoreGetsOnlyTheElevenNewKeysAndKeepsItsOwn) {
  MemorySettingsStore store(OlderStore());
  const SettingsRecord record = LoadSettings(store, kDec4, kProgramFolder).record;

  EXPECT_EQ(store.writes(), kUpgradeWrites);
  EXPECT_EQ(record.Orientation, 2);
  EXPECT_EQ(record.ZoomMode, 3);
  EXPECT_EQ(record.Drive, L"D:\\");
  EXPECT_EQ(record.DirName, L"D:\\caps");
  EXPECT_EQ(record.Filename, L"Shot");
  EXPECT_EQ(record.FileOutMode, 2);
  EXPECT_EQ(record.SaveCont, 5);
  EXPECT_EQ(record.AutoDelDate, 10);
}

// A store set up by other means, or with a value deleted by hand, keeps every
// value it holds and gets only the defaults it lacks.
TEST(LoadSettings, StoreWithSomeValuesGetsOnlyTheMissingDefaults) {
  MemorySettingsStore deployed(
      MemorySettingsStore::Values{{L"DirName", L"D:\\caps"}, {L"Filename", L"Shot"}});
  const SettingsRecord record = LoadSettings(deployed, kDec4, kProgramFolder).record;
  EXPECT_EQ(record.DirName, L"D:\\caps");
  EXPECT_EQ(record.Filename, L"Shot");
  EXPECT_EQ(deployed.writes().size(), 21u);  // GDate and the 20 others

  MemorySettingsStore::Values values = CompleteStore();
  values.erase(L"OutPutMode");
  MemorySettingsStore store(values);
  EXPECT_EQ(LoadSettings(store, kDec4, kProgramFolder).record.Orientation, 2);
  EXPECT_EQ(store.writes(), (Writes{{L"OutPutMode", L"1"}}));
}

TEST(LoadSettings, CompleteStoreIsOnlyRead) {
  MemorySettingsStore store(CompleteStore());
  store.set_fail_writes(true);  // any write would throw
  EXPECT_EQ(LoadSettings(store, kDec4, kProgramFolder).refusedWrite, L"");
}

TEST(LoadSettings, CounterStartsAgainOnANewDayWithoutTouchingTheStore) {
  struct Case {
    const wchar_t* gdate;
    std::int16_t saveCont;
  };
  const Case cases[] = {
      {L"20261204", 5},  // today: the count goes on
      {L"20261203", 0},  // yesterday
      {L"20251204", 0},  // same day, another year
      {L"", 0},          // never written
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "GDate \"" << c.gdate << "\"");
    MemorySettingsStore::Values values = CompleteStore();
    values[L"GDate"] = c.gdate;
    MemorySettingsStore store(values);
    EXPECT_EQ(LoadSettings(store, kDec4, kProgramFolder).record.SaveCont, c.saveCont);
    EXPECT_EQ(store.values(), values);
  }
}

TEST(LoadSettings, FirstStartTakesTheDriveOfTheProgramFolder) {
  MemorySettingsStore store;
  const SettingsRecord record = LoadSettings(store, kDec4, L"E:\\Tools\\Vistrane").record;
  EXPECT_EQ(record.Drive, L"E:\\");
  EXPECT_EQ(record.DirName, L"E:\\VstrnTmp");
  EXPECT_EQ(ReadSettingText(store, L"DirName"), L"E:\\VstrnTmp");
  EXPECT_EQ(DriveOfFolder(L"D:\\"), L"D:\\");
}

TEST(LoadSettings, UnreadableIntegerLoadsAsItsDefault) {
  struct Case {
    const wchar_t* key;
    const wchar_t* text;
    std::int16_t SettingsRecord::*field;
    std::int16_t expected;
  };
  const Case cases[] = {
      {L"AutoDelDate", L"abc", &SettingsRecord::AutoDelDate, 10},
      {L"AutoDelDate", L"70000", &SettingsRecord::AutoDelDate, 10},
      {L"AutoDelDate", L" 30 ", &SettingsRecord::AutoDelDate, 30},
      {L"Orientation", L"", &SettingsRecord::Orientation, 1},
      {L"MailSendMode", L"1.5", &SettingsRecord::MailSendMode, 0},
      {L"SaveCont", L"-", &SettingsRecord::SaveCont, 0},
      {L"ColorMode", L"9", &SettingsRecord::ColorMode, 9},  // a number is kept as it is
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.key << " = \"" << c.text << "\"");
    MemorySettingsStore::Values values = CompleteStore();
    values[c.key] = c.text;
    MemorySettingsStore store(values);
    EXPECT_EQ(LoadSettings(store, kDec4, kProgramFolder).record.*c.field, c.expected);
  }
}

// A bad store keeps the user's values: an unreadable OutPutMode or ColorMode
// is no first start or upgrade, an unreadable value loads as its default, and
// refused upgrade writes leave the stored values in force.
TEST(LoadSettings, BadStoreRunsOnTheUsersValues) {
  {
    SCOPED_TRACE("values unreadable");
    MemorySettingsStore store(CompleteStore());
    for (const wchar_t* key : {L"OutPutMode", L"ColorMode", L"Orientation", L"DirName", L"GDate"}) {
      store.set_unreadable(key);
    }
    const LoadedSettings loaded = LoadSettings(store, kDec4, kProgramFolder);
    EXPECT_TRUE(store.writes().empty());
    EXPECT_EQ(loaded.record.OutPutMode, 1);
    EXPECT_EQ(loaded.record.Orientation, 1);
    EXPECT_EQ(loaded.record.DirName, L"C:\\VstrnTmp");
    EXPECT_EQ(loaded.record.Filename, L"Shot");
    EXPECT_EQ(loaded.record.SaveCont, 0) << "an unreadable GDate is not today";
  }
  {
    SCOPED_TRACE("upgrade refused");
    MemorySettingsStore store(OlderStore());
    store.set_fail_writes(true);
    const LoadedSettings loaded = LoadSettings(store, kDec4, kProgramFolder);
    EXPECT_NE(loaded.refusedWrite, L"");
    EXPECT_EQ(loaded.record.DirName, L"D:\\caps");
    EXPECT_EQ(loaded.record.Filename, L"Shot");
    EXPECT_EQ(loaded.record.SaveCont, 5);
    EXPECT_EQ(loaded.record.ColorMode, 1);
  }
  {
    SCOPED_TRACE("first start refused");
    MemorySettingsStore store;
    store.set_fail_writes(true);
    const LoadedSettings loaded = LoadSettings(store, kDec4, kProgramFolder);
    EXPECT_NE(loaded.refusedWrite, L"");
    EXPECT_EQ(loaded.record, DefaultRecord());
  }
}

}  // namespace
}  // namespace vistrane
