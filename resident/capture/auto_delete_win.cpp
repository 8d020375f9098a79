#include "resident/capture/auto_delete_win.h"

#include <windows.h>

#include <optional>

#include "platform/unique_handle.h"
#include "resident/capture/auto_delete.h"

namespace vistrane {
namespace {

// The cutoff as a file time (UTC), converted once with the daylight-saving
// rule of its own date, so the entries are compared without converting each.
std::optional<FILETIME> CutoffFileTime(const LocalDateTime& cutoff) {
  const SYSTEMTIME local{static_cast<WORD>(cutoff.year), static_cast<WORD>(cutoff.month), 0,
                         static_cast<WORD>(cutoff.day), 0, 0, 0, 0};
  SYSTEMTIME utc{};
  FILETIME result{};
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) ||
      !SystemTimeToFileTime(&utc, &result)) {
    return std::nullopt;
  }
  return result;
}

}  // namespace

AutoDeleteCounts DeleteExpiredImageFiles(const SettingsRecord& settings, const Clock& clock) {
  AutoDeleteCounts counts;
  const auto search = MakeAutoDeleteSearch(settings.DirName, settings.Filename);
  if (!search) return counts;
  const auto day = ExpiryCutoff(clock.Now(), settings.AutoDelDate);
  if (!day) return counts;
  const auto cutoff = CutoffFileTime(*day);
  if (!cutoff) return counts;

  // The basic information leaves out the short names nobody reads here, and
  // the large fetch lists a big folder in fewer calls.
  WIN32_FIND_DATAW found{};
  const UniqueFind listing(FindFirstFileExW(search->pattern.c_str(), FindExInfoBasic, &found,
                                            FindExSearchNameMatch, nullptr,
                                            FIND_FIRST_EX_LARGE_FETCH));
  if (!listing) return counts;  // no match, or no folder to list
  do {
    if (!IsAutoDeleteCandidate(found.dwFileAttributes, found.cFileName, settings.Filename)) {
      continue;
    }
    if (CompareFileTime(&found.ftLastWriteTime, &*cutoff) >= 0) continue;
    const std::wstring path = search->folderPrefix + found.cFileName;
    if (DeleteFileW(path.c_str())) {
      ++counts.deleted;
    } else {
      ++counts.skipped;
    }
  } while (FindNextFileW(listing.get(), &found));
  return counts;
}

}  // namespace vistrane
