#pragma once
// The decisions of the start-up deletion of expired image files: which
// folder listing to ask for, which entries are image files of ours, and when
// one has expired. The pass over the folder itself is AutoDeleteFiles.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "shared/clock.h"

namespace vistrane {

struct AutoDeleteSearch {
  std::wstring pattern;       // the listing's search pattern
  std::wstring folderPrefix;  // put in front of a found name for its full path
};

// The folder prefix is FolderPrefix(DirName), as the image file names were
// made. Nullopt for an empty Filename (only a hand-edited store has one):
// every image file in the folder would match, ours or not, so nothing is
// deleted; and for a DirName that is not absolute, which would list
// whatever folder the program happens to work in.
std::optional<AutoDeleteSearch> MakeAutoDeleteSearch(const std::wstring& DirName,
                                                     const std::wstring& Filename);

// True for a listed entry that is a file of ours: not a folder, a name that
// really begins with Filename (the listing also matches short 8.3 aliases;
// letters compare without case, as the file system does), and either ends in
// exactly "bmp", "jpg" or "png" (a name shorter than three characters has no
// such ending) or is what a mail sender ended in mid-run leaves of a mail
// copy: Filename kMailCopyMark, six digits, maybe "-" and a number, and one of
// kMailCopyCompanions, exactly so.
bool IsAutoDeleteCandidate(std::uint32_t attributes, std::wstring_view name,
                           std::wstring_view Filename);

// Whether AutoDelDate is a number of days the dialog can set, 1 to 999. Any
// other value came from elsewhere (another tool, a hand edit) and deletes
// nothing: a 0 or a negative number would delete the captures of the last
// days.
bool IsAutoDelDateInRange(std::int16_t AutoDelDate);

// The local midnight AutoDelDate days before today: a file last written
// before it has expired, since its write time plus AutoDelDate calendar days
// (the time of day kept) is then earlier than today at midnight. Nullopt for
// an AutoDelDate out of range: nothing expires.
std::optional<LocalDateTime> ExpiryCutoff(const LocalDateTime& today, std::int16_t AutoDelDate);

}  // namespace vistrane
