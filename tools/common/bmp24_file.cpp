#include "tools/common/bmp24_file.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/picture_box.h"
#include "resident/output/bmp_file.h"
#include "tools/common/file_output.h"

namespace vistrane::tools {

void SaveBitmap24(HBITMAP bitmap, const std::wstring& path) {
  // Read and written as Vistrane's own bitmap file output does, so a saved
  // reference compares with a capture pixel for pixel.
  PictureBox picture;
  picture.HoldBitmap(bitmap);
  const int width = picture.PixelWidth();
  const std::vector<std::uint8_t> file =
      EncodeBmp24(picture.Pixels(), width, picture.PixelHeight(), std::ptrdiff_t{width} * 4);
  WriteBinaryFile(path, file.data(), file.size());
}

}  // namespace vistrane::tools
