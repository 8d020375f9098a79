#pragma once
// Windows bitmap files (BMP), built in memory.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "resident/output/byte_sink.h"

namespace vistrane {

inline constexpr std::size_t kBmpFileHeaderBytes = 14;

// The information header of a bitmap file (BITMAPINFOHEADER) and one entry of
// its colour table (blue, green, red, 0).
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

// The header is written field by field; its size is the file format's.
static_assert(sizeof(DibHeader) == 40);

// One row of 0x00RRGGBB pixels as 3 bytes a pixel: blue, green, red.
void ConvertRow(const std::uint32_t* src, int width, std::uint8_t* dst);

// Bytes of one pixel row in a DIB: rows are padded to a multiple of 4 bytes.
std::size_t DibRowBytes(int width, int bitsPerPixel);

// The information header of an uncompressed image with bottom-up rows, no
// resolution (a screen copy has no physical size) and, below 24 bits, a full
// colour table.
DibHeader BottomUpDibHeader(int width, int height, int bitCount, std::uint32_t imageBytes);

// Everything before the pixel rows of a bitmap file: the 14-byte file header
// ("BM", file size, two zero words, pixel offset), the 40-byte information
// header and the colour table, each field little-endian. The file size
// counts header.biSizeImage bytes of rows; the caller makes sure it fits.
std::vector<std::uint8_t> BmpFileHeaders(const DibHeader& header,
                                         std::span<const DibColour> colours);

// Throws std::invalid_argument for a size that is not positive or a stride
// shorter than a row of 32-bit pixels: the source rows of WriteBmp24 and
// WritePng24 that could not be read.
void RequireTopDownPixels(int width, int height, std::ptrdiff_t strideBytes);

// A complete 24-bit uncompressed bitmap file of the image. The source rows are
// top-down, 32 bits a pixel with blue in the low byte (0x00RRGGBB, as a 32-bit
// top-down DIB section holds them), strideBytes apart. The file has rows
// bottom-up, 3 bytes a pixel in the order blue, green, red, each row padded
// with zeros. Throws as RequireTopDownPixels, and OutputError when the file
// would pass 4 GiB.
//
// WriteBmp24 streams the file into the sink through one buffer of about 256 KiB,
// so writing a capture never needs a second copy of the whole image.
void WriteBmp24(const std::uint32_t* topDownPixels, int width, int height,
                std::ptrdiff_t strideBytes, ByteSink& sink);
std::vector<std::uint8_t> EncodeBmp24(const std::uint32_t* topDownPixels, int width, int height,
                                      std::ptrdiff_t strideBytes);

}  // namespace vistrane
