#include "shared/setting_text.h"

#include <gtest/gtest.h>

namespace vistrane {
namespace {

TEST(SettingText, ParsesSixteenBitDecimalsAndRejectsEverythingElse) {
  struct Case {
    const wchar_t* text;
    std::optional<std::int16_t> expected;
  };
  const Case cases[] = {
      {L"0", 0},          {L"1", 1},          {L"10", 10},        {L"-3", -3},
      {L"+7", 7},         {L"007", 7},        {L"  12\t", 12},    {L"32767", 32767},
      {L"-32768", -32768}, {L"32768", std::nullopt}, {L"-32769", std::nullopt},
      {L"99999999999999999999", std::nullopt}, {L"4294967297", std::nullopt}, {L"", std::nullopt}, {L"   ", std::nullopt},
      {L"-", std::nullopt}, {L"+", std::nullopt}, {L"1a", std::nullopt}, {L"a1", std::nullopt},
      {L"1 2", std::nullopt}, {L"1.0", std::nullopt}, {L"--1", std::nullopt},
      {L"１", std::nullopt},  // full-width digit
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "text \"" << c.text << "\"");
    EXPECT_EQ(ParseInt16(c.text), c.expected);
  }
}

TEST(SettingText, FormatsWithoutPaddingOrPlusAndRoundTrips) {
  EXPECT_EQ(FormatInt16(1), L"1");
  EXPECT_EQ(FormatInt16(10), L"10");
  EXPECT_EQ(FormatInt16(-32768), L"-32768");
  for (const std::int16_t v : {std::int16_t{-32768}, std::int16_t{-1}, std::int16_t{0},
                               std::int16_t{32767}}) {
    EXPECT_EQ(ParseInt16(FormatInt16(v)), v);
  }
}

}  // namespace
}  // namespace vistrane
