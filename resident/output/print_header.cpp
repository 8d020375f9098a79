#include "resident/output/print_header.h"

#include "vistrane_version.h"

namespace vistrane {
namespace {

std::wstring TwoDigits(int value) {
  return std::wstring{static_cast<wchar_t>(L'0' + value / 10 % 10),
                      static_cast<wchar_t>(L'0' + value % 10)};
}

std::wstring DateText(const LocalDateTime& t, const std::wstring& separator) {
  return std::to_wstring(t.year) + separator + TwoDigits(t.month) + separator + TwoDigits(t.day);
}

// Midnight and noon are 12, as a 12-hour clock shows them.
std::wstring TimeText(const LocalDateTime& t, const std::wstring& separator) {
  const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
  return TwoDigits(hour12) + separator + TwoDigits(t.minute) + separator + TwoDigits(t.second) +
         (t.hour < 12 ? L" AM" : L" PM");
}

}  // namespace

std::wstring PrintHeaderLine(const Clock& clock, const std::wstring& computerName,
                             const std::wstring& userName, const DateTimeSeparators& separators) {
  std::wstring line = L"　　　Vistrane Ver";
  line += kProductVersionText;
  line += L"  ";
  line += DateText(clock.Now(), separators.date);
  line += L' ';
  line += TimeText(clock.Now(), separators.time);
  line += L"  " + computerName + L"  " + userName;
  return line;
}

}  // namespace vistrane
