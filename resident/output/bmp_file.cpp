#include "resident/output/bmp_file.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "shared/errors.h"
#include "shared/little_endian.h"

namespace vistrane {

void ConvertRow(const std::uint32_t* src, int width, std::uint8_t* dst) {
  for (int x = 0; x < width; ++x) {
    const std::uint32_t p = src[x];
    dst[0] = static_cast<std::uint8_t>(p);
    dst[1] = static_cast<std::uint8_t>(p >> 8);
    dst[2] = static_cast<std::uint8_t>(p >> 16);
    dst += 3;
  }
}

std::size_t DibRowBytes(int width, int bitsPerPixel) {
  const std::uint64_t bits = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitsPerPixel);
  return static_cast<std::size_t>((bits + 31) / 32 * 4);
}

DibHeader BottomUpDibHeader(int width, int height, int bitCount, std::uint32_t imageBytes) {
  DibHeader h{};
  h.biSize = sizeof(DibHeader);
  h.biWidth = width;
  h.biHeight = height;  // positive: bottom-up rows
  h.biPlanes = 1;
  h.biBitCount = static_cast<std::uint16_t>(bitCount);
  h.biSizeImage = imageBytes;  // BI_RGB, no resolution, every colour of the table used
  return h;
}

std::vector<std::uint8_t> BmpFileHeaders(const DibHeader& header,
                                         std::span<const DibColour> colours) {
  const auto pixelOffset =
      static_cast<std::uint32_t>(kBmpFileHeaderBytes + sizeof(DibHeader) + 4 * colours.size());
  std::vector<std::uint8_t> out{'B', 'M'};
  out.reserve(pixelOffset);
  PutU32(out, pixelOffset + header.biSizeImage);
  PutU32(out, 0);  // two reserved words
  PutU32(out, pixelOffset);

  PutU32(out, header.biSize);
  PutU32(out, static_cast<std::uint32_t>(header.biWidth));
  PutU32(out, static_cast<std::uint32_t>(header.biHeight));
  PutU16(out, header.biPlanes);
  PutU16(out, header.biBitCount);
  PutU32(out, header.biCompression);
  PutU32(out, header.biSizeImage);
  PutU32(out, static_cast<std::uint32_t>(header.biXPelsPerMeter));
  PutU32(out, static_cast<std::uint32_t>(header.biYPelsPerMeter));
  PutU32(out, header.biClrUsed);
  PutU32(out, header.biClrImportant);

  for (const DibColour& c : colours) {
    out.insert(out.end(), {c.rgbBlue, c.rgbGreen, c.rgbRed, c.rgbReserved});
  }
  return out;
}

void RequireTopDownPixels(int width, int height, std::ptrdiff_t strideBytes) {
  if (width <= 0 || height <= 0) {
    throw std::invalid_argument("image writer: width and height must be positive");
  }
  if (strideBytes < static_cast<std::ptrdiff_t>(width) * 4) {
    throw std::invalid_argument("image writer: stride is shorter than a row of pixels");
  }
}

void WriteBmp24(const std::uint32_t* topDownPixels, int width, int height,
                std::ptrdiff_t strideBytes, ByteSink& sink) {
  RequireTopDownPixels(width, height, strideBytes);

  const std::size_t rowBytes = DibRowBytes(width, 24);
  constexpr std::size_t kPixelOffset = kBmpFileHeaderBytes + sizeof(DibHeader);
  const std::uint64_t imageBytes = static_cast<std::uint64_t>(rowBytes) * static_cast<std::uint64_t>(height);
  if (imageBytes + kPixelOffset > std::numeric_limits<std::uint32_t>::max()) {
    throw OutputError(L"画像が大きすぎるため、ビットマップファイルに保存できません。");
  }

  const std::vector<std::uint8_t> headers = BmpFileHeaders(
      BottomUpDibHeader(width, height, 24, static_cast<std::uint32_t>(imageBytes)), {});
  sink.Write(headers.data(), headers.size());

  // Zero-filled once, so the row padding needs no writes.
  constexpr std::size_t kChunkBytes = std::size_t{256} * 1024;
  const std::size_t rowsPerChunk = std::max<std::size_t>(1, kChunkBytes / rowBytes);
  std::vector<std::uint8_t> chunk(rowsPerChunk * rowBytes);

  // The file's first row is the image's bottom row.
  const auto* source = reinterpret_cast<const std::uint8_t*>(topDownPixels);
  int y = height - 1;
  while (y >= 0) {
    std::uint8_t* dst = chunk.data();
    std::size_t rows = 0;
    for (; rows < rowsPerChunk && y >= 0; ++rows, --y, dst += rowBytes) {
      ConvertRow(reinterpret_cast<const std::uint32_t*>(source + y * strideBytes), width, dst);
    }
    sink.Write(chunk.data(), rows * rowBytes);
  }
}

std::vector<std::uint8_t> EncodeBmp24(const std::uint32_t* topDownPixels, int width, int height,
                                      std::ptrdiff_t strideBytes) {
  VectorSink sink;
  WriteBmp24(topDownPixels, width, height, strideBytes, sink);
  return std::move(sink.bytes);
}

}  // namespace vistrane
