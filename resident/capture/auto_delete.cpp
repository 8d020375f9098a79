#include "resident/capture/auto_delete.h"

#include <algorithm>

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

std::optional<AutoDeleteSearch> MakeAutoDeleteSearch(const std::wstring& Drive,
                                                     const std::wstring& DirName,
                                                     const std::wstring& Filename) {
  if (Filename.empty()) return std::nullopt;
  const std::wstring prefix = DirName == Drive ? DirName : DirName + L"\\";
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

bool IsExpired(const LocalDateTime& written, std::int16_t AutoDelDate, const LocalDateTime& today) {
  // The time of day lies in [00:00, 24:00), so "written + N days, same time,
  // before today 00:00" holds exactly when the written day + N is before today.
  const int days = std::max<int>(AutoDelDate, 0);
  return DayNumber(written.year, written.month, written.day) + days <
         DayNumber(today.year, today.month, today.day);
}

}  // namespace vistrane
