#include "resident/output/bitmap_file_win.h"

#include "platform/file_writer.h"
#include "platform/win32_error.h"
#include "resident/output/bmp_file.h"
#include "resident/output/save_image_file.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

class FileSink final : public ByteSink {
 public:
  explicit FileSink(FileWriter& file) : file_(file) {}
  void Write(const std::uint8_t* data, std::size_t size) override { file_.Write(data, size); }

 private:
  FileWriter& file_;
};

}  // namespace

void WriteFullColourBitmapFile(const PictureBox& picture, const std::wstring& path) {
  try {
    FileWriter file(path);
    FileSink sink(file);
    const int width = picture.PixelWidth();
    WriteBmp24(picture.Pixels(), width, picture.PixelHeight(), std::ptrdiff_t{width} * 4, sink);
    file.Commit();
  } catch (const Win32Error& e) {
    throw OutputError(ImageFileWriteFailedMessage(path, Win32ErrorText(e.code())));
  }
}

}  // namespace vistrane
