#pragma once
// The resident program's shared state: the settings record, whose fields every
// part reads and the settings dialog edits in place, the path of the image
// file written last, and the colour-reduced image of the current capture.
#include <cstdint>
#include <string>
#include <vector>

#include "resident/dib_info.h"
#include "shared/settings_record.h"

namespace vistrane {

struct Common : SettingsRecord {
  std::wstring OutFilePath;
  // Headers and colour tables of the last reduction at each depth; they keep
  // their contents between captures. DibBits holds the reduced pixel rows
  // (DibSize bytes, bottom row first) only while a capture runs.
  DibInfo<256> DibInfo256{};
  DibInfo<16> DibInfo16{};
  DibInfo<2> DibInfo2{};
  std::vector<std::uint8_t> DibBits;
  std::int32_t DibSize = 0;
};

}  // namespace vistrane
