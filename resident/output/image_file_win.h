#pragma once
// One new image file written through FileWriter: the caller's `write(file)`
// puts the bytes, then the file is committed. A failure becomes OutputError
// naming the file, with the system's reason, and leaves no partial file.
#include <string>

#include "platform/file_writer.h"
#include "platform/win32_error.h"
#include "resident/output/save_image_file.h"
#include "shared/errors.h"

namespace vistrane {

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
