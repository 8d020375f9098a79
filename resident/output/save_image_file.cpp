#include "resident/output/save_image_file.h"

#include "resident/output/image_file_name.h"
#include "shared/errors.h"

namespace vistrane {

void SaveImageFile(bool ForMail, Common& common, const Clock& clock, SettingsStore& store,
                   ImageFileWriter& writer) {
  // This build writes bitmap files only; a JPEG setting is refused before a
  // number is used, instead of writing bitmap bytes under a ".jpg" name.
  if (common.OutputFileMode != 1) {
    throw OutputError(L"JPEG形式の画像ファイルはこの版では保存できません。設定の出力形式をビットマップにしてください。");
  }
  common.OutFilePath = NextImageFilePath(common, ForMail, clock, store);
  writer.WriteFullColourBitmap(common.OutFilePath);
}

std::wstring ImageFileWriteFailedMessage(const std::wstring& path, const std::wstring& reason) {
  std::wstring text = L"画像ファイル「" + path + L"」を保存できませんでした。";
  if (!reason.empty()) text += L"\n\n" + reason;
  return text;
}

}  // namespace vistrane
