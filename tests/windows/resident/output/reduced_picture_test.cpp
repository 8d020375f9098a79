// The reduced picture drawn back into the picture box, and JPEG files of the
// picture, through GDI and the Windows Imaging Component.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/com_apartment.h"
#include "platform/file_system.h"
#include "platform/picture_box.h"
#include "platform/unique_handle.h"
#include "resident/output/jpeg_file_win.h"
#include "resident/output/reduce_colors.h"
#include "resident/output/reduce_colors_win.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

constexpr int kWidth = 61;
constexpr int kHeight = 37;

// A picture box holding a gradient with far more than 256 colours.
void HoldGradient(PictureBox& picture) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = -kHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  UniqueHbitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ASSERT_TRUE(bitmap);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      pixels[y * kWidth + x] = static_cast<std::uint32_t>((x * 4) << 16 | (y * 6) << 8 | (x + y) * 2);
    }
  }
  picture.HoldBitmap(bitmap.get());
}

std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

TEST(ReduceColorsInPicture, DrawsOnlyTableColoursBackAtEveryDepth) {
  for (const std::int16_t colorMode : {2, 3, 4}) {
    SCOPED_TRACE(testing::Message() << "ColorMode " << colorMode);
    PictureBox picture;
    HoldGradient(picture);
    Common common;
    common.ColorMode = colorMode;
    ReduceColors(picture, common);

    std::set<std::uint32_t> table;
    for (const DibColour& c : ReducedDibOf(common).colours) {
      table.insert(static_cast<std::uint32_t>(c.rgbRed) << 16 | c.rgbGreen << 8 | c.rgbBlue);
    }
    const std::uint32_t* pixels = picture.Pixels();
    std::set<std::uint32_t> drawn(pixels, pixels + kWidth * kHeight);
    for (std::uint32_t colour : drawn) EXPECT_EQ(table.count(colour & 0xFFFFFF), 1u) << std::hex << colour;
    EXPECT_GT(drawn.size(), std::size_t{1} << (ReducedBitCount(colorMode) - 1))
        << "the table is put to use";
  }
}

TEST(WriteJpegFile, WritesAJpegOfThePicture) {
  const ComApartment com;
  PictureBox picture;
  HoldGradient(picture);
  const std::wstring path = TempPath(L"vistrane-jpeg-test.jpg");
  WriteJpegFile(picture, path);
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
  in.close();
  DeleteFileIfExists(path);
  ASSERT_GT(bytes.size(), 4u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xD8) << "start of image";
  EXPECT_EQ(bytes[bytes.size() - 2], 0xFF);
  EXPECT_EQ(bytes.back(), 0xD9) << "end of image";
}

TEST(WriteJpegFile, AFileThatCannotBeWrittenIsAFailedStepNamingIt) {
  const ComApartment com;
  PictureBox picture;
  HoldGradient(picture);
  const std::wstring path = TempPath(L"no-such-folder-vistrane\\x.jpg");
  try {
    WriteJpegFile(picture, path);
    ADD_FAILURE() << "no error";
  } catch (const OutputError& e) {
    EXPECT_NE(e.message().find(path), std::wstring::npos);
  }
}

TEST(WriteJpegFile, AnEncoderThatCannotBeCreatedIsAFailedStepNotACrash) {
  PictureBox picture;
  HoldGradient(picture);
  const std::wstring path = TempPath(L"vistrane-jpeg-no-com.jpg");
  std::wstring message;
  // A thread of its own has no COM, so the imaging factory cannot be made.
  std::thread([&] {
    try {
      WriteJpegFile(picture, path);
    } catch (const OutputError& e) {
      message = e.message();
    }
  }).join();
  EXPECT_NE(message.find(L"JPEG"), std::wstring::npos) << "no error";
  EXPECT_NE(message.find(path), std::wstring::npos);
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "no file";
}

}  // namespace
}  // namespace vistrane
