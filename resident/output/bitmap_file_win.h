#pragma once
// Bitmap files written from the picture box.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/picture_box.h"

namespace vistrane {

// The held picture as a 24-bit bitmap file. Throws OutputError naming the file;
// no partial file is left behind.
void WriteFullColourBitmapFile(const PictureBox& picture, const std::wstring& path);

// A reduced-colour bitmap file: its headers, then its pixel rows. Throws
// OutputError naming the file; no partial file is left behind.
void WriteReducedColourBitmapFile(const std::wstring& path, const std::vector<std::uint8_t>& headers,
                                  const std::vector<std::uint8_t>& pixelRows);

}  // namespace vistrane
