#include "resident/output/png_file.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "resident/output/bmp_file.h"
#include "resident/output/reduce_colors.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

struct VectorSink final : ByteSink {
  std::vector<std::uint8_t> bytes;
  void Write(const std::uint8_t* data, std::size_t size) override {
    bytes.insert(bytes.end(), data, data + size);
  }
};

std::uint32_t U32Be(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) << 24 | at[1] << 16 | at[2] << 8 | at[3];
}

// A PNG read back by the book: chunks with their CRCs, the IDAT data inflated
// and every row unfiltered. Pixels are 0x00RRGGBB, through the palette for an
// indexed image.
struct DecodedPng {
  int width = 0, height = 0, bitDepth = 0, colourType = 0;
  std::vector<std::uint32_t> palette;
  std::vector<std::uint32_t> pixels;
  std::set<int> filters;  // the filter types the rows use
  int idatChunks = 0;
};

int Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

DecodedPng Decode(const std::vector<std::uint8_t>& file) {
  DecodedPng png;
  const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_TRUE(file.size() > 8 && std::memcmp(file.data(), signature, 8) == 0) << "signature";
  std::vector<std::uint8_t> compressed;
  std::string order;
  for (std::size_t at = 8; at + 12 <= file.size();) {
    const std::uint32_t length = U32Be(&file[at]);
    const std::string type(file.begin() + at + 4, file.begin() + at + 8);
    const std::uint8_t* data = &file[at + 8];
    EXPECT_EQ(U32Be(data + length), crc32(0, &file[at + 4], length + 4)) << type << " CRC";
    if (order.empty() || order.substr(order.size() - 5) != type + " ") order += type + " ";
    if (type == "IHDR") {
      png.width = static_cast<int>(U32Be(data));
      png.height = static_cast<int>(U32Be(data + 4));
      png.bitDepth = data[8];
      png.colourType = data[9];
      EXPECT_EQ(data[10] | data[11] | data[12], 0) << "compression, filter, interlace";
    } else if (type == "PLTE") {
      for (std::uint32_t i = 0; i < length; i += 3) {
        png.palette.push_back(static_cast<std::uint32_t>(data[i]) << 16 | data[i + 1] << 8 |
                              data[i + 2]);
      }
    } else if (type == "IDAT") {
      compressed.insert(compressed.end(), data, data + length);
      ++png.idatChunks;
    }
    at += 12 + length;
  }
  EXPECT_EQ(order, png.colourType == 3 ? "IHDR PLTE IDAT IEND " : "IHDR IDAT IEND ");

  const int channels = png.colourType == 2 ? 3 : 1;
  const std::size_t pixelBytes = channels * png.bitDepth >= 8 ? channels * png.bitDepth / 8 : 1;
  const std::size_t rowBytes = (std::size_t{1} * png.width * channels * png.bitDepth + 7) / 8;
  std::vector<std::uint8_t> raw((rowBytes + 1) * png.height);
  uLongf rawSize = raw.size();
  EXPECT_EQ(uncompress(raw.data(), &rawSize, compressed.data(), compressed.size()), Z_OK);
  EXPECT_EQ(rawSize, raw.size());

  std::vector<std::uint8_t> previous(rowBytes, 0), row(rowBytes);
  for (int y = 0; y < png.height; ++y) {
    const std::uint8_t* line = &raw[y * (rowBytes + 1)];
    png.filters.insert(line[0]);
    for (std::size_t i = 0; i < rowBytes; ++i) {
      const int a = i >= pixelBytes ? row[i - pixelBytes] : 0;
      const int b = previous[i];
      const int c = i >= pixelBytes ? previous[i - pixelBytes] : 0;
      const int predictors[] = {0, a, b, (a + b) / 2, Paeth(a, b, c)};
      row[i] = static_cast<std::uint8_t>(line[1 + i] + predictors[line[0]]);
    }
    for (int x = 0; x < png.width; ++x) {
      if (png.colourType == 2) {
        png.pixels.push_back(static_cast<std::uint32_t>(row[3 * x]) << 16 | row[3 * x + 1] << 8 |
                             row[3 * x + 2]);
      } else {
        const int bit = x * png.bitDepth;
        const int index = row[bit / 8] >> (8 - png.bitDepth - bit % 8) & ((1 << png.bitDepth) - 1);
        EXPECT_LT(static_cast<std::size_t>(index), png.palette.size()) << "x " << x << " y " << y;
        png.pixels.push_back(png.palette.at(index));
      }
    }
    previous = row;
  }
  return png;
}

