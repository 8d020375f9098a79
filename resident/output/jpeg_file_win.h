#pragma once
// JPEG files of the picture box, through the Windows Imaging Component.
#include <string>

#include "platform/picture_box.h"

namespace vistrane {

// The picture's current pixels (reduced, when the capture was reduced) as a
// JPEG file at the highest quality (ImageQuality 1.0, chroma not subsampled).
// The encoder is created for each file, so nothing of it is held between
// captures. Throws OutputError naming the file; no partial file stays.
void WriteJpegFile(const PictureBox& picture, const std::wstring& path);

}  // namespace vistrane
