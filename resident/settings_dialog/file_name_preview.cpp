#include "resident/settings_dialog/file_name_preview.h"

#include "resident/output/image_file_name.h"

namespace vistrane {

std::wstring FileNamePreview(const SettingsRecord& record) {
  const wchar_t* suffix = L"";
  if (record.FileOutMode == 1) suffix = L"mmdd-999";
  if (record.FileOutMode == 2) suffix = L"mmdd-hhmmss";
  return ImageFilePath(record, suffix);
}

}  // namespace vistrane
