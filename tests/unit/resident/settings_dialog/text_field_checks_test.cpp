#include "resident/settings_dialog/text_field_checks.h"

#include <gtest/gtest.h>

namespace vistrane {
namespace {

TEST(ApplyAutoDelDate, TakesWholeNumbersAndRefusesTheRestWithItsMessage) {
  struct Case {
    const wchar_t* text;
    std::wstring_view message;
    std::int16_t days;       // AutoDelDate afterwards
    std::int16_t from = 10;  // and before
  };
  const Case cases[] = {
      {L"7", {}, 7},
      {L"07", {}, 7},
      {L" 7", {}, 7},
      {L"7 ", {}, 7},
      {L" 7 ", {}, 7},
      {L"999", {}, 999},
      {L"0", kDaysZeroMessage, 10},
      {L"00", kDaysZeroMessage, 10},
      {L"000", kDaysZeroMessage, 10},
      {L" 0 ", kDaysZeroMessage, 10},
      {L"", kDaysNotNumberMessage, 10},
      {L"7a", kDaysNotNumberMessage, 10},
      {L"-7", kDaysNotNumberMessage, 10},
      {L"+7", kDaysNotNumberMessage, 10},
      {L"\xFF17", kDaysNotNumberMessage, 10},   // full-width 7
      {L"7\x3000", kDaysNotNumberMessage, 10},  // full-width blank
      {L"   ", kDaysNotNumberMessage, 10},
      {L"7 7", kDaysNotNumberMessage, 10},
      {L"99999", kDaysNotNumberMessage, 10},  // longer than the field allows
      {L"-5", {}, -5, -5},                    // stored by another tool, shown and left as it is
      {L"7", {}, 7, -5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "text \"" << testing::PrintToString(std::wstring(c.text))
                                    << "\"");
    SettingsRecord record;
    record.AutoDelDate = c.from;
    EXPECT_EQ(ApplyAutoDelDate(record, c.text), c.message);
    EXPECT_EQ(record.AutoDelDate, c.days);
  }
}

TEST(ApplyFileName, RefusesOnlyTheEmptyName) {
  SettingsRecord record;
  record.Filename = L"Vstrn";
  EXPECT_EQ(ApplyFileName(record, L""), kFileNameEmptyMessage);
  EXPECT_EQ(record.Filename, L"Vstrn");
  EXPECT_EQ(ApplyFileName(record, L"   "), std::wstring_view());
  EXPECT_EQ(record.Filename, L"   ");
}

}  // namespace
}  // namespace vistrane
