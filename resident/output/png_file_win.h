#pragma once
// PNG files of the picture box and of the colour-reduced capture.
#include <string>

#include "platform/picture_box.h"
#include "resident/common.h"

namespace vistrane {

// The held picture as a truecolour PNG. Throws OutputError naming the file;
// no partial file is left behind.
void WritePngFile(const PictureBox& picture, const std::wstring& path);

// The reduced capture of Common (DibBits with the record of ColorMode's depth)
// as an indexed PNG. Throws OutputError, naming the file when it cannot be
// written; no partial file is left behind.
void WriteReducedPngFile(const Common& common, const std::wstring& path);

}  // namespace vistrane
