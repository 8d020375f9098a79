#include "resident/output/save_image_file.h"

#include <cstddef>
#include <vector>

#include "resident/output/bmp_file.h"
#include "resident/output/image_file_name.h"
#include "resident/output/png_file.h"
#include "shared/errors.h"

namespace vistrane {
std::wstring SaveImageFile(bool ForMail, ImageFileFormat format, const SettingsRecord& settings,
                           const Capture& capture, std::int16_t& SaveCont, const Clock& clock,
                           SettingsStore& store, ImageFileWriter& writer) {
  const std::wstring OutFilePath =
      NextImageFilePath(settings, format, ForMail, SaveCont, clock, store,
                        [&](const std::wstring& path) { return writer.FileExists(path); });
  const Picture& picture = capture.picture;
  const std::ptrdiff_t stride = std::ptrdiff_t{picture.width} * 4;
  const ReducedImage* reduced = capture.reduced ? &*capture.reduced : nullptr;
  // The bytes of the file, put into it as they are made.
  writer.WriteFile(OutFilePath, [&](ByteSink& file) {
    switch (format) {
      case ImageFileFormat::Bitmap:
        if (reduced) {
          const std::vector<std::uint8_t> headers =
              BmpFileHeaders(reduced->header, reduced->colours);
          file.Write(headers.data(), headers.size());
          file.Write(reduced->rows.data(), reduced->rows.size());
        } else {
          WriteBmp24(picture.pixels, picture.width, picture.height, stride, file);
        }
        break;
      case ImageFileFormat::Png:
        if (reduced) {
          WriteReducedPng(*reduced, file);
        } else {
          WritePng24(picture.pixels, picture.width, picture.height, stride, file);
        }
        break;
      case ImageFileFormat::Jpeg:
        // The picture's pixels, which show the reduced colours when there are any.
        writer.EncodeJpeg(picture, OutFilePath, file);
        break;
    }
  });
  return OutFilePath;
}

std::wstring ImageFileWriteFailedMessage(const std::wstring& path, const std::wstring& reason) {
  return WithReason(L"画像ファイル「" + path + L"」を保存できませんでした。", reason);
}

}  // namespace vistrane
