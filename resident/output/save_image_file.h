#pragma once
// Writing the capture to the output folder, as the normal file or the mail copy.
#include <cstdint>
#include <functional>
#include <string>

#include "resident/output/byte_sink.h"
#include "resident/output/capture_image.h"
#include "shared/clock.h"
#include "shared/output_modes.h"
#include "shared/settings_record.h"
#include "shared/settings_store.h"

namespace vistrane {

// What the image files need from the file system and the platform's encoder.
class ImageFileWriter {
 public:
  virtual ~ImageFileWriter() = default;
  // Whether a file or folder of this path exists; a numbered name moves on
  // past it.
  virtual bool FileExists(const std::wstring& path) const = 0;
  // A new file of the bytes `write` puts into the sink, committed when it
  // returns. Throws OutputError naming the file when it cannot be written,
  // and leaves no partial file behind.
  using FileContent = std::function<void(ByteSink& sink)>;
  virtual void WriteFile(const std::wstring& path, const FileContent& write) = 0;
  // The picture at the highest JPEG quality into the sink. Throws OutputError
  // naming `path` when it cannot be encoded.
  virtual void EncodeJpeg(const Picture& picture, const std::wstring& path, ByteSink& sink) = 0;
};

// Names the file (the counter raised in SaveCont and stored, as
// NextImageFilePath does), writes it in the format and returns its path. A
// bitmap or PNG is written from the reduced image when the capture has one.
std::wstring SaveImageFile(bool ForMail, ImageFileFormat format, const SettingsRecord& settings,
                           const Capture& capture, std::int16_t& SaveCont, const Clock& clock,
                           SettingsStore& store, ImageFileWriter& writer);

// The message for a file that could not be written, with the system's reason.
std::wstring ImageFileWriteFailedMessage(const std::wstring& path, const std::wstring& reason);

}  // namespace vistrane
