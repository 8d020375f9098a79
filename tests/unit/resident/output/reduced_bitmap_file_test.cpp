#include "resident/output/reduced_bitmap_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "resident/output/reduce_colors.h"
#include "shared/errors.h"
#include "shared/little_endian.h"

namespace vistrane {
namespace {

Common Reduced(std::int16_t colorMode, int width, int height) {
  std::vector<std::uint32_t> pixels;
  for (int i = 0; i < width * height; ++i) pixels.push_back(static_cast<std::uint32_t>(i * 0x030507));
  Common common;
  common.ColorMode = colorMode;
  ReduceColors(pixels.data(), width, height, common);
  return common;
}

TEST(ReducedBitmapFileHeaders, WritesTheFileHeaderAndTheRecordFieldByField) {
  struct Case {
    std::int16_t colorMode;
    std::uint32_t pixelOffset;
    std::uint16_t bits;
    std::uint32_t rowBytes;
  };
  // 5 pixels a row: 5 bytes at 8 bits, 3 at 4 bits, 1 at 1 bit, each padded.
  const Case cases[] = {{2, 1078, 8, 8}, {3, 118, 4, 4}, {4, 62, 1, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "ColorMode " << c.colorMode);
    const Common common = Reduced(c.colorMode, 5, 3);
    const auto bytes = ReducedBitmapFileHeaders(common);
    ASSERT_EQ(bytes.size(), c.pixelOffset);
    EXPECT_EQ(bytes[0], 0x42);
    EXPECT_EQ(bytes[1], 0x4D);
    EXPECT_EQ(GetU32(&bytes[2]), c.pixelOffset + c.rowBytes * 3) << "DibSize + pixel offset";
    EXPECT_EQ(GetU16(&bytes[6]), 0);
    EXPECT_EQ(GetU16(&bytes[8]), 0);
    EXPECT_EQ(GetU32(&bytes[10]), c.pixelOffset);
    EXPECT_EQ(GetU32(&bytes[14]), 40u);
    EXPECT_EQ(GetU32(&bytes[18]), 5u);
    EXPECT_EQ(GetU32(&bytes[22]), 3u);
    EXPECT_EQ(GetU16(&bytes[26]), 1);
    EXPECT_EQ(GetU16(&bytes[28]), c.bits);
    EXPECT_EQ(GetU32(&bytes[30]), 0u);
    EXPECT_EQ(GetU32(&bytes[34]), c.rowBytes * 3);
    for (std::size_t at = 38; at < 54; at += 4) {
      EXPECT_EQ(GetU32(&bytes[at]), 0u) << "offset " << at;
    }
    // The colour table: blue, green, red, 0 for each entry, as the record holds it.
    const ReducedDib dib = ReducedDibOf(common);
    ASSERT_EQ(54 + dib.colours.size() * 4, c.pixelOffset);
    for (std::size_t i = 0; i < dib.colours.size(); ++i) {
      const std::size_t at = 54 + 4 * i;
      EXPECT_EQ(bytes[at], dib.colours[i].rgbBlue);
      EXPECT_EQ(bytes[at + 1], dib.colours[i].rgbGreen);
      EXPECT_EQ(bytes[at + 2], dib.colours[i].rgbRed);
      EXPECT_EQ(bytes[at + 3], 0);
    }
  }
}

TEST(ReducedBitmapFileHeaders, RefusesRowsThatTheRecordDoesNotDescribe) {
  struct Case {
    const char* name;
    void (*change)(Common&);
  };
  const Case cases[] = {
      {"rows given back", [](Common& c) { EraseDibBits(c); }},
      {"depth changed after the reduction", [](Common& c) { c.ColorMode = 3; }},
      {"rows of another size", [](Common& c) { c.DibBits.push_back(0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Common common = Reduced(2, 6, 4);
    c.change(common);
    EXPECT_THROW(ReducedBitmapFileHeaders(common), OutputError);
  }
}

}  // namespace
}  // namespace vistrane
