#include "resident/output/bmp_file.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "shared/errors.h"
#include "shared/little_endian.h"

namespace vistrane {
namespace {

// Pixel value of column x, row y with distinct, recognisable channels.
std::uint32_t Pixel(int x, int y) {
  return 0xFF000000u | (0x10u + y) << 16 | (0x40u + x) << 8 | 0x80u;
}

std::vector<std::uint32_t> Image(int width, int height) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(Pixel(x, y));
  return pixels;
}

TEST(DibRowBytes, PadsRowsToFourBytes) {
  struct Case {
    int width, bpp;
    std::size_t expected;
  };
  const Case cases[] = {{1, 24, 4},  {2, 24, 8},  {3, 24, 12}, {4, 24, 12}, {5, 24, 16},
                        {1, 1, 4},   {33, 1, 8},  {9, 4, 8},   {5, 8, 8},   {3, 32, 12}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.bpp << " bits");
    EXPECT_EQ(DibRowBytes(c.width, c.bpp), c.expected);
  }
}

TEST(EncodeBmp24, WritesBothHeadersFieldByField) {
  const auto pixels = Image(3, 2);
  const auto file = EncodeBmp24(pixels.data(), 3, 2, 3 * 4);

  ASSERT_EQ(file.size(), 54u + 2 * 12);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(GetU32(&file[2]), file.size());
  EXPECT_EQ(GetU32(&file[6]), 0u);  // both reserved words
  EXPECT_EQ(GetU32(&file[10]), 54u);
  EXPECT_EQ(GetU32(&file[14]), 40u);
  EXPECT_EQ(GetU32(&file[18]), 3u);
  EXPECT_EQ(GetU32(&file[22]), 2u);  // positive height: bottom-up rows
  EXPECT_EQ(GetU16(&file[26]), 1u);
  EXPECT_EQ(GetU16(&file[28]), 24u);
  EXPECT_EQ(GetU32(&file[30]), 0u);  // BI_RGB
  EXPECT_EQ(GetU32(&file[34]), 24u);
  for (std::size_t at = 38; at < 54; at += 4) EXPECT_EQ(GetU32(&file[at]), 0u) << "offset " << at;
}

TEST(EncodeBmp24, StoresRowsBottomUpInBlueGreenRedWithZeroPadding) {
  for (int width = 1; width <= 4; ++width) {
    SCOPED_TRACE(testing::Message() << "width " << width);
    const int height = 3;
    const auto pixels = Image(width, height);
    const auto file = EncodeBmp24(pixels.data(), width, height, width * 4);
    const std::size_t rowBytes = (width * 3 + 3) / 4 * 4;
    ASSERT_EQ(file.size(), 54 + rowBytes * height);
    for (int row = 0; row < height; ++row) {
      const int y = height - 1 - row;
      const std::uint8_t* line = file.data() + 54 + row * rowBytes;
      for (int x = 0; x < width; ++x) {
        EXPECT_EQ(line[3 * x], 0x80) << "x " << x << " row " << row;
        EXPECT_EQ(line[3 * x + 1], 0x40 + x) << "x " << x << " row " << row;
        EXPECT_EQ(line[3 * x + 2], 0x10 + y) << "x " << x << " row " << row;
      }
      for (std::size_t pad = width * 3; pad < rowBytes; ++pad) EXPECT_EQ(line[pad], 0);
    }
  }
}

TEST(EncodeBmp24, SinglePixelMakesAFiftyEightByteFile) {
  const std::uint32_t pixel = 0x00123456;  // red 0x12, green 0x34, blue 0x56
  const auto file = EncodeBmp24(&pixel, 1, 1, 4);
  ASSERT_EQ(file.size(), 58u);
  EXPECT_EQ(GetU32(&file[2]), 58u);
  EXPECT_EQ(GetU32(&file[34]), 4u);
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 54, file.end()),
            (std::vector<std::uint8_t>{0x56, 0x34, 0x12, 0x00}));
}

TEST(EncodeBmp24, FollowsTheStrideAndIgnoresTheBytesPastEachRow) {
  // Two pixels a row in a buffer three pixels wide; the third is filler.
  const std::uint32_t pixels[] = {0x000001, 0x000002, 0xFFFFFF,
                                  0x000003, 0x000004, 0xFFFFFF};
  const auto file = EncodeBmp24(pixels, 2, 2, 3 * 4);
  const std::vector<std::uint8_t> rows(file.begin() + 54, file.end());
  EXPECT_EQ(rows, (std::vector<std::uint8_t>{3, 0, 0, 4, 0, 0, 0, 0,  //
                                             1, 0, 0, 2, 0, 0, 0, 0}));
}

TEST(EncodeBmp24, ImagesLargerThanOneChunkKeepEveryRowInPlace) {
  // 1001 pixels a row (3004 bytes with padding): the rows reach the sink in
  // several pieces, and every row must still land where a bottom-up file has it.
  const int width = 1001;
  const int height = 300;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF;

  struct CountingSink final : ByteSink {
    std::vector<std::uint8_t> bytes;
    int pieces = 0;
    void Write(const std::uint8_t* data, std::size_t size) override {
      bytes.insert(bytes.end(), data, data + size);
      ++pieces;
    }
  } sink;
  WriteBmp24(pixels.data(), width, height, width * 4, sink);
  EXPECT_GT(sink.pieces, 2);

  const std::size_t rowBytes = 3004;
  ASSERT_EQ(sink.bytes.size(), 54 + rowBytes * height);
  for (int y : {0, 1, 86, 87, 150, height - 1}) {
    SCOPED_TRACE(y);
    const std::uint8_t* row = sink.bytes.data() + 54 + rowBytes * (height - 1 - y);
    for (int x : {0, 500, width - 1}) {
      const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
      EXPECT_EQ(row[3 * x], p & 0xFF);
      EXPECT_EQ(row[3 * x + 2], (p >> 16) & 0xFF);
    }
    EXPECT_EQ(row[3003], 0) << "padding";
  }
}

TEST(EncodeBmp24, RejectsImpossibleArguments) {
  const std::uint32_t pixel = 0;
  EXPECT_THROW(EncodeBmp24(&pixel, 0, 1, 4), std::invalid_argument);
  EXPECT_THROW(EncodeBmp24(&pixel, 1, -1, 4), std::invalid_argument);
  EXPECT_THROW(EncodeBmp24(&pixel, 2, 1, 4), std::invalid_argument);  // stride < row
  // Past the 32-bit size fields; refused before a pixel is read.
  EXPECT_THROW(EncodeBmp24(&pixel, 60000, 60000, 240000), OutputError);
}

}  // namespace
}  // namespace vistrane
