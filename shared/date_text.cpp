#include "shared/date_text.h"

namespace vistrane {
namespace {

void AppendDigits(std::wstring& out, int value, int width) {
  std::wstring digits = std::to_wstring(value);
  if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), L'0');
  out += digits;
}

}  // namespace

std::wstring FormatYyyymmdd(const LocalDateTime& t) {
  std::wstring s;
  AppendDigits(s, t.year, 4);
  AppendDigits(s, t.month, 2);
  AppendDigits(s, t.day, 2);
  return s;
}

std::wstring FormatMmdd(const LocalDateTime& t) {
  std::wstring s;
  AppendDigits(s, t.month, 2);
  AppendDigits(s, t.day, 2);
  return s;
}

std::wstring FormatHhmmss(const LocalDateTime& t) {
  std::wstring s;
  AppendDigits(s, t.hour, 2);
  AppendDigits(s, t.minute, 2);
  AppendDigits(s, t.second, 2);
  return s;
}

}  // namespace vistrane
