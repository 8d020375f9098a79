#include "resident/output/reduced_bitmap_file.h"

#include <algorithm>

#include "resident/output/bmp_file.h"
#include "resident/output/reduce_colors.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

void PutHeader(const DibHeader& h, std::uint8_t* out) {
  PutLittleEndian(out + 0, h.biSize, 4);
  PutLittleEndian(out + 4, static_cast<std::uint32_t>(h.biWidth), 4);
  PutLittleEndian(out + 8, static_cast<std::uint32_t>(h.biHeight), 4);
  PutLittleEndian(out + 12, h.biPlanes, 2);
  PutLittleEndian(out + 14, h.biBitCount, 2);
  PutLittleEndian(out + 16, h.biCompression, 4);
  PutLittleEndian(out + 20, h.biSizeImage, 4);
  PutLittleEndian(out + 24, static_cast<std::uint32_t>(h.biXPelsPerMeter), 4);
  PutLittleEndian(out + 28, static_cast<std::uint32_t>(h.biYPelsPerMeter), 4);
  PutLittleEndian(out + 32, h.biClrUsed, 4);
  PutLittleEndian(out + 36, h.biClrImportant, 4);
}

}  // namespace

std::vector<std::uint8_t> ReducedBitmapFileHeaders(const Common& common) {
  const ReducedDib dib = ReducedDibOf(common);
  const std::size_t pixelOffset = kBmpFileHeaderBytes + dib.infoBytes;
  if (common.DibSize <= 0 || static_cast<std::size_t>(common.DibSize) != common.DibBits.size() ||
      dib.header.biSizeImage != static_cast<std::uint32_t>(common.DibSize) ||
      dib.header.biBitCount != ReducedBitCount(common.ColorMode)) {
    throw OutputError(
        L"色数を減らした画像がないため、ビットマップファイルを保存できませんでした。");
  }

  std::vector<std::uint8_t> bytes(pixelOffset);
  // The reduction keeps DibSize small enough for this sum to fit 31 bits.
  const auto offset = static_cast<std::uint32_t>(pixelOffset);
  const auto fileHeader = BmpFileHeader(static_cast<std::uint32_t>(common.DibSize) + offset, offset);
  std::copy(fileHeader.begin(), fileHeader.end(), bytes.begin());
  std::uint8_t* info = bytes.data() + kBmpFileHeaderBytes;
  PutHeader(dib.header, info);
  std::uint8_t* table = info + kBmpInfoHeaderBytes;
  for (const DibColour& c : dib.colours) {
    *table++ = c.rgbBlue;
    *table++ = c.rgbGreen;
    *table++ = c.rgbRed;
    *table++ = c.rgbReserved;
  }
  return bytes;
}

}  // namespace vistrane
