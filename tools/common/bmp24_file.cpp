#include "tools/common/bmp24_file.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/unique_handle.h"
#include "platform/win32_error.h"
#include "tools/common/file_output.h"

namespace vistrane::tools {

void SaveBitmap24(HBITMAP bitmap, const std::wstring& path) {
  BITMAP shape{};
  if (GetObjectW(bitmap, sizeof(shape), &shape) != sizeof(shape)) ThrowLastError(L"GetObjectW");

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = shape.bmWidth;
  info.bmiHeader.biHeight = shape.bmHeight;  // bottom-up, as bitmap files store rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const std::size_t stride = (static_cast<std::size_t>(shape.bmWidth) * 3 + 3) & ~std::size_t{3};
  const std::size_t imageSize = stride * shape.bmHeight;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(imageSize);

  std::vector<std::uint8_t> rows(imageSize);
  {
    WindowDc screen(nullptr);
    if (GetDIBits(screen.get(), bitmap, 0, shape.bmHeight, rows.data(), &info, DIB_RGB_COLORS) !=
        shape.bmHeight) {
      ThrowLastError(L"GetDIBits");
    }
  }

  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  header.bfSize = static_cast<DWORD>(header.bfOffBits + imageSize);

  std::vector<std::uint8_t> file(header.bfOffBits);
  std::memcpy(file.data(), &header, sizeof(header));
  std::memcpy(file.data() + sizeof(header), &info.bmiHeader, sizeof(info.bmiHeader));
  file.insert(file.end(), rows.begin(), rows.end());
  WriteBinaryFile(path, file.data(), file.size());
}

}  // namespace vistrane::tools
