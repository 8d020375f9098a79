#pragma once
// The start-up pass that deletes the expired image files of the output
// folder (the decisions are in auto_delete.h).
#include "shared/clock.h"
#include "shared/settings_record.h"

namespace vistrane {

struct AutoDeleteCounts {
  int deleted = 0;
  int skipped = 0;  // expired, but not deletable (read-only, in use)
};

// Lists the files that begin with Filename in DirName and deletes every
// expired one that IsAutoDeleteCandidate takes. An entry that cannot be
// deleted is left alone and the pass goes on; a folder that cannot be listed,
// an AutoDelDate out of range, or a cutoff the calendar cannot hold, deletes
// nothing. Uses full paths: the current folder stays as it was.
AutoDeleteCounts DeleteExpiredImageFiles(const SettingsRecord& settings, const Clock& clock);

}  // namespace vistrane
