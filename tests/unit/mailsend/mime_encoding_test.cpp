#include "mailsend/mime_encoding.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "mailsend/draft_message.h"

namespace vistrane {
namespace {

std::string Base64Of(std::size_t count) {
  std::vector<unsigned char> bytes(count);
  std::iota(bytes.begin(), bytes.end(), 0);
  return Base64Lines(bytes);
}

// The draft's Date line for a time `offset` minutes ahead of UTC.
std::string DateLine(LocalDateTime local, int offset) {
  const std::string message = DraftMessage({L"", L"", L"", L"a.bmp", {}}, {local, offset, "1"});
  return message.substr(0, message.find("\r\n"));
}

TEST(MimeEncoding, SubjectFileNameBase64AndLineEnds) {
  const std::string line57 =
      "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKissLS4vMDEyMzQ1Njc4";
  struct Case {
    const char* name;
    std::string actual;
    std::string expected;
  };
  const Case cases[] = {
      {"plain ASCII subject", HeaderText(L"Screen copy 1", "\r\n "), "Screen copy 1"},
      {"empty subject", HeaderText(L"", "\r\n "), ""},
      {"a long ASCII address list stays as it is",
       HeaderText(L"taro@example.jp, hanako@example.jp, jiro@example.jp, saburo@example.jp", " "),
       "taro@example.jp, hanako@example.jp, jiro@example.jp, saburo@example.jp"},
      {"Japanese subject", HeaderText(L"画面", "\r\n "), "=?UTF-8?B?55S76Z2i?="},
      // 19 characters of three bytes: 12 fit a word, never half of one.
      {"long subject folds between characters",
       HeaderText(L"画面のコピーを送ります、ご確認ください", "\r\n "),
       "=?UTF-8?B?55S76Z2i44Gu44Kz44OU44O844KS6YCB44KK44G+44GZ44CB?=\r\n"
       " =?UTF-8?B?44GU56K66KqN44GP44Gg44GV44GE?="},
      {"a character beyond the BMP", HeaderText(L"\U00020BB7", " "), "=?UTF-8?B?8KCutw==?="},
      {"ASCII that looks encoded", HeaderText(L"=?x?=", " "), "=?UTF-8?B?PT94Pz0=?="},
      {"Japanese file name", ExtendedParameter("filename", L"画面ML-1208.lzh"),
       "filename*=UTF-8''%E7%94%BB%E9%9D%A2ML-1208.lzh"},
      {"file name with a space and a quote-worthy sign",
       ExtendedParameter("filename", L"a b;c.bmp"), "filename*=UTF-8''a%20b%3Bc.bmp"},
      {"base64: 57 bytes fill one line of 76", Base64Of(57), line57 + "\r\n"},
      {"base64: the 58th byte starts a padded line", Base64Of(58), line57 + "\r\nOQ==\r\n"},
      {"base64: nothing", Base64Of(0), ""},
      {"every line end becomes CRLF", CrlfLines(L"一\n二\r\n三\r四\n\n"),
       "\xE4\xB8\x80\r\n\xE4\xBA\x8C\r\n\xE4\xB8\x89\r\n\xE5\x9B\x9B\r\n\r\n"},
      {"date east of UTC", DateLine({2026, 12, 8, 9, 4, 1}, 540),
       "Date: Tue, 08 Dec 2026 09:04:01 +0900"},
      {"date west of UTC, in a leap year's February", DateLine({2024, 2, 29, 23, 59, 59}, -210),
       "Date: Thu, 29 Feb 2024 23:59:59 -0330"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, c.expected);
  }
}

}  // namespace
}  // namespace vistrane
