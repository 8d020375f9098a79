#pragma once
// The reduced image as a device-independent bitmap: an information header and
// colour table laid out byte for byte as GDI and bitmap files have them
// (BITMAPINFOHEADER followed by RGBQUAD entries, no gap), so the Windows side
// hands these records to GDI as they are.
#include <array>
#include <cstddef>
#include <cstdint>

namespace vistrane {

struct DibHeader {
  std::uint32_t biSize;
  std::int32_t biWidth;
  std::int32_t biHeight;
  std::uint16_t biPlanes;
  std::uint16_t biBitCount;
  std::uint32_t biCompression;
  std::uint32_t biSizeImage;
  std::int32_t biXPelsPerMeter;
  std::int32_t biYPelsPerMeter;
  std::uint32_t biClrUsed;
  std::uint32_t biClrImportant;
};

struct DibColour {
  std::uint8_t rgbBlue;
  std::uint8_t rgbGreen;
  std::uint8_t rgbRed;
  std::uint8_t rgbReserved;
};

template <std::size_t Colours>
struct DibInfo {
  DibHeader bmiHeader;
  std::array<DibColour, Colours> bmiColors;
};

static_assert(sizeof(DibHeader) == 40);
static_assert(sizeof(DibColour) == 4);
static_assert(sizeof(DibInfo<256>) == 1064);
static_assert(sizeof(DibInfo<16>) == 104);
static_assert(sizeof(DibInfo<2>) == 48);
static_assert(offsetof(DibInfo<2>, bmiColors) == sizeof(DibHeader));

}  // namespace vistrane
