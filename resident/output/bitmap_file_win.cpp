#include "resident/output/bitmap_file_win.h"

#include "resident/output/bmp_file.h"
#include "resident/output/image_file_win.h"

namespace vistrane {
void WriteFullColourBitmapFile(const PictureBox& picture, const std::wstring& path) {
  WriteImageFile(path, [&](FileWriter& file) {
    FileSink sink(file);
    const int width = picture.PixelWidth();
    WriteBmp24(picture.Pixels(), width, picture.PixelHeight(), std::ptrdiff_t{width} * 4, sink);
  });
}

void WriteReducedColourBitmapFile(const std::wstring& path,
                                  const std::vector<std::uint8_t>& headers,
                                  const std::vector<std::uint8_t>& pixelRows) {
  WriteImageFile(path, [&](FileWriter& file) {
    file.Write(headers.data(), headers.size());
    file.Write(pixelRows.data(), pixelRows.size());
  });
}

}  // namespace vistrane
