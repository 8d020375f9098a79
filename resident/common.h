#pragma once
// The resident program's shared state: the settings record, whose fields every
// part reads and the settings dialog edits in place, and the path of the image
// file written last.
#include <string>

#include "shared/settings_record.h"

namespace vistrane {

struct Common : SettingsRecord {
  std::wstring OutFilePath;
};

}  // namespace vistrane
