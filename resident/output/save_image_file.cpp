#include "resident/output/save_image_file.h"

#include <cstddef>
#include <vector>

#include "resident/output/bmp_file.h"
#include "resident/output/image_file_name.h"
#include "resident/output/png_file.h"
#include "shared/errors.h"
#include "shared/output_modes.h"

namespace vistrane {
namespace {

// The bytes of the file in its format, put into the sink as they are made.
void Encode(ImageFileFormat format, const Capture& capture, const std::wstring& path,
            ImageFileWriter& writer, ByteSink& sink) {
  const Picture& picture = capture.picture;
  const std::ptrdiff_t stride = std::ptrdiff_t{picture.width} * 4;
  switch (format) {
    case ImageFileFormat::Bitmap:
      if (capture.reduced) {
        const std::vector<std::uint8_t> headers =
            BmpFileHeaders(capture.reduced->header, capture.reduced->colours);
        sink.Write(headers.data(), headers.size());
        sink.Write(capture.reduced->rows.data(), capture.reduced->rows.size());
      } else {
        WriteBmp24(picture.pixels, picture.width, picture.height, stride, sink);
      }
      break;
    case ImageFileFormat::Png:
      if (capture.reduced) {
        WriteReducedPng(*capture.reduced, sink);
      } else {
        WritePng24(picture.pixels, picture.width, picture.height, stride, sink);
      }
      break;
    case ImageFileFormat::Jpeg:
      // The picture's pixels, which show the reduced colours when there are any.
      writer.EncodeJpeg(picture, path, sink);
      break;
  }
}

}  // namespace

std::wstring SaveImageFile(bool ForMail, const SettingsRecord& settings, const Capture& capture,
                           std::int16_t& SaveCont, const Clock& clock, SettingsStore& store,
                           ImageFileWriter& writer) {
  const std::wstring OutFilePath =
      NextImageFilePath(settings, ForMail, SaveCont, clock, store,
                        [&](const std::wstring& path) { return writer.FileExists(path); });
  const ImageFileFormat format = ImageFileFormatOf(settings);
  writer.WriteFile(OutFilePath,
                   [&](ByteSink& sink) { Encode(format, capture, OutFilePath, writer, sink); });
  return OutFilePath;
}

std::wstring ImageFileWriteFailedMessage(const std::wstring& path, const std::wstring& reason) {
  return WithReason(L"画像ファイル「" + path + L"」を保存できませんでした。", reason);
}

}  // namespace vistrane
