#include "resident/capture/auto_delete.h"

#include <algorithm>
#include <chrono>

#include "resident/output/image_file_name.h"
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

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// "hhmmss", maybe followed by "-" and the number a taken name got, then one
// of the extensions of what the mail sender makes beside the copy.
bool IsMailCopyCompanionTail(std::wstring_view tail) {
  if (tail.size() < 6 || !std::all_of(tail.begin(), tail.begin() + 6, IsDigit)) return false;
  tail.remove_prefix(6);
  if (tail.starts_with(L'-')) {
    const auto digitsEnd = std::find_if_not(tail.begin() + 1, tail.end(), IsDigit);
    if (digitsEnd == tail.begin() + 1) return false;
    tail.remove_prefix(static_cast<std::size_t>(digitsEnd - tail.begin()));
  }
  return std::find(kMailCopyCompanions.begin(), kMailCopyCompanions.end(), tail) !=
         kMailCopyCompanions.end();
}

}  // namespace

std::optional<AutoDeleteSearch> MakeAutoDeleteSearch(const std::wstring& DirName,
                                                     const std::wstring& Filename) {
  if (Filename.empty() || !IsAbsoluteFolder(DirName)) return std::nullopt;
  const std::wstring prefix = FolderPrefix(DirName);
  return AutoDeleteSearch{prefix + Filename + L"*", prefix};
}

bool IsAutoDeleteCandidate(std::uint32_t attributes, std::wstring_view name,
                           std::wstring_view Filename) {
  // Any folder, also one with further attribute bits: deleting is for files.
  if ((attributes & kDirectoryAttribute) != 0) return false;
  if (name.size() < 3 || !BeginsWith(name, Filename)) return false;
  const std::wstring_view ext = name.substr(name.size() - 3);
  if (ext == L"bmp" || ext == L"jpg" || ext == L"png") return true;
  const std::wstring_view rest = name.substr(Filename.size());
  return rest.starts_with(kMailCopyMark) &&
         IsMailCopyCompanionTail(rest.substr(kMailCopyMark.size()));
}

bool IsAutoDelDateInRange(std::int16_t AutoDelDate) {
  return AutoDelDate >= 1 && AutoDelDate <= 999;
}

std::optional<LocalDateTime> ExpiryCutoff(const LocalDateTime& today, std::int16_t AutoDelDate) {
  if (!IsAutoDelDateInRange(AutoDelDate)) return std::nullopt;
  // The time of day lies in [00:00, 24:00), so "written + N days, same time,
  // before today 00:00" holds exactly when the written day is before today - N.
  namespace chrono = std::chrono;
  const chrono::year_month_day day{chrono::year{today.year},
                                   chrono::month{static_cast<unsigned>(today.month)},
                                   chrono::day{static_cast<unsigned>(today.day)}};
  const chrono::year_month_day cutoff{chrono::sys_days{day} - chrono::days{AutoDelDate}};
  return LocalDateTime{static_cast<int>(cutoff.year()), static_cast<int>(unsigned{cutoff.month()}),
                       static_cast<int>(unsigned{cutoff.day()}), 0, 0, 0};
}

}  // namespace vistrane
