#include "resident/output/reduce_colors.h"

#include <limits>
#include <vector>

#include "resident/output/bmp_file.h"
#include "resident/output/palette.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

// The largest pixel offset; the file size field (rows + offset) must still
// fit a signed 32-bit number.
constexpr std::uint64_t kLargestRows =
    std::numeric_limits<std::int32_t>::max() - (kBmpFileHeaderBytes + sizeof(DibInfo<256>));

template <std::size_t Colours>
ReducedDib View(const DibInfo<Colours>& info) {
  return {info.bmiHeader, info.bmiColors};
}

template <std::size_t Colours>
void FillRecord(DibInfo<Colours>& info, int width, int height, int bitCount,
                std::uint32_t imageBytes, const std::vector<std::uint32_t>& palette) {
  info.bmiHeader = BottomUpDibHeader(width, height, bitCount, imageBytes);
  info.bmiColors = {};
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const std::uint32_t c = palette[i];
    info.bmiColors[i] = {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                         static_cast<std::uint8_t>(c >> 16), 0};
  }
}

// One row of table indices, packed as the depth asks: the leftmost pixel in
// the highest bits of its byte.
void PackRow(const std::uint32_t* pixels, int width, int bitCount, NearestColour& nearest,
             std::uint8_t* out) {
  const int perByte = 8 / bitCount;
  std::uint32_t previous = ~pixels[0];
  std::uint8_t index = 0;
  for (int x = 0; x < width; ++x) {
    if (pixels[x] != previous) {
      previous = pixels[x];
      index = nearest.IndexOf(previous);
    }
    const int shift = 8 - bitCount * (x % perByte + 1);
    out[x / perByte] |= static_cast<std::uint8_t>(index << shift);
  }
}

}  // namespace

int ReducedBitCount(std::int16_t ColorMode) {
  switch (ColorMode) {
    case 2:
      return 8;
    case 3:
      return 4;
    default:
      return 1;
  }
}

ReducedDib ReducedDibOf(const Common& common) {
  switch (ReducedBitCount(common.ColorMode)) {
    case 8:
      return View(common.DibInfo256);
    case 4:
      return View(common.DibInfo16);
    default:
      return View(common.DibInfo2);
  }
}

void ReduceColors(const std::uint32_t* topDownPixels, int width, int height, Common& common) {
  const int bitCount = ReducedBitCount(common.ColorMode);
  const std::uint64_t rowBytes = width > 0 ? DibRowBytes(width, bitCount) : 0;
  const std::uint64_t imageBytes = height > 0 ? rowBytes * static_cast<std::uint64_t>(height) : 0;
  if (imageBytes == 0) {
    throw OutputError(L"画像の色数を減らせませんでした。変換した画像の大きさが 0 バイトです。");
  }
  if (imageBytes > kLargestRows) {
    throw OutputError(L"画像が大きすぎるため、色数を減らせませんでした。");
  }

  const std::size_t pixelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  const std::vector<std::uint32_t> palette =
      ChoosePalette(topDownPixels, pixelCount, 1 << bitCount);
  const auto size = static_cast<std::uint32_t>(imageBytes);
  switch (bitCount) {
    case 8:
      FillRecord(common.DibInfo256, width, height, bitCount, size, palette);
      break;
    case 4:
      FillRecord(common.DibInfo16, width, height, bitCount, size, palette);
      break;
    default:
      FillRecord(common.DibInfo2, width, height, bitCount, size, palette);
      break;
  }

  // Zero-filled, so the row padding needs no writes.
  common.DibBits.assign(size, 0);
  common.DibSize = static_cast<std::int32_t>(size);
  NearestColour nearest(palette);
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = topDownPixels + static_cast<std::size_t>(y) * width;
    std::uint8_t* out = common.DibBits.data() + static_cast<std::size_t>(height - 1 - y) * rowBytes;
    PackRow(row, width, bitCount, nearest, out);
  }
}

void RequireReducedRows(const Common& common) {
  const ReducedDib dib = ReducedDibOf(common);
  if (common.DibSize <= 0 || static_cast<std::size_t>(common.DibSize) != common.DibBits.size() ||
      dib.header.biSizeImage != static_cast<std::uint32_t>(common.DibSize) ||
      dib.header.biBitCount != ReducedBitCount(common.ColorMode)) {
    throw OutputError(L"色数を減らした画像がないため、画像ファイルを保存できませんでした。");
  }
}

void EraseDibBits(Common& common) noexcept {
  std::vector<std::uint8_t>().swap(common.DibBits);
  common.DibSize = 0;
}

}  // namespace vistrane
