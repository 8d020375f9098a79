#include "resident/output/save_image_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resident/output/reduce_colors.h"
#include "shared/errors.h"
#include "tests/doubles/fixed_clock.h"
#include "tests/doubles/memory_settings_store.h"

namespace vistrane {
namespace {

class RecordingWriter final : public ImageFileWriter {
 public:
  std::vector<std::wstring> calls;
  std::vector<std::uint8_t> file;

  void WriteFullColourBitmap(const std::wstring& path) override { calls.push_back(L"bmp " + path); }
  void WriteReducedColourBitmap(const std::wstring& path, const std::vector<std::uint8_t>& headers,
                                const std::vector<std::uint8_t>& pixelRows) override {
    calls.push_back(L"reduced " + path);
    file = headers;
    file.insert(file.end(), pixelRows.begin(), pixelRows.end());
  }
  void WriteJpeg(const std::wstring& path) override { calls.push_back(L"jpeg " + path); }
  void WritePng(const std::wstring& path) override { calls.push_back(L"png " + path); }
  void WriteReducedPng(const std::wstring& path, const Common&) override {
    calls.push_back(L"reduced png " + path);
  }
  bool FileExists(const std::wstring&) const override { return false; }
};

class SaveImageFileTest : public ::testing::Test {
 protected:
  SaveImageFileTest() {
    common.DirName = L"C:\\VstrnTmp";
    common.Filename = L"Vstrn";
    common.FileOutMode = 1;
  }
  Common common;
  MemorySettingsStore store;
  RecordingWriter writer;
  FixedClock clock{{2026, 12, 4, 9, 5, 7}};
};

TEST_F(SaveImageFileTest, ReducedFileWithoutAReductionIsRefusedBeforeANumberIsUsed) {
  for (const std::int16_t outputFileMode : {1, 3}) {
    SCOPED_TRACE(testing::Message() << "OutputFileMode " << outputFileMode);
    common.ColorMode = 3;
    common.OutputFileMode = outputFileMode;
    EXPECT_THROW(SaveImageFile(false, common, clock, store, writer), OutputError);
    EXPECT_TRUE(writer.calls.empty());
    EXPECT_EQ(common.SaveCont, 0);
    EXPECT_TRUE(store.writes().empty());
  }
}

TEST_F(SaveImageFileTest, ReducedBitmapFileIsTheHeadersFollowedByTheRows) {
  common.ColorMode = 4;
  common.OutputFileMode = 1;
  const std::uint32_t pixels[] = {0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000};
  ReduceColors(pixels, 2, 2, common);
  SaveImageFile(false, common, clock, store, writer);
  EXPECT_EQ(writer.calls, std::vector<std::wstring>{L"reduced C:\\VstrnTmp\\Vstrn1204-001.bmp"});
  ASSERT_EQ(writer.file.size(), 62u + 8u);
  EXPECT_EQ(writer.file[2], 70) << "the size field counts the whole file";
  EXPECT_EQ(std::vector<std::uint8_t>(writer.file.begin() + 62, writer.file.end()), common.DibBits);
}

}  // namespace
}  // namespace vistrane
