#pragma once
// The archiver's command line for packing one image into an LHA archive
// beside it.
#include <string>
#include <string_view>

namespace vistrane {

struct ArchiverCommand {
  // The image path without its four-character extension; the archiver
  // appends ".lzh" to a name without an extension.
  std::wstring archiveName;
  // "u -a1 -r2 -x1 -o2 <archive> <base folder> <image>", paths quoted where
  // they hold a space or a comma.
  std::wstring commandLine;
};

// The base folder is FolderPrefix(dirName): the image path begins with it, as
// the image file name was made by JoinPath. Throws ArchiveFailed when the image
// path leaves no archive name (four characters or fewer) or the output folder
// is empty, so that no command with a meaningless path reaches the archiver.
ArchiverCommand BuildArchiverCommand(std::wstring_view tmpFile, std::wstring_view dirName);

}  // namespace vistrane
