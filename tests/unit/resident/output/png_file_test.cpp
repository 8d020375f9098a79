#include "resident/output/png_file.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "resident/output/adler32.h"
#include "resident/output/bmp_file.h"
#include "resident/output/reduce_colors.h"

namespace vistrane {
namespace {

std::uint32_t U32Be(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) << 24 | at[1] << 16 | at[2] << 8 | at[3];
}

std::uint32_t Rgb(const std::uint8_t* rgb) {
  return static_cast<std::uint32_t>(rgb[0]) << 16 | rgb[1] << 8 | rgb[2];
}

std::uint32_t Rgb(const DibColour& c) {
  return static_cast<std::uint32_t>(c.rgbRed) << 16 | c.rgbGreen << 8 | c.rgbBlue;
}

// A PNG read back by the book: every chunk's CRC checked, the IDAT chunks
// inflated and each row unfiltered. Pixels are 0x00RRGGBB, through the
// palette for an indexed image.
struct DecodedPng {
  int width = 0, height = 0, bitDepth = 0, colourType = 0, idatChunks = 0;
  std::vector<std::uint32_t> palette, pixels;
  std::set<int> filters;  // the filter types the rows use
};

DecodedPng Decode(const std::vector<std::uint8_t>& file) {
  DecodedPng png;
  const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_EQ(std::memcmp(file.data(), signature, 8), 0);
  std::vector<std::uint8_t> compressed;
  for (std::size_t at = 8; at + 12 <= file.size(); at += 12 + U32Be(&file[at])) {
    const std::uint32_t length = U32Be(&file[at]);
    const std::string type(file.begin() + at + 4, file.begin() + at + 8);
    const std::uint8_t* data = &file[at + 8];
    EXPECT_EQ(U32Be(data + length), crc32(0, &file[at + 4], length + 4)) << type;
    if (type == "IHDR") {
      png.width = static_cast<int>(U32Be(data));
      png.height = static_cast<int>(U32Be(data + 4));
      png.bitDepth = data[8];
      png.colourType = data[9];
    } else if (type == "PLTE") {
      for (std::uint32_t i = 0; i < length; i += 3) png.palette.push_back(Rgb(data + i));
    } else if (type == "IDAT") {
      compressed.insert(compressed.end(), data, data + length);
      ++png.idatChunks;
    }
  }
  const int bits = png.bitDepth * (png.colourType == 2 ? 3 : 1);
  const std::size_t left = std::max(1, bits / 8);  // bytes back to the pixel on the left
  const std::size_t rowBytes = (std::size_t{1} * png.width * bits + 7) / 8;
  std::vector<std::uint8_t> raw((rowBytes + 1) * png.height);
  uLongf rawSize = raw.size();
  EXPECT_EQ(uncompress(raw.data(), &rawSize, compressed.data(), compressed.size()), Z_OK);
  EXPECT_EQ(rawSize, raw.size());

  std::vector<std::uint8_t> above(rowBytes, 0), row(rowBytes);
  for (int y = 0; y < png.height; ++y) {
    const std::uint8_t* line = &raw[y * (rowBytes + 1)];
    png.filters.insert(line[0]);
    for (std::size_t i = 0; i < rowBytes; ++i) {
      const int a = i >= left ? row[i - left] : 0, b = above[i],
                c = i >= left ? above[i - left] : 0;
      const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
      const int paeth = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      const int predictors[] = {0, a, b, (a + b) / 2, paeth};
      row[i] = static_cast<std::uint8_t>(line[1 + i] + predictors[line[0]]);
    }
    for (int x = 0; x < png.width; ++x) {
      if (png.colourType == 2) {
        png.pixels.push_back(Rgb(&row[3 * x]));
      } else {
        const int bit = x * bits;
        const int index = row[bit / 8] >> (8 - bits - bit % 8) & ((1 << bits) - 1);
        png.pixels.push_back(index < static_cast<int>(png.palette.size()) ? png.palette[index]
                                                                          : 0xBAD0000u);
      }
    }
    above = row;
  }
  return png;
}

// The sums at their largest (all bytes 255, both halves of the start at
// 65520) and lengths on both sides of each reduction of the sums.
TEST(Adler32, AgreesWithZlib) {
  std::vector<std::uint8_t> bytes(3 * 5552 + 40, 255);
  for (std::size_t length : {0, 1, 15, 16, 17, 5551, 5552, 5553, 5568, 11104, 3 * 5552 + 40}) {
    EXPECT_EQ(Adler32(0xFFF0FFF0u, bytes.data(), length), adler32_z(0xFFF0FFF0u, bytes.data(), length))
        << length;
  }
  std::srand(7);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(std::rand());
  for (std::size_t length : {33, 5555, 3 * 5552 + 40}) {
    EXPECT_EQ(Adler32(1, bytes.data(), length), adler32_z(1, bytes.data(), length)) << length;
  }
}

TEST(WritePng24, DecodesBackToTheExactPixels) {
  struct Case {
    int width, height, strideBytes;
    bool screen;  // else noise
  };
  // The screen has flat colour, gradients, a pattern and noise, so that each
  // filter is the best for some rows; the noise spans several IDAT chunks,
  // the largest screen five bands of compression.
  const Case cases[] = {{1, 1, 4, false},
                        {7, 5, 7 * 4 + 12, false},
                        {160, 120, 160 * 4, true},
                        {300, 200, 300 * 4, false},
                        {1200, 700, 1200 * 4, true}};
  std::set<int> filters;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    const std::size_t stride = c.strideBytes / 4;
    std::vector<std::uint32_t> source(stride * c.height), expected;
    std::uint32_t noise = 12345;
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        noise = noise * 1103515245 + 12345;
        std::uint32_t p = noise >> 8;
        if (c.screen && x < 40) {
          p = 0x336699;
        } else if (c.screen && x < 80) {
          p = std::uint32_t(x * 3) << 16 | (y * 2) << 8 | (x + y);
        } else if (c.screen && y < 60) {
          p = std::uint32_t((x * y) & 0xFF) << 8 | (y & 7) * 30;
        }
        expected.push_back(p & 0xFFFFFF);
        source[y * stride + x] = expected.back() | 0xA5000000u;  // the fourth byte is no colour
      }
    }
    VectorSink sink;
    WritePng24(source.data(), c.width, c.height, c.strideBytes, sink);
    const DecodedPng png = Decode(sink.bytes);
    EXPECT_EQ(png.width, c.width);
    EXPECT_EQ(png.height, c.height);
    EXPECT_EQ(png.bitDepth * 100 + png.colourType, 802) << "8 bits, truecolour";
    EXPECT_TRUE(png.pixels == expected);
    EXPECT_EQ(png.idatChunks > 1, c.width >= 300);
    filters.insert(png.filters.begin(), png.filters.end());
  }
  EXPECT_EQ(filters, (std::set<int>{1, 2, 4})) << "Sub, Up and Paeth were each chosen";
}

