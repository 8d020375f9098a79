#pragma once
// The archiver's command line for packing one image into an LHA archive
// beside it.
#include <string>
#include <string_view>

namespace vistrane {

struct ArchiverCommand {
  // The image path with its four-character extension replaced by ".lzh". The
  // archiver is handed this full name, so that a base name holding a dot
  // ("scr.v1") still gives the archive this name and no other.
  std::wstring archiveName;
  // "u -a1 -r2 -x1 -o2 <archive> <base folder> <image>", paths quoted where
  // they hold a space or a comma.
  std::wstring commandLine;
};

// The base folder is the image's own folder (FolderPrefix(FolderOfFile)): the
// image is stored under its bare name whichever output folder it was written
// to. Throws ArchiveFailed when the image path leaves no archive name (four
// characters or fewer) or names no folder, so that no command with a
// meaningless path reaches the archiver.
ArchiverCommand BuildArchiverCommand(std::wstring_view tmpFile);

// The image path with its four-character extension replaced by `extension`
// (".lzh", ".zip"); throws ArchiveFailed as BuildArchiverCommand does.
std::wstring ArchiveNameFor(std::wstring_view tmpFile, std::wstring_view extension);

}  // namespace vistrane
