#pragma once
// JPEG files of the capture, through the Windows Imaging Component.
#include <string>

#include "resident/output/byte_sink.h"
#include "resident/output/capture_image.h"

namespace vistrane {

// The picture's pixels (reduced, when the capture was reduced) as a JPEG file
// at the highest quality (ImageQuality 1.0, chroma not subsampled), into the
// sink once it is complete. The encoder is created for each file, so nothing
// of it is held between captures. Throws OutputError naming `path` when the
// picture cannot be encoded.
void WriteJpeg(const Picture& picture, const std::wstring& path, ByteSink& sink);

}  // namespace vistrane
