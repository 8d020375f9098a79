// The reduced picture drawn back into the picture box, and JPEG and PNG files
// of the picture, through GDI and the Windows Imaging Component.
#include <gtest/gtest.h>
#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/com_apartment.h"
#include "platform/file_system.h"
#include "platform/picture_box.h"
#include "platform/unique_handle.h"
#include "resident/capture/capture_host_win.h"
#include "resident/output/jpeg_file_win.h"
#include "resident/output/png_file.h"
#include "resident/output/reduce_colors.h"
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
      pixels[y * kWidth + x] =
          static_cast<std::uint32_t>((x * 4) << 16 | (y * 6) << 8 | (x + y) * 2);
    }
  }
  picture.HoldBitmap(bitmap.get());
}

// The picture box's pixels as the capture takes them.
Picture PixelsOf(PictureBox& picture) {
  return {picture.Pixels(), picture.PixelWidth(), picture.PixelHeight()};
}

// A file as the capture writes it, through its host; the message of the
// failure, empty when the file was written.
std::wstring WriteFileAsTheCaptureDoes(const std::wstring& path,
                                       const ImageFileWriter::FileContent& write) {
  ScreenCopy copy;
  Printer printer;
  FrmExec frmExec;
  const bool quit = false;
  WindowsCaptureHost host(nullptr, copy, printer, frmExec, quit);
  try {
    host.WriteFile(path, write);
  } catch (const OutputError& e) {
    return e.message();
  }
  return L"";
}

std::wstring WriteJpegFile(PictureBox& picture, const std::wstring& path) {
  return WriteFileAsTheCaptureDoes(
      path, [&](ByteSink& sink) { WriteJpeg(PixelsOf(picture), path, sink); });
}

std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

// A PNG file as the Windows Imaging Component's PNG decoder reads it: the
// first frame's pixel format, its top-down rows packed at `bitsPerPixel`, and
// the palette of an indexed image (0xAARRGGBB).
struct WicImage {
  UINT width = 0, height = 0, stride = 0;
  WICPixelFormatGUID format{};
  std::vector<BYTE> rows;
  std::vector<WICColor> palette;
};

WicImage DecodeWithWic(const std::wstring& path, UINT bitsPerPixel) {
  using Microsoft::WRL::ComPtr;
  WicImage image;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICPalette> palette;
  GUID container{};
  EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_PPV_ARGS(&factory)));
  EXPECT_HRESULT_SUCCEEDED(factory->CreateDecoderFromFilename(
      path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder));
  if (!decoder) return image;
  EXPECT_HRESULT_SUCCEEDED(decoder->GetContainerFormat(&container));
  EXPECT_TRUE(container == GUID_ContainerFormatPng);
  EXPECT_HRESULT_SUCCEEDED(decoder->GetFrame(0, &frame));
  EXPECT_HRESULT_SUCCEEDED(frame->GetSize(&image.width, &image.height));
  EXPECT_HRESULT_SUCCEEDED(frame->GetPixelFormat(&image.format));
  image.stride = (image.width * bitsPerPixel + 7) / 8;
  image.rows.resize(std::size_t{image.stride} * image.height);
  EXPECT_HRESULT_SUCCEEDED(frame->CopyPixels(
      nullptr, image.stride, static_cast<UINT>(image.rows.size()), image.rows.data()));
  EXPECT_HRESULT_SUCCEEDED(factory->CreatePalette(&palette));
  UINT count = 0;
  if (SUCCEEDED(frame->CopyPalette(palette.Get())) && SUCCEEDED(palette->GetColorCount(&count))) {
    image.palette.resize(count);
    EXPECT_HRESULT_SUCCEEDED(palette->GetColors(count, image.palette.data(), &count));
  }
  return image;
}

