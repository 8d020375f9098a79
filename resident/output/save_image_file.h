#pragma once
// Writing the capture to the output folder, as the normal file or the mail copy.
#include <string>

#include "resident/common.h"
#include "shared/clock.h"
#include "shared/settings_store.h"

namespace vistrane {

// The formats the capture can be written in; the resident shell writes them
// from the picture box. Each throws OutputError (a message naming the file)
// when the file cannot be written, and leaves no partial file behind.
class ImageFileWriter {
 public:
  virtual ~ImageFileWriter() = default;
  virtual void WriteFullColourBitmap(const std::wstring& path) = 0;
};

// Names the file (counter and GDate included), writes it and leaves its path
// in OutFilePath. OutFilePath names the new path even when the write fails.
void SaveImageFile(bool ForMail, Common& common, const Clock& clock, SettingsStore& store,
                   ImageFileWriter& writer);

// The message for a file that could not be written, with the system's reason.
std::wstring ImageFileWriteFailedMessage(const std::wstring& path, const std::wstring& reason);

}  // namespace vistrane
