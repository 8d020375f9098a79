#include "resident/output/save_image_file.h"

#include "resident/output/image_file_name.h"
#include "resident/output/reduced_bitmap_file.h"
#include "shared/errors.h"

namespace vistrane {

void SaveImageFile(bool ForMail, Common& common, const Clock& clock, SettingsStore& store,
                   ImageFileWriter& writer) {
  const bool jpeg = common.OutputFileMode != 1;
  const bool reduced = !jpeg && common.ColorMode != 1;
  const std::vector<std::uint8_t> headers =
      reduced ? ReducedBitmapFileHeaders(common) : std::vector<std::uint8_t>{};
  common.OutFilePath =
      NextImageFilePath(common, ForMail, clock, store,
                        [&](const std::wstring& path) { return writer.FileExists(path); });
  if (jpeg) {
    writer.WriteJpeg(common.OutFilePath);
  } else if (reduced) {
    writer.WriteReducedColourBitmap(common.OutFilePath, headers, common.DibBits);
  } else {
    writer.WriteFullColourBitmap(common.OutFilePath);
  }
}

std::wstring ImageFileWriteFailedMessage(const std::wstring& path, const std::wstring& reason) {
  return WithReason(L"画像ファイル「" + path + L"」を保存できませんでした。", reason);
}

}  // namespace vistrane
