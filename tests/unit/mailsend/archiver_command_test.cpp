#include "mailsend/archiver_command.h"

#include <gtest/gtest.h>

#include "mailsend/archiver.h"
#include "mailsend/vstn_mail_cmn.h"

namespace vistrane {
namespace {

TEST(QuoteIfNeeded, QuotesTextWithASpaceOrACommaOnly) {
  struct Case {
    const wchar_t* text;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"C:\\VstrnTmp\\a.bmp", L"C:\\VstrnTmp\\a.bmp"},
      {L"C:\\out dir\\a.bmp", L"\"C:\\out dir\\a.bmp\""},
      {L"C:\\a,b\\a.bmp", L"\"C:\\a,b\\a.bmp\""},
      {L" ", L"\" \""},
      {L",", L"\",\""},
      {L"", L""},
      {L"C:\\画像　フォルダ\\a.bmp", L"C:\\画像　フォルダ\\a.bmp"},  // an ideographic space is no separator
      {L"C:\\tab\tdir", L"C:\\tab\tdir"},
      {L"say \"hi\"", L"\"say \"hi\"\""},  // inner quotes stay as they are
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(c.text)));
    EXPECT_EQ(QuoteIfNeeded(c.text), c.expected);
  }
}

TEST(BuildArchiverCommand, MakesTheCommandLineAndTheArchiveName) {
  struct Case {
    const wchar_t* tmpFile;
    const wchar_t* dirName;
    const wchar_t* archiveName;
    const wchar_t* commandLine;
  };
  const Case cases[] = {
      {L"C:\\VstrnTmp\\VstrnML-090507.bmp", L"C:\\VstrnTmp", L"C:\\VstrnTmp\\VstrnML-090507",
       L"u -a1 -r2 -x1 -o2 C:\\VstrnTmp\\VstrnML-090507 C:\\VstrnTmp\\ "
       L"C:\\VstrnTmp\\VstrnML-090507.bmp"},
      {L"C:\\out dir\\capture.bmp", L"C:\\out dir", L"C:\\out dir\\capture",
       L"u -a1 -r2 -x1 -o2 \"C:\\out dir\\capture\" \"C:\\out dir\\\" \"C:\\out dir\\capture.bmp\""},
      // A drive root is the base folder as it stands, with no second backslash.
      {L"D:\\VstrnML-120000.bmp", L"D:\\", L"D:\\VstrnML-120000",
       L"u -a1 -r2 -x1 -o2 D:\\VstrnML-120000 D:\\ D:\\VstrnML-120000.bmp"},
      // Only the paths that need quotes get them.
      {L"C:\\a,b\\x.bmp", L"C:\\a,b", L"C:\\a,b\\x",
       L"u -a1 -r2 -x1 -o2 \"C:\\a,b\\x\" \"C:\\a,b\\\" \"C:\\a,b\\x.bmp\""},
      {L"C:\\出力\\VstrnML-235959.bmp", L"C:\\出力", L"C:\\出力\\VstrnML-235959",
       L"u -a1 -r2 -x1 -o2 C:\\出力\\VstrnML-235959 C:\\出力\\ C:\\出力\\VstrnML-235959.bmp"},
      {L"a.bmp", L"C:\\x", L"a", L"u -a1 -r2 -x1 -o2 a C:\\x\\ a.bmp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "tmpFile " << testing::PrintToString(std::wstring(c.tmpFile)));
    const ArchiverCommand command = BuildArchiverCommand(c.tmpFile, c.dirName);
    EXPECT_EQ(command.archiveName, c.archiveName);
    EXPECT_EQ(command.commandLine, c.commandLine);
  }
}

TEST(BuildArchiverCommand, RefusesPathsThatNameNoArchiveOrNoFolder) {
  struct Case {
    const wchar_t* tmpFile;
    const wchar_t* dirName;
  };
  const Case cases[] = {
      {L"", L"C:\\VstrnTmp"},    {L"a", L"C:\\VstrnTmp"},          {L"abc", L"C:\\VstrnTmp"},
      {L".bmp", L"C:\\VstrnTmp"}, {L"C:\\VstrnTmp\\a.bmp", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "tmpFile " << testing::PrintToString(std::wstring(c.tmpFile))
                                    << " dirName " << testing::PrintToString(std::wstring(c.dirName)));
    EXPECT_THROW(BuildArchiverCommand(c.tmpFile, c.dirName), ArchiveFailed);
  }
}

}  // namespace
}  // namespace vistrane
