#pragma once
// Disp_FileName: the pattern of the image file names, shown under the file
// settings. "mmdd", "999" and "hhmmss" stand literally for the date, the
// daily number and the time that each file gets.
#include <string>

#include "shared/settings_record.h"

namespace vistrane {

// C:\VstrnTmp\Vstrnmmdd-999.bmp, D:\Vstrn.jpg, ...
std::wstring FileNamePreview(const SettingsRecord& record);

}  // namespace vistrane
