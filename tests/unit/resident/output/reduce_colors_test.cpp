#include "resident/output/reduce_colors.h"

#include <gtest/gtest.h>

#include <vector>

#include "resident/output/bmp_file.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

std::uint32_t TableColour(const DibColour& c) {
  return static_cast<std::uint32_t>(c.rgbRed) << 16 | static_cast<std::uint32_t>(c.rgbGreen) << 8 |
         c.rgbBlue;
}

// The reduced image drawn back over a copy of the picture: its table colour
// for every pixel, top row first.
std::vector<std::uint32_t> Decode(const ReducedImage& reduced, std::vector<std::uint32_t> pixels) {
  Picture picture{pixels.data(), reduced.header.biWidth, reduced.header.biHeight};
  DrawReducedColours(reduced, picture);
  return pixels;
}

ReducedImage Reduce(std::vector<std::uint32_t>& pixels, int width, int height,
                    std::int16_t colorMode) {
  return ReduceColors({pixels.data(), width, height}, colorMode);
}

std::vector<std::uint32_t> Gradient(int width, int height) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels.push_back(static_cast<std::uint32_t>((x * 4) << 16 | (y * 4) << 8 | ((x + y) * 2)));
    }
  }
  return pixels;
}

TEST(ReducedBitCount, FollowsColorModeAndTreatsOtherValuesAsTwoColours) {
  const std::pair<std::int16_t, int> cases[] = {{2, 8}, {3, 4}, {4, 1}, {0, 1}, {5, 1}, {-1, 1}};
  for (const auto& [colorMode, bits] : cases) {
    SCOPED_TRACE(colorMode);
    EXPECT_EQ(ReducedBitCount(colorMode), bits);
  }
}

TEST(ReduceColors, RowsArePaddedToFourBytesAtEveryDepth) {
  struct Case {
    std::int16_t colorMode;
    int width;
    std::int32_t rowBytes;
  };
  const Case cases[] = {{2, 1, 4}, {2, 4, 4},  {2, 5, 8}, {3, 1, 4},  {3, 8, 4},
                        {3, 9, 8}, {4, 1, 4},  {4, 32, 4}, {4, 33, 8}, {2, 64, 64}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "ColorMode " << c.colorMode << ", width " << c.width);
    const int height = 3;
    auto pixels = Gradient(c.width, height);
    const ReducedImage reduced = Reduce(pixels, c.width, height, c.colorMode);
    EXPECT_EQ(reduced.rows.size(), static_cast<std::size_t>(c.rowBytes * height));
    EXPECT_EQ(reduced.header.biSizeImage, reduced.rows.size());
  }
}

TEST(ReduceColors, FillsTheHeaderAndAFullColourTable) {
  struct Case {
    std::int16_t colorMode;
    int bits;
  };
  const Case cases[] = {{2, 8}, {3, 4}, {4, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "ColorMode " << c.colorMode);
    auto pixels = Gradient(7, 5);
    const ReducedImage reduced = Reduce(pixels, 7, 5, c.colorMode);
    EXPECT_EQ(reduced.colours.size(), std::size_t{1} << c.bits);
    const DibHeader& h = reduced.header;
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 7);
    EXPECT_EQ(h.biHeight, 5);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, c.bits);
    EXPECT_EQ(h.biCompression, 0u);
    EXPECT_EQ(h.biSizeImage, DibRowBytes(7, c.bits) * 5);
    EXPECT_EQ(h.biXPelsPerMeter, 0);
    EXPECT_EQ(h.biYPelsPerMeter, 0);
    EXPECT_EQ(h.biClrUsed, 0u);
    EXPECT_EQ(h.biClrImportant, 0u);
    for (const DibColour& entry : reduced.colours) EXPECT_EQ(entry.rgbReserved, 0);
  }
}

TEST(ReduceColors, PacksTheLeftmostPixelHighestAndTheBottomRowFirst) {
  // Top row: black, white, white; bottom row: white, black, black.
  std::vector<std::uint32_t> pixels = {0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000};
  struct Case {
    std::int16_t colorMode;
    std::vector<std::uint8_t> rows;
  };
  const Case cases[] = {
      {2, {1, 0, 0, 0, 0, 1, 1, 0}},
      {3, {0x10, 0x00, 0, 0, 0x01, 0x10, 0, 0}},
      {4, {0x80, 0, 0, 0, 0x60, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "ColorMode " << c.colorMode);
    const ReducedImage reduced = Reduce(pixels, 3, 2, c.colorMode);
    EXPECT_EQ(TableColour(reduced.colours[0]), 0x000000u) << "darkest first";
    EXPECT_EQ(TableColour(reduced.colours[1]), 0xFFFFFFu);
    EXPECT_EQ(reduced.rows, c.rows);
  }
}

TEST(ReduceColors, EveryPixelOfATwoColourResultIsOneOfItsTwoEntries) {
  // Dark text-like strokes on a light page over a gradient.
  auto pixels = Gradient(40, 30);
  for (std::size_t i = 0; i < pixels.size(); i += 3) pixels[i] = 0x101010;
  const ReducedImage image = Reduce(pixels, 40, 30, 4);
  const std::uint32_t first = TableColour(image.colours[0]);
  const std::uint32_t second = TableColour(image.colours[1]);
  EXPECT_NE(first, second);
  const auto reduced = Decode(image, pixels);
  for (std::size_t i = 0; i < reduced.size(); ++i) {
    ASSERT_TRUE(reduced[i] == first || reduced[i] == second) << "pixel " << i;
  }
  EXPECT_EQ(reduced[0], first) << "the dark strokes take the dark entry";
}

TEST(ReduceColors, AnImageWithFewEnoughColoursComesBackExactly) {
  struct Case {
    std::int16_t colorMode;
    int colours;
  };
  const Case cases[] = {{2, 256}, {3, 16}, {4, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "ColorMode " << c.colorMode);
    std::vector<std::uint32_t> pixels;
    for (int i = 0; i < 21 * 19; ++i) {
      pixels.push_back(static_cast<std::uint32_t>((i * 7 % c.colours) * 0x010101) ^ 0x203040u);
    }
    EXPECT_EQ(Decode(Reduce(pixels, 21, 19, c.colorMode), pixels), pixels);
  }
}

TEST(ReduceColors, APictureWithoutPixelsIsAFailedStep) {
  std::uint32_t pixel = 0;
  const std::pair<int, int> sizes[] = {{0, 10}, {10, 0}, {0, 0}, {-1, 5}};
  for (const auto& [width, height] : sizes) {
    SCOPED_TRACE(testing::Message() << width << " x " << height);
    try {
      ReduceColors({&pixel, width, height}, 3);
      ADD_FAILURE() << "no error";
    } catch (const OutputError& e) {
      EXPECT_NE(e.message().find(L"0 バイト"), std::wstring::npos);
    }
  }
}

}  // namespace
}  // namespace vistrane
