#include "resident/settings_dialog/settings_commit.h"

#include <gtest/gtest.h>

#include "shared/errors.h"
#include "tests/doubles/memory_settings_store.h"

namespace vistrane {
namespace {

using Writes = std::vector<MemorySettingsStore::Write>;

SettingsRecord Edited() {
  SettingsRecord r;
  r.OutPutMode = 1;
  r.Orientation = 2;
  r.ZoomMode = 3;
  r.PrtYokoHaichi = 2;
  r.PrtTateHaichi = 3;
  r.Drive = L"D:\\";
  r.DirName = L"D:\\Caps";
  r.Filename = L"Scr";
  r.FileOutMode = 2;
  r.DialogMode = 7;
  r.PrtDeviceName = L"VPDF";
  r.PrtPaperSize = 11;
  r.SaveCont = 12;
  r.ColorMode = 3;
  r.AutoDel = 2;
  r.AutoDelDate = 30;
  r.OutputFileMode = 2;
  r.PrtOutputMode = 0;
  r.FileOutputMode = 1;
  r.MailSendMode = 1;
  r.MailAdd = L"a@example.jp";
  r.MailKenmei = L"件名";
  r.MailNote = L"本文\r\n二行目";
  r.MailComp = 0;
  return r;
}

TEST(StoreDialogSettings, WritesTheTwentyOneKeysInOrder) {
  MemorySettingsStore store;
  StoreDialogSettings(Edited(), store);
  const Writes expected = {
      {L"OutPutMode", L"1"},     {L"Orientation", L"2"},    {L"ZoomMode", L"3"},
      {L"PrtYokoHaichi", L"2"},  {L"PrtTateHaichi", L"3"},  {L"Drive", L"D:\\"},
      {L"DirName", L"D:\\Caps"}, {L"Filename", L"Scr"},     {L"FileOutMode", L"2"},
      {L"DialogMode", L"7"},     {L"ColorMode", L"3"},      {L"AutoDel", L"2"},
      {L"AutoDelDate", L"30"},   {L"OutputFileMode", L"2"}, {L"PrtOutputMode", L"0"},
      {L"FileOutputMode", L"1"}, {L"MailSendMode", L"1"},   {L"MailAdd", L"a@example.jp"},
      {L"MailKenmei", L"件名"},  {L"MailNote", L"本文\r\n二行目"}, {L"MailComp", L"0"},
  };
  EXPECT_EQ(store.writes(), expected);
}

// A value out of 1 to 999 can only be the stored one, untouched.
TEST(StoreDialogSettings, AutoDelDateOutOfRangeKeepsTheStoredText) {
  SettingsRecord record = Edited();
  record.AutoDelDate = -5;
  MemorySettingsStore store(MemorySettingsStore::Values{{L"AutoDelDate", L"-05"}});
  StoreDialogSettings(record, store);
  EXPECT_EQ(ReadSettingText(store, L"AutoDelDate"), L"-05");
}

TEST(StoreDialogSettings, RefusesOnlyWhenAllThreeOutputsAreOff) {
  SettingsRecord record;
  EXPECT_FALSE(AnyOutputOn(record));
  for (std::int16_t SettingsRecord::*output :
       {&SettingsRecord::PrtOutputMode, &SettingsRecord::FileOutputMode,
        &SettingsRecord::MailSendMode}) {
    SettingsRecord one;
    one.*output = 1;
    EXPECT_TRUE(AnyOutputOn(one));
    one.*output = 2;
    EXPECT_FALSE(AnyOutputOn(one)) << "only 1 is on, as the capture reads it";
  }
}

TEST(RestoreSnapshot, PutsBackEveryEditableFieldButNotTheCounter) {
  const SettingsRecord snapshot = Edited();
  SettingsRecord record;  // every field differs from the snapshot
  record.OutPutMode = 5;
  record.DialogMode = 6;
  record.SaveCont = 40;
  RestoreSnapshot(record, snapshot);

  SettingsRecord expected = snapshot;
  expected.OutPutMode = 5;
  expected.DialogMode = 6;
  expected.SaveCont = 40;  // files written while the dialog was open keep their numbers
  EXPECT_EQ(record, expected);
}

TEST(CheckDirName, AMissingFolderBecomesTheDriveInRecordAndStore) {
  SettingsRecord record = Edited();
  MemorySettingsStore store;
  EXPECT_FALSE(CheckDirName(record, store, true));
  EXPECT_EQ(record.DirName, L"D:\\Caps");
  EXPECT_TRUE(store.writes().empty());

  EXPECT_TRUE(CheckDirName(record, store, false));
  EXPECT_EQ(record.DirName, L"D:\\");
  EXPECT_EQ(store.writes(), (Writes{{L"DirName", L"D:\\"}}));
}

TEST(CheckDirName, ARefusedWriteIsReported) {
  SettingsRecord record = Edited();
  MemorySettingsStore store;
  store.set_fail_writes(true);
  EXPECT_THROW(CheckDirName(record, store, false), StoreError);
}

}  // namespace
}  // namespace vistrane
