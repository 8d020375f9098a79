#pragma once
// The archiver's command line: "u", options, the archive, an optional base
// folder (the argument after the archive when it ends in '\'), then the
// files to add.
#include <string>
#include <string_view>
#include <vector>

namespace vistrane {

struct UnlhaCommand {
  std::wstring archive;      // with ".lzh" appended when it had no extension
  std::wstring baseFolder;   // ends in '\'; empty when none was given
  std::vector<std::wstring> files;
};

// Arguments separated by spaces or tabs; double quotes group and are
// removed, and a backslash is an ordinary character ("C:\my dir\" is one
// argument ending in a backslash).
std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine);

// ".lzh" appended when the last path element has no '.'.
std::wstring WithArchiveExtension(std::wstring path);

// Accepts the command "u" and the options -a1, -r2, -x1 and -o2 (in any
// order and case, before the archive). Throws ArchiveError (kBadCommand)
// naming what it does not understand.
UnlhaCommand ParseUnlhaCommandLine(std::wstring_view commandLine);

}  // namespace vistrane
