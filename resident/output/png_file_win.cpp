#include "resident/output/png_file_win.h"

#include "resident/output/image_file_win.h"
#include "resident/output/png_file.h"
#include "resident/output/reduce_colors.h"

namespace vistrane {

void WritePngFile(const PictureBox& picture, const std::wstring& path) {
  WriteImageFile(path, [&](FileWriter& file) {
    FileSink sink(file);
    const int width = picture.PixelWidth();
    WritePng24(picture.Pixels(), width, picture.PixelHeight(), std::ptrdiff_t{width} * 4, sink);
  });
}

void WriteReducedPngFile(const Common& common, const std::wstring& path) {
  // Before the file exists: creating it would replace a file of that name.
  RequireReducedRows(common);
  WriteImageFile(path, [&](FileWriter& file) {
    FileSink sink(file);
    WriteReducedPng(common, sink);
  });
}

}  // namespace vistrane
