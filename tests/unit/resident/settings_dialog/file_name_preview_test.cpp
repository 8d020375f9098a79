#include "resident/settings_dialog/file_name_preview.h"

#include <gtest/gtest.h>

namespace vistrane {
namespace {

TEST(FileNamePreview, ShowsThePatternOfTheNextFileNames) {
  struct Case {
    const wchar_t* dirName;
    std::int16_t fileOutMode;
    std::int16_t outputFileMode;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"C:\\VstrnTmp", 1, 1, L"C:\\VstrnTmp\\Vstrnmmdd-999.bmp"},
      {L"C:\\VstrnTmp", 2, 1, L"C:\\VstrnTmp\\Vstrnmmdd-hhmmss.bmp"},
      {L"C:\\VstrnTmp", 2, 2, L"C:\\VstrnTmp\\Vstrnmmdd-hhmmss.jpg"},
      {L"D:\\", 0, 2, L"D:\\Vstrn.jpg"},
      {L"D:\\", 7, 5, L"D:\\Vstrn.jpg"},
      {L"D:\\", 1, 3, L"D:\\Vstrnmmdd-999.png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.expected)));
    SettingsRecord record;
    record.DirName = c.dirName;
    record.Filename = L"Vstrn";
    record.FileOutMode = c.fileOutMode;
    record.OutputFileMode = c.outputFileMode;
    EXPECT_EQ(FileNamePreview(record), c.expected);
  }
}

}  // namespace
}  // namespace vistrane
