#pragma once
// One new image file written through FileWriter: the caller's `write(file)`
// puts the bytes, then the file is committed. A failure becomes OutputError
// naming the file, with the system's reason, and leaves no partial file.
#include <string>

#include "platform/file_writer.h"
#include "platform/win32_error.h"
#include "resident/output/byte_sink.h"
#include "resident/output/save_image_file.h"
#include "shared/errors.h"

namespace vistrane {

// The image writers' bytes straight into the file.
class FileSink final : public ByteSink {
 public:
  explicit FileSink(FileWriter& file) : file_(file) {}
  void Write(const std::uint8_t* data, std::size_t size) override { file_.Write(data, size); }

 private:
  FileWriter& file_;
};

template <typename Write>
void WriteImageFile(const std::wstring& path, Write&& write) {
  try {
    FileWriter file(path);
    write(file);
    file.Commit();
  } catch (const Win32Error& e) {
    throw OutputError(ImageFileWriteFailedMessage(path, Win32ErrorText(e.code())));
  }
}

}  // namespace vistrane
