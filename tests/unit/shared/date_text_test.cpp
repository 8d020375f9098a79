#include "shared/date_text.h"

#include <gtest/gtest.h>

namespace vistrane {
namespace {

TEST(DateText, PadsEveryFieldToItsWidth) {
  const LocalDateTime t{2026, 12, 4, 9, 5, 7};
  EXPECT_EQ(FormatYyyymmdd(t), L"20261204");
  EXPECT_EQ(FormatMmdd(t), L"1204");
  EXPECT_EQ(FormatHhmmss(t), L"090507");
  EXPECT_EQ(FormatHhmmss({2026, 1, 1, 23, 59, 0}), L"235900");
}

}  // namespace
}  // namespace vistrane
