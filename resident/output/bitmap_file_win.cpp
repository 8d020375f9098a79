#include "resident/output/bitmap_file_win.h"

#include "platform/file_system.h"
#include "platform/win32_error.h"
#include "resident/output/bmp_file.h"
#include "resident/output/save_image_file.h"
#include "shared/errors.h"

namespace vistrane {

void WriteFullColourBitmapFile(const PictureBox& picture, const std::wstring& path) {
  const int width = picture.PixelWidth();
  const std::vector<std::uint8_t> file =
      EncodeBmp24(picture.Pixels(), width, picture.PixelHeight(), std::ptrdiff_t{width} * 4);
  try {
    WriteWholeFile(path, file.data(), file.size());
  } catch (const Win32Error& e) {
    throw OutputError(ImageFileWriteFailedMessage(path, Win32ErrorText(e.code())));
  }
}

}  // namespace vistrane
