#pragma once
// Writes a bitmap's pixels as an uncompressed 24-bit Windows bitmap file, the
// form the tests compare images in.
#include <windows.h>

#include <string>

namespace vistrane::tools {

// The bitmap must not be selected into a device context. Throws Win32Error,
// or OutputError for a file past 4 GiB.
void SaveBitmap24(HBITMAP bitmap, const std::wstring& path);

}  // namespace vistrane::tools
