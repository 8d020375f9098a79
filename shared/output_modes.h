#pragma once
// What the output switches of the settings record mean. The capture and the
// settings dialog read them through these alone: 1 is on, every other value
// (a hand-edited store included) is off.
#include "shared/settings_record.h"

namespace vistrane {

inline bool PrintsOn(const SettingsRecord& record) { return record.PrtOutputMode == 1; }
inline bool WritesFile(const SettingsRecord& record) { return record.FileOutputMode == 1; }
inline bool MailsOn(const SettingsRecord& record) { return record.MailSendMode == 1; }
// ColorMode 1; any other value reduces the colours.
inline bool IsFullColour(const SettingsRecord& record) { return record.ColorMode == 1; }

// MailComp: how a bitmap mail copy is packed; 1 LHA, 2 ZIP, any other value
// not at all.
enum class MailPacking { None, Lha, Zip };

inline MailPacking MailPackingOf(std::int16_t MailComp) {
  switch (MailComp) {
    case 1:
      return MailPacking::Lha;
    case 2:
      return MailPacking::Zip;
    default:
      return MailPacking::None;
  }
}

enum class ImageFileFormat { Bitmap, Jpeg, Png };

// OutputFileMode 1 is a bitmap, 3 a PNG and any other value a JPEG.
inline ImageFileFormat ImageFileFormatOf(const SettingsRecord& record) {
  switch (record.OutputFileMode) {
    case 1:
      return ImageFileFormat::Bitmap;
    case 3:
      return ImageFileFormat::Png;
    default:
      return ImageFileFormat::Jpeg;
  }
}

}  // namespace vistrane
