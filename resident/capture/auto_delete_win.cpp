#include "resident/capture/auto_delete_win.h"

#include <windows.h>

#include <optional>

#include "platform/unique_handle.h"
#include "resident/capture/auto_delete.h"

namespace vistrane {
namespace {

// The last-write time in local time, with the daylight-saving rule of that
// date; nullopt when the stored time is out of the calendar's range.
std::optional<LocalDateTime> LocalLastWrite(const FILETIME& written) {
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  if (!FileTimeToSystemTime(&written, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
    return std::nullopt;
  }
  return LocalDateTime{local.wYear, local.wMonth, local.wDay,
                       local.wHour, local.wMinute, local.wSecond};
}

}  // namespace

AutoDeleteCounts DeleteExpiredImageFiles(const SettingsRecord& settings, const Clock& clock) {
  AutoDeleteCounts counts;
  const auto search = MakeAutoDeleteSearch(settings.Drive, settings.DirName, settings.Filename);
  if (!search) return counts;
  const LocalDateTime today = clock.Now();

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
    const auto written = LocalLastWrite(found.ftLastWriteTime);
    if (!written) {
      ++counts.skipped;
      continue;
    }
    if (!IsExpired(*written, settings.AutoDelDate, today)) continue;
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
