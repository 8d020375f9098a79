#include "resident/output/image_file_name.h"

#include <gtest/gtest.h>

#include <set>

#include "shared/errors.h"
#include "tests/doubles/fixed_clock.h"
#include "tests/doubles/memory_settings_store.h"

namespace vistrane {
namespace {

using Writes = std::vector<MemorySettingsStore::Write>;

const FixedClock kDec4({2026, 12, 4, 9, 5, 7});
const FileExistsTest kNoneTaken = [](const std::wstring&) { return false; };

SettingsRecord Record(std::int16_t fileOutMode, std::int16_t outputFileMode,
                      std::int16_t saveCont = 0, const wchar_t* dirName = L"C:\\VstrnTmp") {
  SettingsRecord r;
  r.DirName = dirName;
  r.Filename = L"Vstrn";
  r.FileOutMode = fileOutMode;
  r.OutputFileMode = outputFileMode;
  r.SaveCont = saveCont;
  return r;
}

// The next path for `record`, whose counter it raises.
std::wstring Next(SettingsRecord& record, SettingsStore& store, bool forMail = false,
                  const FileExistsTest& exists = kNoneTaken) {
  return NextImageFilePath(record, ImageFileFormatOf(record), forMail, record.SaveCont, kDec4,
                           store, exists);
}

TEST(NextImageFilePath, BuildsEveryNameForm) {
  struct Case {
    const char* what;
    SettingsRecord record;
    bool forMail;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {"no suffix", Record(0, 1), false, L"C:\\VstrnTmp\\Vstrn.bmp"},
      {"unknown mode adds nothing", Record(7, 1), false, L"C:\\VstrnTmp\\Vstrn.bmp"},
      {"counter", Record(1, 1, 6), false, L"C:\\VstrnTmp\\Vstrn1204-007.bmp"},
      {"first of the day", Record(1, 1, 0), false, L"C:\\VstrnTmp\\Vstrn1204-001.bmp"},
      {"four digits", Record(1, 1, 999), false, L"C:\\VstrnTmp\\Vstrn1204-1000.bmp"},
      {"last number", Record(1, 1, 32766), false, L"C:\\VstrnTmp\\Vstrn1204-32767.bmp"},
      {"hand-edited negative", Record(1, 1, -6), false, L"C:\\VstrnTmp\\Vstrn1204--005.bmp"},
      {"time, JPEG", Record(2, 2), false, L"C:\\VstrnTmp\\Vstrn1204-090507.jpg"},
      {"any other format is JPEG", Record(0, 5), false, L"C:\\VstrnTmp\\Vstrn.jpg"},
      {"PNG", Record(1, 3, 0), false, L"C:\\VstrnTmp\\Vstrn1204-001.png"},
      {"mail copy", Record(1, 1, 6), true, L"C:\\VstrnTmp\\VstrnML-090507.bmp"},
      {"mail copy, JPEG", Record(2, 2), true, L"C:\\VstrnTmp\\VstrnML-090507.jpg"},
      {"mail copy, PNG", Record(2, 3), true, L"C:\\VstrnTmp\\VstrnML-090507.png"},
      {"drive root", Record(0, 1, 0, L"D:\\"), false, L"D:\\Vstrn.bmp"},
      {"trailing backslash", Record(0, 1, 0, L"D:\\caps\\"), false, L"D:\\caps\\\\Vstrn.bmp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsRecord record = c.record;
    MemorySettingsStore store;
    EXPECT_EQ(Next(record, store, c.forMail), c.expected);
  }
}

TEST(NextImageFilePath, CounterIsRaisedThenStoredAfterTheDate) {
  SettingsRecord record = Record(1, 1, 6);
  MemorySettingsStore store;
  Next(record, store);
  EXPECT_EQ(record.SaveCont, 7);
  EXPECT_EQ(store.writes(), (Writes{{L"GDate", L"20261204"}, {L"SaveCont", L"7"}}));

  EXPECT_EQ(Next(record, store), L"C:\\VstrnTmp\\Vstrn1204-008.bmp");
  EXPECT_EQ(ReadSettingText(store, L"SaveCont"), L"8");
}

TEST(NextImageFilePath, OnlyTheCounterModeTouchesCounterAndDate) {
  struct Case {
    const char* what;
    std::int16_t fileOutMode;
    bool forMail;
  };
  const Case cases[] = {{"mail copy", 1, true}, {"no suffix", 0, false}, {"time", 2, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsRecord record = Record(c.fileOutMode, 1, 6);
    MemorySettingsStore store;
    Next(record, store, c.forMail);
    EXPECT_EQ(record.SaveCont, 6);
    EXPECT_TRUE(store.writes().empty());
  }
}

TEST(NextImageFilePath, CounterAtItsLimitThrowsBeforeAnyChange) {
  SettingsRecord record = Record(1, 1, 32767);
  MemorySettingsStore store;
  try {
    Next(record, store);
    FAIL() << "expected OutputError";
  } catch (const OutputError& e) {
    EXPECT_NE(e.message().find(L"32767"), std::wstring::npos);
  }
  EXPECT_EQ(record.SaveCont, 32767);
  EXPECT_TRUE(store.writes().empty());
}

TEST(NextImageFilePath, RefusedCounterWriteIsReported) {
  SettingsRecord record = Record(1, 1, 6);
  MemorySettingsStore store;
  store.set_fail_writes(true);
  EXPECT_THROW(Next(record, store), StoreError);
  EXPECT_EQ(record.SaveCont, 7);  // the number is spent: no later file reuses it
}

TEST(NextImageFilePath, NoNameTakesThatOfAnExistingFile) {
  const std::set<std::wstring> existing{
      L"C:\\VstrnTmp\\Vstrn1204-001.bmp",    L"C:\\VstrnTmp\\Vstrn1204-002.bmp",
      L"C:\\VstrnTmp\\Vstrn1204-004.bmp",    L"C:\\VstrnTmp\\Vstrn.bmp",
      L"C:\\VstrnTmp\\Vstrn1204-090507.jpg", L"C:\\VstrnTmp\\VstrnML-090507.bmp",
      L"C:\\VstrnTmp\\VstrnML-090507-2.lzh"};  // left by a mail sender
  const FileExistsTest exists = [&](const std::wstring& path) { return existing.contains(path); };
  SettingsRecord record = Record(1, 1, 0);
  MemorySettingsStore store;
  EXPECT_EQ(Next(record, store, false, exists), L"C:\\VstrnTmp\\Vstrn1204-003.bmp");
  EXPECT_EQ(Next(record, store, false, exists), L"C:\\VstrnTmp\\Vstrn1204-005.bmp");
  EXPECT_EQ(ReadSettingText(store, L"SaveCont"), L"5");
  // The other names take the lowest free "-2", "-3", ... instead.
  const std::pair<SettingsRecord, bool> others[] = {
      {Record(0, 1), false}, {Record(2, 2), false}, {Record(1, 1), true}};
  const wchar_t* const expected[] = {L"C:\\VstrnTmp\\Vstrn-2.bmp",
                                     L"C:\\VstrnTmp\\Vstrn1204-090507-2.jpg",
                                     L"C:\\VstrnTmp\\VstrnML-090507-3.bmp"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(NextImageFilePath(others[i].first, ImageFileFormatOf(others[i].first),
                                others[i].second, record.SaveCont, kDec4, store, exists),
              expected[i]);
  }

  SettingsRecord full = Record(1, 1, 32766);
  const FileExistsTest all = [](const std::wstring&) { return true; };
  EXPECT_THROW(Next(full, store, false, all), OutputError);
  EXPECT_EQ(full.SaveCont, 32766);
  EXPECT_THROW(NextImageFilePath(Record(0, 1), ImageFileFormat::Bitmap, false, full.SaveCont, kDec4,
                                 store, all),
               OutputError);
}

}  // namespace
}  // namespace vistrane
