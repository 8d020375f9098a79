#include "resident/output/save_image_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "resident/output/reduce_colors.h"
#include "shared/little_endian.h"
#include "tests/doubles/fixed_clock.h"
#include "tests/doubles/memory_settings_store.h"

namespace vistrane {
namespace {

// Keeps the file that was written.
class MemoryWriter final : public ImageFileWriter {
 public:
  std::vector<std::uint8_t> file;
  bool FileExists(const std::wstring&) const override { return false; }
  void WriteFile(const std::wstring&, const FileContent& write) override {
    VectorSink sink;
    write(sink);
    file = std::move(sink.bytes);
  }
  void EncodeJpeg(const Picture&, const std::wstring&, ByteSink&) override {}
};

TEST(SaveImageFile, ReducedBitmapFileIsTheHeaderFieldByFieldThenTheRows) {
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
    std::vector<std::uint32_t> pixels;
    for (int i = 0; i < 15; ++i) pixels.push_back(static_cast<std::uint32_t>(i * 0x030507));
    Capture capture{{pixels.data(), 5, 3}, std::nullopt};
    capture.reduced = ReduceColors(capture.picture, c.colorMode);
    SettingsRecord settings;
    settings.DirName = L"C:\\VstrnTmp";
    settings.Filename = L"Vstrn";
    settings.OutputFileMode = 1;
    std::int16_t SaveCont = 0;
    MemorySettingsStore store;
    MemoryWriter writer;
    EXPECT_EQ(SaveImageFile(false, ImageFileFormat::Bitmap, settings, capture, SaveCont,
                            FixedClock({2026, 12, 4, 9, 5, 7}), store, writer),
              L"C:\\VstrnTmp\\Vstrn.bmp");

    const std::vector<std::uint8_t>& bytes = writer.file;
    ASSERT_EQ(bytes.size(), c.pixelOffset + c.rowBytes * 3);
    EXPECT_EQ(bytes[0], 0x42);
    EXPECT_EQ(bytes[1], 0x4D);
    EXPECT_EQ(GetU32(&bytes[2]), bytes.size()) << "rows + pixel offset";
    EXPECT_EQ(GetU32(&bytes[6]), 0u) << "both reserved words";
    EXPECT_EQ(GetU32(&bytes[10]), c.pixelOffset);
    EXPECT_EQ(GetU32(&bytes[14]), 40u);
    EXPECT_EQ(GetU32(&bytes[18]), 5u);
    EXPECT_EQ(GetU32(&bytes[22]), 3u);
    EXPECT_EQ(GetU16(&bytes[26]), 1);
    EXPECT_EQ(GetU16(&bytes[28]), c.bits);
    EXPECT_EQ(GetU32(&bytes[30]), 0u);
    EXPECT_EQ(GetU32(&bytes[34]), c.rowBytes * 3);
    for (std::size_t at = 38; at < 54; at += 4) EXPECT_EQ(GetU32(&bytes[at]), 0u) << at;
    // The colour table: blue, green, red, 0 for each entry, then the rows.
    const ReducedImage& reduced = *capture.reduced;
    ASSERT_EQ(54 + reduced.colours.size() * 4, c.pixelOffset);
    for (std::size_t i = 0; i < reduced.colours.size(); ++i) {
      const DibColour& e = reduced.colours[i];
      EXPECT_EQ(GetU32(&bytes[54 + 4 * i]),
                static_cast<std::uint32_t>(e.rgbRed) << 16 | e.rgbGreen << 8 | e.rgbBlue);
    }
    EXPECT_TRUE(
        std::equal(reduced.rows.begin(), reduced.rows.end(), bytes.begin() + c.pixelOffset));
  }
}

}  // namespace
}  // namespace vistrane
