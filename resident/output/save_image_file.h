#pragma once
// Writing the capture to the output folder, as the normal file or the mail copy.
#include <cstdint>
#include <string>
#include <vector>

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
  // A file of the headers followed by the pixel rows, as given.
  virtual void WriteReducedColourBitmap(const std::wstring& path,
                                        const std::vector<std::uint8_t>& headers,
                                        const std::vector<std::uint8_t>& pixelRows) = 0;
  // The picture's current pixels at the highest JPEG quality.
  virtual void WriteJpeg(const std::wstring& path) = 0;
  // The picture's pixels as a 24-bit PNG.
  virtual void WritePng(const std::wstring& path) = 0;
  // The reduced capture in common (the record of ColorMode's depth and
  // DibBits) as an indexed PNG of that depth with the reduced palette.
  virtual void WriteReducedPng(const std::wstring& path, const Common& common) = 0;
  // Whether a file or folder of this path exists; a numbered name moves on
  // past it.
  virtual bool FileExists(const std::wstring& path) const = 0;
};

// Names the file (counter and GDate included), writes it and leaves its path
// in OutFilePath. OutFilePath names the new path even when the write fails.
// The format is ImageFileFormatOf's; a reduced bitmap or PNG is written from
// DibBits, and a missing reduction is refused before a number is used.
void SaveImageFile(bool ForMail, Common& common, const Clock& clock, SettingsStore& store,
                   ImageFileWriter& writer);

// The message for a file that could not be written, with the system's reason.
std::wstring ImageFileWriteFailedMessage(const std::wstring& path, const std::wstring& reason);

}  // namespace vistrane
