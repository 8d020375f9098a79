#include "resident/output/base_name_check.h"

#include <gtest/gtest.h>

#include "resident/output/image_file_name.h"
#include "shared/errors.h"
#include "tests/doubles/fixed_clock.h"
#include "tests/doubles/memory_settings_store.h"

namespace vistrane {
namespace {

// The counter-numbered file's path for `record`, no file taken yet.
std::wstring NextPath(SettingsRecord& record, SettingsStore& store) {
  return NextImageFilePath(record, ImageFileFormatOf(record), false, record.SaveCont,
                           FixedClock({2026, 12, 4, 9, 5, 7}), store,
                           [](const std::wstring&) { return false; });
}

// Each refused base name is refused by the counter-numbered file, before the
// counter moves or anything is stored, with a message that names the setting
// and what is wrong.
TEST(CheckBaseName, RefusesWhatWindowsCannotTakeBeforeAnythingChanges) {
  struct Case {
    const wchar_t* filename;
    const wchar_t* named;  // in the message
  };
  const Case refused[] = {
      {L"..\\x", L"「\\」"}, {L"a/b", L"「/」"},   {L"C:x", L"「:」"},     {L"a*", L"「*」"},
      {L"a?", L"「?」"},     {L"say\"", L"「\"」"}, {L"<a", L"「<」"},     {L"a>", L"「>」"},
      {L"a|b", L"「|」"},    {L"tab\tx", L"制御文字 9"}, {L"end.", L"「.」"},
      {L"end ", L"空白"},    {L"画面　", L"空白"},  // an ideographic space too
  };
  for (const Case& c : refused) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.filename)));
    SettingsRecord record;
    record.DirName = L"C:\\VstrnTmp";
    record.Filename = c.filename;
    record.FileOutMode = 1;
    record.SaveCont = 6;
    MemorySettingsStore store;
    try {
      NextPath(record, store);
      ADD_FAILURE() << "accepted";
    } catch (const OutputError& e) {
      EXPECT_NE(e.message().find(L"設定「Filename」"), std::wstring::npos) << e.message();
      EXPECT_NE(e.message().find(c.named), std::wstring::npos) << e.message();
    }
    EXPECT_EQ(record.SaveCont, 6);
    EXPECT_TRUE(store.writes().empty());
  }
  // Device names, which swallow the file when FileOutMode 0 adds nothing.
  for (const wchar_t* device : {L"NUL", L"aux", L"Com1", L"LPT9.x", L"nul .bmp", L"CON"}) {
    EXPECT_THROW(CheckBaseName(device), OutputError)
        << testing::PrintToString(std::wstring(device));
  }
  for (const wchar_t* accepted : {L"", L"Vstrn", L"scr.v1", L".x", L"画面 の コピー", L"a-b_c(1)",
                                  L"NULL", L"COM10", L"xNUL"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(accepted)));
    EXPECT_NO_THROW(CheckBaseName(accepted));
  }
}

// A folder that leaves no room for the longest name is refused before the
// counter moves; one that leaves exactly that room is taken.
TEST(CheckPathLength, RefusesAFolderTooLongForTheLongestFileName) {
  const std::wstring fits = L"C:\\" + std::wstring(259 - 3 - 1 - 5 - 15, L'x');  // + "\\Vstrn"
  const std::wstring tooLong = fits + L"y";
  SettingsRecord record;
  record.DirName = fits;
  record.Filename = L"Vstrn";
  record.FileOutMode = 2;
  MemorySettingsStore store;
  EXPECT_EQ(NextPath(record, store).size(), 259u);

  record.DirName = tooLong;
  record.FileOutMode = 1;
  record.SaveCont = 6;
  try {
    NextPath(record, store);
    ADD_FAILURE() << "accepted a folder of " << tooLong.size() << " characters";
  } catch (const OutputError& e) {
    EXPECT_NE(e.message().find(L"設定「DirName」"), std::wstring::npos);
  }
  EXPECT_EQ(record.SaveCont, 6);
  EXPECT_TRUE(store.writes().empty());

  // An empty or relative folder would follow the program's working folder.
  for (const wchar_t* relative : {L"", L"rel", L"C:rel", L"\\rel"}) {
    record.DirName = relative;
    EXPECT_THROW(NextPath(record, store), OutputError);
  }
  EXPECT_EQ(record.SaveCont, 6);
}

}  // namespace
}  // namespace vistrane
