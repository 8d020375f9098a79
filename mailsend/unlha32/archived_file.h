#pragma once
// Where a file named on the command line is read from, and the name it gets
// in the archive: relative to the base folder.
#include <string>
#include <vector>

namespace vistrane {

struct ArchivedFile {
  std::wstring path;                       // to read the file from
  std::vector<std::wstring> storedParts;   // folders from the outermost, then the file name
};

// With a base folder ("C:\out\"): a full path must lie inside it and is
// stored relative to it; a relative path is taken relative to it. Without
// one, the path is stored without its drive and leading separators. Throws
// ArchiveError (kBadCommand) for a file outside the base folder or a name
// with "." or ".." elements, which would escape the folder on extraction.
ArchivedFile ResolveArchivedFile(const std::wstring& baseFolder, const std::wstring& file);

}  // namespace vistrane