TEST(WriteReducedPng, DecodesBackToTheReducedPixelsThroughTheEntriesInUse) {
  struct Case {
    std::int16_t colorMode;
    int width, height, bits;
  };
  // Widths that leave part of the last byte unused and rows padded in the
  // reduced rows;
  // 15 colours at 8 bits leave most of the table unused.
  const Case cases[] = {{2, 5, 3, 8}, {3, 7, 4, 4}, {4, 13, 5, 1}, {4, 1, 2, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "ColorMode " << c.colorMode << ", width " << c.width);
    std::vector<std::uint32_t> source;
    for (int i = 0; i < c.width * c.height; ++i) source.push_back(i * 0x0B0503u + 0x202020u);
    const ReducedImage reduced = ReduceColors({source.data(), c.width, c.height}, c.colorMode);

    std::vector<std::uint32_t> expected;  // what the reduced bitmap shows, top row first
    std::size_t entries = 0;
    for (int y = c.height - 1; y >= 0; --y) {
      for (int x = 0; x < c.width; ++x) {
        const int bit = x * c.bits;
        const int index =
            reduced.rows[y * DibRowBytes(c.width, c.bits) + bit / 8] >> (8 - c.bits - bit % 8) &
            ((1 << c.bits) - 1);
        entries = std::max<std::size_t>(entries, index + 1);
        expected.push_back(Rgb(reduced.colours[index]));
      }
    }
    VectorSink sink;
    WriteReducedPng(reduced, sink);
    const DecodedPng png = Decode(sink.bytes);
    EXPECT_EQ(png.width, c.width);
    EXPECT_EQ(png.height, c.height);
    EXPECT_EQ(png.bitDepth * 100 + png.colourType, c.bits * 100 + 3) << "indexed";
    EXPECT_TRUE(png.pixels == expected);
    ASSERT_EQ(png.palette.size(), entries);
    for (std::size_t i = 0; i < entries; ++i)
      EXPECT_EQ(png.palette[i], Rgb(reduced.colours[i])) << i;
  }
}

}  // namespace
}  // namespace vistrane
