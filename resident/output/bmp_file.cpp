#include "resident/output/bmp_file.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "shared/errors.h"

namespace vistrane {
void PutLittleEndian(std::uint8_t* out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

namespace {

// BITMAPINFOHEADER of a bottom-up, uncompressed 24-bit image.
void PutInfoHeader24(std::uint8_t* out, int width, int height, std::uint32_t imageBytes) {
  PutLittleEndian(out + 0, kBmpInfoHeaderBytes, 4);          // biSize
  PutLittleEndian(out + 4, static_cast<std::uint32_t>(width), 4);
  PutLittleEndian(out + 8, static_cast<std::uint32_t>(height), 4);  // positive: bottom-up
  PutLittleEndian(out + 12, 1, 2);                            // biPlanes
  PutLittleEndian(out + 14, 24, 2);                           // biBitCount
  PutLittleEndian(out + 16, 0, 4);                            // BI_RGB
  PutLittleEndian(out + 20, imageBytes, 4);                   // biSizeImage
  // Resolution (0 = none given: a screen copy has no physical size) and the
  // colour-table counts (none at 24 bits) stay at their zero-filled values.
}

}  // namespace

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

std::array<std::uint8_t, kBmpFileHeaderBytes> BmpFileHeader(std::uint32_t fileSize,
                                                            std::uint32_t pixelOffset) {
  std::array<std::uint8_t, kBmpFileHeaderBytes> header{};
  header[0] = 'B';
  header[1] = 'M';
  PutLittleEndian(header.data() + 2, fileSize, 4);
  PutLittleEndian(header.data() + 10, pixelOffset, 4);
  return header;
}

void WriteBmp24(const std::uint32_t* topDownPixels, int width, int height,
                std::ptrdiff_t strideBytes, ByteSink& sink) {
  if (width <= 0 || height <= 0) {
    throw std::invalid_argument("EncodeBmp24: width and height must be positive");
  }
  if (strideBytes < static_cast<std::ptrdiff_t>(width) * 4) {
    throw std::invalid_argument("EncodeBmp24: stride is shorter than a row of pixels");
  }

  const std::size_t rowBytes = DibRowBytes(width, 24);
  constexpr std::size_t kPixelOffset = kBmpFileHeaderBytes + kBmpInfoHeaderBytes;
  const std::uint64_t imageBytes = static_cast<std::uint64_t>(rowBytes) * static_cast<std::uint64_t>(height);
  if (imageBytes + kPixelOffset > std::numeric_limits<std::uint32_t>::max()) {
    throw OutputError(L"画像が大きすぎるため、ビットマップファイルに保存できません。");
  }

  std::array<std::uint8_t, kPixelOffset> headers{};
  const auto fileHeader =
      BmpFileHeader(static_cast<std::uint32_t>(kPixelOffset + imageBytes), kPixelOffset);
  std::copy(fileHeader.begin(), fileHeader.end(), headers.begin());
  PutInfoHeader24(headers.data() + kBmpFileHeaderBytes, width, height,
                  static_cast<std::uint32_t>(imageBytes));
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
  struct VectorSink final : ByteSink {
    std::vector<std::uint8_t> bytes;
    void Write(const std::uint8_t* data, std::size_t size) override {
      bytes.insert(bytes.end(), data, data + size);
    }
  } sink;
  WriteBmp24(topDownPixels, width, height, strideBytes, sink);
  return std::move(sink.bytes);
}

}  // namespace vistrane