TEST(PngFiles, TheImagingComponentReadsBackThePicturesExactPixelsAndThePalette) {
  struct Case {
    std::int16_t colorMode;
    UINT bits;
    const GUID* format;
  };
  const Case cases[] = {{1, 24, &GUID_WICPixelFormat24bppBGR},
                        {2, 8, &GUID_WICPixelFormat8bppIndexed},
                        {3, 4, &GUID_WICPixelFormat4bppIndexed},
                        {4, 1, &GUID_WICPixelFormat1bppIndexed}};
  const ComApartment com;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "ColorMode " << c.colorMode);
    PictureBox picture;
    HoldGradient(picture);
    Picture held = PixelsOf(picture);
    std::optional<ReducedImage> reduced;
    const std::wstring path = TempPath(L"vistrane-png-test.png");
    if (c.colorMode == 1) {
      WriteFileAsTheCaptureDoes(path, [&](ByteSink& sink) {
        WritePng24(held.pixels, kWidth, kHeight, std::ptrdiff_t{kWidth} * 4, sink);
      });
    } else {
      reduced = ReduceColors(held, c.colorMode);
      DrawReducedColours(*reduced, held);  // the reduced colours back into the picture
      WriteFileAsTheCaptureDoes(path, [&](ByteSink& sink) { WriteReducedPng(*reduced, sink); });
    }
    const WicImage image = DecodeWithWic(path, c.bits);
    DeleteFileIfExists(path);

    ASSERT_EQ(image.width, static_cast<UINT>(kWidth));
    ASSERT_EQ(image.height, static_cast<UINT>(kHeight));
    ASSERT_TRUE(image.format == *c.format);
    if (reduced) {
      ASSERT_FALSE(image.palette.empty());
      ASSERT_LE(image.palette.size(), reduced->colours.size());
      for (std::size_t i = 0; i < image.palette.size(); ++i) {
        const DibColour& e = reduced->colours[i];
        EXPECT_EQ(image.palette[i], 0xFF000000u | e.rgbRed << 16 | e.rgbGreen << 8 | e.rgbBlue)
            << i;
      }
    }
    const std::uint32_t* pixels = picture.Pixels();
    for (int y = 0; y < kHeight; ++y) {
      const BYTE* row = &image.rows[y * image.stride];
      for (int x = 0; x < kWidth; ++x) {
        std::uint32_t decoded = 0;
        if (c.bits == 24) {
          decoded = row[3 * x + 2] << 16 | row[3 * x + 1] << 8 | row[3 * x];
        } else {
          const UINT bit = x * c.bits;
          const UINT index = row[bit / 8] >> (8 - c.bits - bit % 8) & ((1u << c.bits) - 1);
          ASSERT_LT(index, image.palette.size()) << "x " << x << " y " << y;
          decoded = image.palette[index] & 0xFFFFFF;
        }
        ASSERT_EQ(decoded, pixels[y * kWidth + x] & 0xFFFFFF) << "x " << x << " y " << y;
      }
    }
  }
}

TEST(ReduceColorsInPicture, DrawsOnlyTableColoursBackAtEveryDepth) {
  for (const std::int16_t colorMode : {2, 3, 4}) {
    SCOPED_TRACE(testing::Message() << "ColorMode " << colorMode);
    PictureBox picture;
    HoldGradient(picture);
    Picture held = PixelsOf(picture);
    const ReducedImage reduced = ReduceColors(held, colorMode);
    DrawReducedColours(reduced, held);

    std::set<std::uint32_t> table;
    for (const DibColour& c : reduced.colours) {
      table.insert(static_cast<std::uint32_t>(c.rgbRed) << 16 | c.rgbGreen << 8 | c.rgbBlue);
    }
    // What GDI draws from the picture box: the progress window and the print.
    std::set<std::uint32_t> drawn;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const COLORREF c = GetPixel(picture.Dc(), x, y);
        drawn.insert(static_cast<std::uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 |
                     GetBValue(c));
      }
    }
    for (std::uint32_t colour : drawn)
      EXPECT_EQ(table.count(colour & 0xFFFFFF), 1u) << std::hex << colour;
    EXPECT_GT(drawn.size(), std::size_t{1} << (ReducedBitCount(colorMode) - 1))
        << "the table is put to use";
  }
}

TEST(WriteJpeg, WritesAJpegOfThePicture) {
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

TEST(WriteJpeg, AFileThatCannotBeWrittenIsAFailedStepNamingIt) {
  const ComApartment com;
  PictureBox picture;
  HoldGradient(picture);
  const std::wstring path = TempPath(L"no-such-folder-vistrane\\x.jpg");
  EXPECT_NE(WriteJpegFile(picture, path).find(path), std::wstring::npos);
}

TEST(WriteJpeg, AnEncoderThatCannotBeCreatedIsAFailedStepNotACrash) {
  PictureBox picture;
  HoldGradient(picture);
  const std::wstring path = TempPath(L"vistrane-jpeg-no-com.jpg");
  std::wstring message;
  // A thread of its own has no COM, so the imaging factory cannot be made.
  std::thread([&] { message = WriteJpegFile(picture, path); }).join();
  EXPECT_NE(message.find(L"JPEG"), std::wstring::npos) << "no error";
  EXPECT_NE(message.find(path), std::wstring::npos);
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "no file";
}

}  // namespace
}  // namespace vistrane