TEST(WritePng24, DecodesBackToTheExactPixels) {
  struct Case {
    const char* name;
    int width, height, strideBytes;
  };
  // Regions of flat colour, gradients both ways and noise, so each filter is
  // the best for some rows; the noise of the largest spans several IDAT chunks.
  const Case cases[] = {{"one pixel", 1, 1, 4},
                        {"odd size, padded stride", 7, 5, 7 * 4 + 12},
                        {"mixed screen", 160, 120, 160 * 4},
                        {"noise over many chunks", 300, 200, 300 * 4}};
  std::set<int> filters;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t stride = c.strideBytes / 4;
    std::vector<std::uint32_t> source(stride * c.height, 0xDEADBEEF);
    std::vector<std::uint32_t> expected;
    std::uint32_t noise = 12345;
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        noise = noise * 1103515245 + 12345;
        std::uint32_t p;
        if (c.width == 300 || (x >= 80 && y >= 60)) {
          p = noise >> 8;
        } else if (x < 40) {
          p = 0x336699;
        } else if (x < 80) {
          p = static_cast<std::uint32_t>(x * 3) << 16 | (y * 2) << 8 | (x + y);
        } else {
          p = static_cast<std::uint32_t>((x * y) & 0xFF) << 8 | (y & 7) * 30;
        }
        p &= 0xFFFFFF;
        expected.push_back(p);
        source[y * stride + x] = p | 0xA5000000u;  // the fourth byte is not a colour
      }
    }
    VectorSink sink;
    WritePng24(source.data(), c.width, c.height, c.strideBytes, sink);
    const DecodedPng png = Decode(sink.bytes);
    EXPECT_EQ(png.width, c.width);
    EXPECT_EQ(png.height, c.height);
    EXPECT_EQ(png.bitDepth, 8);
    EXPECT_EQ(png.colourType, 2);
    EXPECT_TRUE(png.pixels == expected);
    if (c.width == 300) {
      EXPECT_GT(png.idatChunks, 1);
    }
    filters.insert(png.filters.begin(), png.filters.end());
  }
  EXPECT_EQ(filters, (std::set<int>{0, 1, 2, 3, 4})) << "every filter was checked";
}

TEST(WriteReducedPng, DecodesBackToTheReducedPixelsThroughItsPalette) {
  struct Case {
    std::int16_t colorMode;
    int width, height, bitDepth;
  };
  // Widths that leave part of the last byte unused and rows padded in DibBits.
  const Case cases[] = {{2, 5, 3, 8}, {3, 7, 4, 4}, {4, 13, 5, 1}, {4, 1, 2, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "ColorMode " << c.colorMode << ", width " << c.width);
    std::vector<std::uint32_t> source;
    for (int i = 0; i < c.width * c.height; ++i)
      source.push_back(static_cast<std::uint32_t>(i * 0x0B0503 + 0x202020));
    Common common;
    common.ColorMode = c.colorMode;
    ReduceColors(source.data(), c.width, c.height, common);
    const ReducedDib dib = ReducedDibOf(common);

    // What the reduced bitmap shows, top row first.
    const std::size_t dibRowBytes = DibRowBytes(c.width, c.bitDepth);
    std::vector<std::uint32_t> expected;
    int highest = 0;
    for (int y = c.height - 1; y >= 0; --y) {
      for (int x = 0; x < c.width; ++x) {
        const int bit = x * c.bitDepth;
        const int index = common.DibBits[y * dibRowBytes + bit / 8] >> (8 - c.bitDepth - bit % 8) &
                          ((1 << c.bitDepth) - 1);
        highest = std::max(highest, index);
        const DibColour& e = dib.colours[index];
        expected.push_back(static_cast<std::uint32_t>(e.rgbRed) << 16 | e.rgbGreen << 8 |
                           e.rgbBlue);
      }
    }

    VectorSink sink;
    WriteReducedPng(common, sink);
    const DecodedPng png = Decode(sink.bytes);
    EXPECT_EQ(png.width, c.width);
    EXPECT_EQ(png.height, c.height);
    EXPECT_EQ(png.bitDepth, c.bitDepth);
    EXPECT_EQ(png.colourType, 3);
    EXPECT_TRUE(png.pixels == expected);
    ASSERT_EQ(png.palette.size(), static_cast<std::size_t>(highest + 1)) << "the entries in use";
    for (std::size_t i = 0; i < png.palette.size(); ++i) {
      const DibColour& e = dib.colours[i];
      EXPECT_EQ(png.palette[i],
                static_cast<std::uint32_t>(e.rgbRed) << 16 | e.rgbGreen << 8 | e.rgbBlue)
          << i;
    }
  }
}

TEST(WriteReducedPng, WritesNothingWithoutTheRowsOfTheReduction) {
  Common common;
  common.ColorMode = 2;
  VectorSink sink;
  EXPECT_THROW(WriteReducedPng(common, sink), OutputError);
  EXPECT_TRUE(sink.bytes.empty());
}

}  // namespace
}  // namespace vistrane
