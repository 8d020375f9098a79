#include "resident/capture/auto_delete.h"

#include <algorithm>

#include "shared/folder_path.h"

namespace vistrane {
namespace {

constexpr std::uint32_t kDirectoryAttribute = 16;

wchar_t FoldAsciiCase(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }

bool BeginsWith(std::wstring_view name, std::wstring_view prefix) {
  return name.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), name.begin(), [](wchar_t a, wchar_t b) {
           return FoldAsciiCase(a) == FoldAsciiCase(b);
         });
}

}  // namespace

std::optional<AutoDeleteSearch> MakeAutoDeleteSearch(const std::wstring& DirName,
                                                     const std::wstring& Filename) {
  if (Filename.empty()) return std::nullopt;
  const std::wstring prefix = FolderPrefix(DirName);
  return AutoDeleteSearch{prefix + Filename + L"*", prefix};
}

bool IsAutoDeleteCandidate(std::uint32_t attributes, std::wstring_view name,
                           std::wstring_view Filename) {
  // Any folder, also one with further attribute bits: deleting is for files.
  if ((attributes & kDirectoryAttribute) != 0) return false;
  if (name.size() < 3 || !BeginsWith(name, Filename)) return false;
  const std::wstring_view ext = name.substr(name.size() - 3);
  return ext == L"bmp" || ext == L"jpg";
}

long long DayNumber(int year, int month, int day) {
  // Days from civil (H. Hinnant): March-based years put the leap day last.
  const long long y = static_cast<long long>(year) - (month <= 2 ? 1 : 0);
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yearOfEra = y - era * 400;
  const long long dayOfYear = (153LL * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

LocalDateTime DateOfDayNumber(long long days) {
  // Civil from days (H. Hinnant), the inverse of DayNumber.
  const long long z = days + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long dayOfEra = z - era * 146097;
  const long long yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  return LocalDateTime{year, month, day, 0, 0, 0};
}

LocalDateTime ExpiryCutoff(const LocalDateTime& today, std::int16_t AutoDelDate) {
  // The time of day lies in [00:00, 24:00), so "written + N days, same time,
  // before today 00:00" holds exactly when the written day is before today - N.
  const int days = std::max<int>(AutoDelDate, 0);
  return DateOfDayNumber(DayNumber(today.year, today.month, today.day) - days);
}

}  // namespace vistrane
