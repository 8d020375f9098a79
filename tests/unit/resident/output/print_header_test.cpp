#include "resident/output/print_header.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/doubles/fixed_clock.h"

namespace vistrane {
namespace {

// Gives the next time at every read.
class SteppingClock final : public Clock {
 public:
  explicit SteppingClock(std::vector<LocalDateTime> times) : times_(std::move(times)) {}
  LocalDateTime Now() const override { return times_.at(next_++); }

 private:
  std::vector<LocalDateTime> times_;
  mutable std::size_t next_ = 0;
};

TEST(PrintHeaderLine, AssemblesVersionDateTimeAndNames) {
  const FixedClock clock({2026, 12, 4, 9, 5, 7});
  EXPECT_EQ(PrintHeaderLine(clock, L"PC-01", L"taro", {}),
            L"　　　Vistrane Ver4.1  2026/12/04 09:05:07 AM  PC-01  taro");
}

TEST(PrintHeaderLine, TwelveHourClock) {
  struct Case {
    int hour;
    const wchar_t* time;
  };
  const Case cases[] = {
      {0, L"12:30:59 AM"}, {1, L"01:30:59 AM"}, {11, L"11:30:59 AM"},
      {12, L"12:30:59 PM"}, {13, L"01:30:59 PM"}, {23, L"11:30:59 PM"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hour);
    const FixedClock clock({2027, 1, 31, c.hour, 30, 59});
    EXPECT_EQ(PrintHeaderLine(clock, L"PC", L"u", {}),
              std::wstring(L"　　　Vistrane Ver4.1  2027/01/31 ") + c.time + L"  PC  u");
  }
}

TEST(PrintHeaderLine, SystemSeparatorsAndJapaneseNames) {
  const FixedClock clock({2026, 3, 9, 18, 0, 1});
  EXPECT_EQ(PrintHeaderLine(clock, L"経理課", L"山田", {L"-", L"."}),
            L"　　　Vistrane Ver4.1  2026-03-09 06.00.01 PM  経理課  山田");
}

TEST(PrintHeaderLine, DateAndTimeAreReadSeparately) {
  // Printed just at midnight: the date was read before the day changed.
  const SteppingClock clock({{2026, 12, 31, 23, 59, 59}, {2027, 1, 1, 0, 0, 0}});
  EXPECT_EQ(PrintHeaderLine(clock, L"PC", L"u", {}),
            L"　　　Vistrane Ver4.1  2026/12/31 12:00:00 AM  PC  u");
}

}  // namespace
}  // namespace vistrane
