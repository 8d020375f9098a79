#pragma once
// Bitmap files written from the picture box.
#include <string>

#include "platform/picture_box.h"

namespace vistrane {

// The held picture as a 24-bit bitmap file. Throws OutputError naming the file;
// no partial file is left behind.
void WriteFullColourBitmapFile(const PictureBox& picture, const std::wstring& path);

}  // namespace vistrane
