#include "shared/folder_path.h"

#include <gtest/gtest.h>

namespace vistrane {
namespace {

// The image file names, the deletion pass, the archiver's base folder, the
// first-start output folder and the program's own files all follow this table.
TEST(FolderPath, DriveRootTakesTheNameDirectlyEveryOtherFolderGetsABackslash) {
  struct Case {
    const wchar_t* folder;
    bool driveRoot;
    const wchar_t* joined;
  };
  const Case cases[] = {
      {L"C:\\", true, L"C:\\Vstrn.bmp"},
      {L"C:\\Temp", false, L"C:\\Temp\\Vstrn.bmp"},
      {L"C:\\Temp\\", false, L"C:\\Temp\\\\Vstrn.bmp"},  // typed with a backslash: kept as typed
      {L"D:\\", true, L"D:\\Vstrn.bmp"},                  // whatever the Drive setting says
      {L"d:/", true, L"d:/Vstrn.bmp"},
      {L"\\\\server\\share", false, L"\\\\server\\share\\Vstrn.bmp"},
      {L"\\\\server\\share\\dir", false, L"\\\\server\\share\\dir\\Vstrn.bmp"},
      {L"1:\\", false, L"1:\\\\Vstrn.bmp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "folder " << testing::PrintToString(std::wstring(c.folder)));
    EXPECT_EQ(IsDriveRoot(c.folder), c.driveRoot);
    EXPECT_EQ(JoinPath(c.folder, L"Vstrn.bmp"), c.joined);
    EXPECT_EQ(FolderOfFile(c.joined), c.folder);
  }
  EXPECT_EQ(FolderPrefix(L"C:\\Temp"), L"C:\\Temp\\");
  // Only a drive root or a share names a place whatever the working folder.
  for (const wchar_t* folder : {L"C:\\", L"d:/x", L"\\\\server\\share", L"\\\\server\\share\\d"}) {
    EXPECT_TRUE(IsAbsoluteFolder(folder)) << testing::PrintToString(std::wstring(folder));
  }
  for (const wchar_t* folder :
       {L"", L"rel", L"C:rel", L"\\rel", L"1:\\", L"\\\\server", L"\\\\\\x"}) {
    EXPECT_FALSE(IsAbsoluteFolder(folder)) << testing::PrintToString(std::wstring(folder));
  }
  EXPECT_EQ(FolderOfFile(L"Vstrn.bmp"), L"");
}

}  // namespace
}  // namespace vistrane
