#include "mailsend/unlha32/unlha_command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mailsend/unlha32/archive_error.h"

namespace vistrane {
namespace {

using Args = std::vector<std::wstring>;

TEST(SplitCommandLine, HonoursQuotesAndKeepsBackslashes) {
  struct Case {
    std::wstring line;
    Args expected;
  };
  const Case cases[] = {
      {L"u -a1 C:\\a\\b", {L"u", L"-a1", L"C:\\a\\b"}},
      {L"  u \t x  ", {L"u", L"x"}},
      {L"u \"C:\\out dir\\capture\" \"C:\\out dir\\\" x",
       {L"u", L"C:\\out dir\\capture", L"C:\\out dir\\", L"x"}},
      {L"a\"b c\"d", {L"ab cd"}},
      {L"u \"\" x", {L"u", L"", L"x"}},
      {L"u C:\\a,b.bmp", {L"u", L"C:\\a,b.bmp"}},
      {L"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(SplitCommandLine(c.line), c.expected);
  }
}

TEST(WithArchiveExtension, AppendsLzhOnlyWhenTheNameHasNoExtension) {
  struct Case {
    std::wstring path, expected;
  };
  const Case cases[] = {
      {L"C:\\VstrnTmp\\VstrnML-090507", L"C:\\VstrnTmp\\VstrnML-090507.lzh"},
      {L"C:\\out.dir\\capture", L"C:\\out.dir\\capture.lzh"},
      {L"C:\\out\\capture.lzh", L"C:\\out\\capture.lzh"},
      {L"C:\\out\\capture.LZH", L"C:\\out\\capture.LZH"},
      {L"C:\\out\\capture.bin", L"C:\\out\\capture.bin"},
      {L"archive", L"archive.lzh"},
      {L"C:archive", L"C:archive.lzh"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(WithArchiveExtension(c.path), c.expected);
  }
}

TEST(ParseUnlhaCommandLine, ReadsTheMailSendersCommandLines) {
  const UnlhaCommand plain = ParseUnlhaCommandLine(
      L"u -a1 -r2 -x1 -o2 C:\\VstrnTmp\\VstrnML-090507 C:\\VstrnTmp\\ "
      L"C:\\VstrnTmp\\VstrnML-090507.bmp");
  EXPECT_EQ(plain.archive, L"C:\\VstrnTmp\\VstrnML-090507.lzh");
  EXPECT_EQ(plain.baseFolder, L"C:\\VstrnTmp\\");
  EXPECT_EQ(plain.files, Args{L"C:\\VstrnTmp\\VstrnML-090507.bmp"});

  const UnlhaCommand quoted = ParseUnlhaCommandLine(
      L"u -a1 -r2 -x1 -o2 \"C:\\out dir\\capture\" \"C:\\out dir\\\" \"C:\\out dir\\capture.bmp\"");
  EXPECT_EQ(quoted.archive, L"C:\\out dir\\capture.lzh");
  EXPECT_EQ(quoted.baseFolder, L"C:\\out dir\\");
  EXPECT_EQ(quoted.files, Args{L"C:\\out dir\\capture.bmp"});

  const UnlhaCommand root = ParseUnlhaCommandLine(L"U -O2 -X1 D:\\cap D:\\ D:\\cap.bmp D:\\b.bmp");
  EXPECT_EQ(root.baseFolder, L"D:\\");
  EXPECT_EQ(root.files, (Args{L"D:\\cap.bmp", L"D:\\b.bmp"}));

  const UnlhaCommand no_base = ParseUnlhaCommandLine(L"u a.lzh x.bmp");
  EXPECT_EQ(no_base.baseFolder, L"");
  EXPECT_EQ(no_base.files, Args{L"x.bmp"});
}

TEST(ParseUnlhaCommandLine, RefusesWhatItDoesNotUnderstand) {
  struct Case {
    std::wstring line;
    std::wstring reason_part;
  };
  const Case cases[] = {
      {L"", L"空です"},
      {L"a -a1 x.lzh y.bmp", L"コマンド「a」には対応していません"},
      {L"x x.lzh", L"コマンド「x」"},
      {L"u -r1 x.lzh y.bmp", L"オプション「-r1」"},
      {L"u -a1 -gm x.lzh y.bmp", L"オプション「-gm」"},
      {L"u -a1", L"書庫の名前がありません"},
      {L"u C:\\dir\\ y.bmp", L"ファイル名ではありません"},
      {L"u x.lzh", L"格納するファイルがありません"},
      {L"u x.lzh C:\\base\\", L"格納するファイルがありません"},
      {L"u x.lzh C:\\base\\ C:\\base\\sub\\", L"フォルダは格納しません"},
      {L"u \"x.lzh y.bmp", L"二重引用符"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    try {
      ParseUnlhaCommandLine(c.line);
      ADD_FAILURE() << "accepted";
    } catch (const ArchiveError& error) {
      EXPECT_EQ(error.status(), UnlhaStatus::kBadCommand);
      EXPECT_NE(error.reason().find(c.reason_part), std::wstring::npos)
          << std::string(error.what());
    }
  }
}

}  // namespace
}  // namespace vistrane
