#pragma once
// One call of the archiver: parse the command line, pack the files, and
// update or create the archive.
#include <string>
#include <string_view>

#include "mailsend/unlha32/archive_error.h"
#include "mailsend/unlha32/archive_file_access.h"

namespace vistrane {

struct UnlhaOutcome {
  UnlhaStatus status = UnlhaStatus::kOk;
  std::wstring message;  // what was done, or why nothing was
};

// "u": adds the files to the archive, replacing members of the same stored
// name and keeping the others, or creates it. All files are read and packed
// before the archive is touched, so a failure leaves it as it was. Never
// throws.
UnlhaOutcome RunUnlha(std::wstring_view commandLine, ArchiveFileAccess& files) noexcept;

}  // namespace vistrane
