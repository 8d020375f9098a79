#pragma once
// Windows bitmap files (BMP), built in memory.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vistrane {

inline constexpr std::size_t kBmpFileHeaderBytes = 14;
inline constexpr std::size_t kBmpInfoHeaderBytes = 40;

// Writes the low `bytes` bytes of value at out, least significant first.
void PutLittleEndian(std::uint8_t* out, std::uint32_t value, int bytes);

// One row of 0x00RRGGBB pixels as 3 bytes a pixel: blue, green, red.
void ConvertRow(const std::uint32_t* src, int width, std::uint8_t* dst);

// Bytes of one pixel row in a DIB: rows are padded to a multiple of 4 bytes.
std::size_t DibRowBytes(int width, int bitsPerPixel);

// The 14-byte file header: "BM", file size, two reserved zeros, pixel offset.
std::array<std::uint8_t, kBmpFileHeaderBytes> BmpFileHeader(std::uint32_t fileSize,
                                                            std::uint32_t pixelOffset);

// Receives a file's bytes in order, a piece at a time.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void Write(const std::uint8_t* data, std::size_t size) = 0;
};

// A complete 24-bit uncompressed bitmap file of the image. The source rows are
// top-down, 32 bits a pixel with blue in the low byte (0x00RRGGBB, as a 32-bit
// top-down DIB section holds them), strideBytes apart. The file has rows
// bottom-up, 3 bytes a pixel in the order blue, green, red, each row padded
// with zeros. Throws std::invalid_argument for a size that is not positive or a
// stride shorter than a row, OutputError when the file would pass 4 GiB.
//
// WriteBmp24 streams the file into the sink through one buffer of about 256 KiB,
// so writing a capture never needs a second copy of the whole image.
void WriteBmp24(const std::uint32_t* topDownPixels, int width, int height,
                std::ptrdiff_t strideBytes, ByteSink& sink);
std::vector<std::uint8_t> EncodeBmp24(const std::uint32_t* topDownPixels, int width, int height,
                                      std::ptrdiff_t strideBytes);

}  // namespace vistrane
