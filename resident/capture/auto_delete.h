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
// deleted.
std::optional<AutoDeleteSearch> MakeAutoDeleteSearch(const std::wstring& DirName,
                                                     const std::wstring& Filename);

// True for a listed entry that is an image file of ours: not a folder, a
// name that really begins with Filename (the listing also matches short
// 8.3 aliases; letters compare without case, as the file system does) and
// ends in exactly "bmp", "jpg" or "png". A name shorter than three characters has
// no such ending.
bool IsAutoDeleteCandidate(std::uint32_t attributes, std::wstring_view name,
                           std::wstring_view Filename);

// The local midnight AutoDelDate days before today: a file last written
// before it has expired, since its write time plus AutoDelDate calendar days
// (the time of day kept) is then earlier than today at midnight. A negative
// AutoDelDate counts as 0, so no start ever deletes the files of today.
LocalDateTime ExpiryCutoff(const LocalDateTime& today, std::int16_t AutoDelDate);

}  // namespace vistrane
