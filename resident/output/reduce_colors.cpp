#include "resident/output/reduce_colors.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "resident/output/all_cores.h"
#include "resident/output/palette.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

// The largest pixel rows; the file size field (rows + offset) must still fit
// a signed 32-bit number.
constexpr std::uint64_t kLargestRows =
    std::numeric_limits<std::int32_t>::max() -
    (kBmpFileHeaderBytes + sizeof(DibHeader) + 256 * sizeof(DibColour));

// Rows mapped as one piece of work: enough that the answers a band
// remembers pay for its table, few enough that the cores end together.
constexpr int kBandRows = 64;

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

ReducedImage ReduceColors(const Picture& picture, std::int16_t ColorMode) {
  const int width = picture.width;
  const int height = picture.height;
  const int bitCount = ReducedBitCount(ColorMode);
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
      ChoosePalette(picture.pixels, pixelCount, 1 << bitCount);
  ReducedImage reduced;
  reduced.header =
      BottomUpDibHeader(width, height, bitCount, static_cast<std::uint32_t>(imageBytes));
  reduced.colours.resize(std::size_t{1} << bitCount, DibColour{0, 0, 0, 0});
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const std::uint32_t c = palette[i];
    reduced.colours[i] = {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                          static_cast<std::uint8_t>(c >> 16), 0};
  }

  // Zero-filled, so the row padding needs no writes. The rows are mapped in
  // bands on every core, each band with its own remembered answers.
  reduced.rows.assign(static_cast<std::size_t>(imageBytes), 0);
  const std::size_t bands = (static_cast<std::size_t>(height) + kBandRows - 1) / kBandRows;
  RunOnAllCores(bands, [&](std::size_t band) {
    NearestColour nearest(palette);
    const int first = static_cast<int>(band * kBandRows);
    for (int y = first; y < std::min(height, first + kBandRows); ++y) {
      const std::uint32_t* row = picture.pixels + static_cast<std::size_t>(y) * width;
      std::uint8_t* out = reduced.rows.data() + static_cast<std::size_t>(height - 1 - y) * rowBytes;
      PackRow(row, width, bitCount, nearest, out);
    }
  });
  return reduced;
}

void DrawReducedColours(const ReducedImage& reduced, Picture& picture) {
  const int bitCount = reduced.header.biBitCount;
  const int mask = (1 << bitCount) - 1;
  const std::size_t rowBytes = DibRowBytes(picture.width, bitCount);
  std::vector<std::uint32_t> table;
  for (const DibColour& c : reduced.colours) {
    table.push_back(static_cast<std::uint32_t>(c.rgbRed) << 16 | c.rgbGreen << 8 | c.rgbBlue);
  }
  for (int y = 0; y < picture.height; ++y) {
    const std::uint8_t* packed =
        reduced.rows.data() + static_cast<std::size_t>(picture.height - 1 - y) * rowBytes;
    std::uint32_t* row = picture.pixels + static_cast<std::size_t>(y) * picture.width;
    for (int x = 0; x < picture.width; ++x) {
      const int bit = x * bitCount;
      row[x] = table[static_cast<std::size_t>(packed[bit / 8] >> (8 - bitCount - bit % 8) & mask)];
    }
  }
}

}  // namespace vistrane
