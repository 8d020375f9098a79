#include "resident/output/save_image_file.h"

#include "resident/output/image_file_name.h"

namespace vistrane {

void SaveImageFile(bool ForMail, Common& common, const Clock& clock, SettingsStore& store,
                   ImageFileWriter& writer) {
  common.OutFilePath = NextImageFilePath(common, ForMail, clock, store);
  writer.WriteFullColourBitmap(common.OutFilePath);
}

std::wstring ImageFileWriteFailedMessage(const std::wstring& path, const std::wstring& reason) {
  std::wstring text = L"画像ファイル「" + path + L"」を保存できませんでした。";
  if (!reason.empty()) text += L"\n\n" + reason;
  return text;
}

}  // namespace vistrane
