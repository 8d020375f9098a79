#include "mailsend/unlha32/archived_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mailsend/unlha32/archive_error.h"

namespace vistrane {
namespace {

using Parts = std::vector<std::wstring>;

TEST(ResolveArchivedFile, StoresNamesRelativeToTheBaseFolder) {
  struct Case {
    std::wstring base, file, path;
    Parts stored;
  };
  const Case cases[] = {
      {L"C:\\VstrnTmp\\",
       L"C:\\VstrnTmp\\VstrnML-090507.bmp",
       L"C:\\VstrnTmp\\VstrnML-090507.bmp",
       {L"VstrnML-090507.bmp"}},
      {L"C:\\", L"C:\\cap.bmp", L"C:\\cap.bmp", {L"cap.bmp"}},
      {L"c:\\Out Dir\\",
       L"C:\\out dir\\sub\\cap.bmp",
       L"C:\\out dir\\sub\\cap.bmp",
       {L"sub", L"cap.bmp"}},
      {L"C:\\out\\", L"sub\\cap.bmp", L"C:\\out\\sub\\cap.bmp", {L"sub", L"cap.bmp"}},
      {L"C:\\out/", L"C:/out\\cap.bmp", L"C:/out\\cap.bmp", {L"cap.bmp"}},
      {L"", L"C:\\VstrnTmp\\cap.bmp", L"C:\\VstrnTmp\\cap.bmp", {L"VstrnTmp", L"cap.bmp"}},
      {L"", L"cap.bmp", L"cap.bmp", {L"cap.bmp"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.base + L" | " + c.file);
    const ArchivedFile resolved = ResolveArchivedFile(c.base, c.file);
    EXPECT_EQ(resolved.path, c.path);
    EXPECT_EQ(resolved.storedParts, c.stored);
  }
}

TEST(ResolveArchivedFile, RefusesNamesThatWouldLeaveTheFolder) {
  struct Case {
    std::wstring base, file;
  };
  const Case cases[] = {
      {L"C:\\VstrnTmp\\", L"D:\\VstrnTmp\\cap.bmp"},
      {L"C:\\VstrnTmp\\", L"C:\\VstrnTmp2\\cap.bmp"},
      {L"C:\\VstrnTmp\\", L"C:\\VstrnTmp\\"},
      {L"C:\\out\\", L"..\\cap.bmp"},
      {L"C:\\out\\", L"sub\\.\\cap.bmp"},
      {L"", L"C:\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.base + L" | " + c.file);
    EXPECT_THROW(ResolveArchivedFile(c.base, c.file), ArchiveError);
  }
}

}  // namespace
}  // namespace vistrane
