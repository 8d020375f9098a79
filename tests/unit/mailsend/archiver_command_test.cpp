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
    const wchar_t* archiveName;
    const wchar_t* commandLine;
  };
  const Case cases[] = {
      {L"C:\\VstrnTmp\\VstrnML-090507.bmp", L"C:\\VstrnTmp\\VstrnML-090507.lzh",
       L"u -a1 -r2 -x1 -o2 C:\\VstrnTmp\\VstrnML-090507.lzh C:\\VstrnTmp\\ "
       L"C:\\VstrnTmp\\VstrnML-090507.bmp"},
      {L"C:\\out dir\\capture.bmp", L"C:\\out dir\\capture.lzh",
       L"u -a1 -r2 -x1 -o2 \"C:\\out dir\\capture.lzh\" \"C:\\out dir\\\" "
       L"\"C:\\out dir\\capture.bmp\""},
      // A drive root is the base folder as it stands, with no second backslash.
      {L"D:\\VstrnML-120000.bmp", L"D:\\VstrnML-120000.lzh",
       L"u -a1 -r2 -x1 -o2 D:\\VstrnML-120000.lzh D:\\ D:\\VstrnML-120000.bmp"},
      // Only the paths that need quotes get them.
      {L"C:\\a,b\\x.bmp", L"C:\\a,b\\x.lzh",
       L"u -a1 -r2 -x1 -o2 \"C:\\a,b\\x.lzh\" \"C:\\a,b\\\" \"C:\\a,b\\x.bmp\""},
      {L"C:\\出力\\VstrnML-235959.bmp", L"C:\\出力\\VstrnML-235959.lzh",
       L"u -a1 -r2 -x1 -o2 C:\\出力\\VstrnML-235959.lzh C:\\出力\\ C:\\出力\\VstrnML-235959.bmp"},
      // A base name with a dot: the archive's name is given in full, so the
      // archiver cannot take "v1ML-090507" for an extension.
      {L"C:\\VstrnTmp\\scr.v1ML-090507.bmp", L"C:\\VstrnTmp\\scr.v1ML-090507.lzh",
       L"u -a1 -r2 -x1 -o2 C:\\VstrnTmp\\scr.v1ML-090507.lzh C:\\VstrnTmp\\ "
       L"C:\\VstrnTmp\\scr.v1ML-090507.bmp"},
      // The base folder is the image's own, a folder typed with a trailing
      // backslash included.
      {L"E:\\new\\VstrnML-090507.bmp", L"E:\\new\\VstrnML-090507.lzh",
       L"u -a1 -r2 -x1 -o2 E:\\new\\VstrnML-090507.lzh E:\\new\\ E:\\new\\VstrnML-090507.bmp"},
      {L"C:\\caps\\\\a.bmp", L"C:\\caps\\\\a.lzh",
       L"u -a1 -r2 -x1 -o2 C:\\caps\\\\a.lzh C:\\caps\\\\ C:\\caps\\\\a.bmp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "tmpFile " << testing::PrintToString(std::wstring(c.tmpFile)));
    const ArchiverCommand command = BuildArchiverCommand(c.tmpFile);
    EXPECT_EQ(command.archiveName, c.archiveName);
    EXPECT_EQ(command.commandLine, c.commandLine);
  }
}

TEST(BuildArchiverCommand, RefusesPathsThatNameNoArchiveOrNoFolder) {
  for (const wchar_t* tmpFile : {L"", L"a", L"abc", L".bmp", L"a.bmp"}) {
    SCOPED_TRACE(testing::Message() << "tmpFile " << testing::PrintToString(std::wstring(tmpFile)));
    EXPECT_THROW(BuildArchiverCommand(tmpFile), ArchiveFailed);
  }
}

}  // namespace
}  // namespace vistrane
