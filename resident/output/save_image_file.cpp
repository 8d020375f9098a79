#include "resident/output/save_image_file.h"

#include "resident/output/image_file_name.h"
#include "resident/output/reduce_colors.h"
#include "resident/output/reduced_bitmap_file.h"
#include "shared/errors.h"

namespace vistrane {

void SaveImageFile(bool ForMail, Common& common, const Clock& clock, SettingsStore& store,
                   ImageFileWriter& writer) {
  const ImageFileFormat format = ImageFileFormatOf(common);
  const std::vector<std::uint8_t> headers = format == ImageFileFormat::ReducedBitmap
                                                ? ReducedBitmapFileHeaders(common)
                                                : std::vector<std::uint8_t>{};
  if (format == ImageFileFormat::ReducedPng) RequireReducedRows(common);
  common.OutFilePath =
      NextImageFilePath(common, ForMail, clock, store,
                        [&](const std::wstring& path) { return writer.FileExists(path); });
  switch (format) {
    case ImageFileFormat::Bitmap:
      writer.WriteFullColourBitmap(common.OutFilePath);
      break;
    case ImageFileFormat::ReducedBitmap:
      writer.WriteReducedColourBitmap(common.OutFilePath, headers, common.DibBits);
      break;
    case ImageFileFormat::Jpeg:
      writer.WriteJpeg(common.OutFilePath);
      break;
    case ImageFileFormat::Png:
      writer.WritePng(common.OutFilePath);
      break;
    case ImageFileFormat::ReducedPng:
      writer.WriteReducedPng(common.OutFilePath, common);
      break;
  }
}

std::wstring ImageFileWriteFailedMessage(const std::wstring& path, const std::wstring& reason) {
  return WithReason(L"画像ファイル「" + path + L"」を保存できませんでした。", reason);
}

}  // namespace vistrane
