#include "platform/picture_box.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/unique_handle.h"
#include "platform/win32_error.h"

namespace vistrane {
namespace {

// Six pixels, 3 wide and 2 high, top row first, as 0x00RRGGBB. Every
// channel is 0 or 255, so each source depth can represent them exactly.
constexpr int kWidth = 3;
constexpr int kHeight = 2;
const std::vector<std::uint32_t> kImage = {
    0xFF0000, 0x00FF00, 0x0000FF,  // red, green, blue
    0xFFFFFF, 0x000000, 0xFFFF00,  // white, black, yellow
};

int Stride(int bitsPerPixel) { return ((kWidth * bitsPerPixel + 31) / 32) * 4; }

// Bottom-up DIB section (as most bitmaps are) of the given depth holding
// kImage. Palette depths get a colour table with exactly kImage's colours.
UniqueHbitmap MakeSource(int bitsPerPixel) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
  } info{};
  info.header.biSize = sizeof(info.header);
  info.header.biWidth = kWidth;
  info.header.biHeight = kHeight;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bitsPerPixel);
  info.header.biCompression = BI_RGB;
  std::vector<std::uint32_t> palette;
  if (bitsPerPixel <= 8) {
    palette = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
    if (bitsPerPixel == 1) palette.resize(2);
    for (std::size_t i = 0; i < palette.size(); ++i) {
      std::memcpy(&info.colours[i], &palette[i], sizeof(RGBQUAD));
    }
    info.header.biClrUsed = static_cast<DWORD>(palette.size());
  }
  void* bits = nullptr;
  UniqueHbitmap bitmap(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                        DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) ThrowLastError(L"CreateDIBSection (test source)");
  auto* bytes = static_cast<std::uint8_t*>(bits);
  for (int y = 0; y < kHeight; ++y) {
    std::uint8_t* row = bytes + (kHeight - 1 - y) * Stride(bitsPerPixel);  // bottom-up
    for (int x = 0; x < kWidth; ++x) {
      std::uint32_t colour = kImage[y * kWidth + x];
      const std::uint8_t r = colour >> 16 & 0xFF, g = colour >> 8 & 0xFF, b = colour & 0xFF;
      switch (bitsPerPixel) {
        case 32:
          colour |= 0xFF000000u;  // an alpha byte the copy must not keep
          std::memcpy(row + x * 4, &colour, 4);
          break;
        case 24:
          row[x * 3] = b;
          row[x * 3 + 1] = g;
          row[x * 3 + 2] = r;
          break;
        case 16: {  // 5-5-5
          const auto value = static_cast<std::uint16_t>((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
          std::memcpy(row + x * 2, &value, 2);
          break;
        }
        case 8:
        case 1: {
          std::size_t index = 0;
          while (index < palette.size() && palette[index] != colour) ++index;
          if (bitsPerPixel == 8) {
            row[x] = static_cast<std::uint8_t>(index);
          } else if (index == 1) {
            row[0] |= static_cast<std::uint8_t>(0x80 >> x);
          }
          break;
        }
      }
    }
  }
  return bitmap;
}

std::vector<std::uint32_t> Held(const PictureBox& box) {
  const std::uint32_t* pixels = box.Pixels();
  return std::vector<std::uint32_t>(pixels, pixels + box.PixelWidth() * box.PixelHeight());
}

// 1-bit sources can only show black and white.
std::vector<std::uint32_t> Expected(int bitsPerPixel) {
  std::vector<std::uint32_t> expected = kImage;
  if (bitsPerPixel == 1) {
    for (auto& pixel : expected) pixel = pixel == 0xFFFFFF ? 0xFFFFFF : 0;
  }
  return expected;
}

TEST(PictureBoxTest, HoldsAnExactTopDownCopyOfEveryDepth) {
  for (const int depth : {32, 24, 16, 8, 1}) {
    SCOPED_TRACE(testing::Message() << depth << " bits per pixel");
    const UniqueHbitmap source = MakeSource(depth);
    PictureBox box;
    box.HoldBitmap(source.get());
    ASSERT_TRUE(box.Holds());
    EXPECT_EQ(box.PixelWidth(), kWidth);
    EXPECT_EQ(box.PixelHeight(), kHeight);
    EXPECT_EQ(Held(box), Expected(depth));

    // The DC draws on the 32-bit image itself.
    BITMAP held{};
    ASSERT_NE(GetObjectW(GetCurrentObject(box.Dc(), OBJ_BITMAP), sizeof(held), &held), 0);
    EXPECT_EQ(held.bmBitsPixel, 32);
    EXPECT_EQ(held.bmWidth, kWidth);
  }
}

TEST(PictureBoxTest, CopiesADeviceDependentBitmap) {
  const WindowDc screen(nullptr);
  UniqueHbitmap source(CreateCompatibleBitmap(screen.get(), 5, 4));
  ASSERT_TRUE(source);
  {
    UniqueHdc dc(CreateCompatibleDC(screen.get()));
    const SelectObjectScope select(dc.get(), source.get());
    const RECT all{0, 0, 5, 4};
    UniqueHbrush brush(CreateSolidBrush(RGB(0x12, 0x34, 0x56)));
    FillRect(dc.get(), &all, brush.get());
  }
  PictureBox box;
  box.HoldBitmap(source.get());
  EXPECT_EQ(box.PixelWidth(), 5);
  EXPECT_EQ(box.PixelHeight(), 4);
  EXPECT_EQ(Held(box), std::vector<std::uint32_t>(20, 0x123456));
}

TEST(PictureBoxTest, ReleaseFreesTheImageAndItsDc) {
  const UniqueHbitmap source = MakeSource(24);
  PictureBox box;
  box.HoldBitmap(source.get());
  const HGDIOBJ heldBitmap = GetCurrentObject(box.Dc(), OBJ_BITMAP);
  const HDC heldDc = box.Dc();

  box.Release();
  EXPECT_FALSE(box.Holds());
  EXPECT_EQ(box.Dc(), nullptr);
  EXPECT_EQ(box.Pixels(), nullptr);
  EXPECT_EQ(box.PixelWidth(), 0);
  EXPECT_EQ(GetObjectType(heldBitmap), 0u) << "the DIB section is deleted";
  EXPECT_EQ(GetObjectType(heldDc), 0u) << "the memory DC is deleted";
  box.Release();  // releasing an empty box is harmless
}

SIZE_T WorkingSetBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  EXPECT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)));
  return counters.WorkingSetSize;
}

TEST(PictureBoxTest, ReleaseGivesTheImageMemoryBack) {
  // A 2000 x 2000 screen copy holds 16 MB. The resident program takes and
  // releases one at every capture, so a release that kept anything would grow
  // the program by an image a capture.
  WindowDc screen(nullptr);
  const UniqueHbitmap source(CreateCompatibleBitmap(screen.get(), 2000, 2000));
  ASSERT_TRUE(source);
  PictureBox box;
  box.HoldBitmap(source.get());
  box.Release();
  const SIZE_T before = WorkingSetBytes();
  for (int i = 0; i < 8; ++i) {
    box.HoldBitmap(source.get());  // writes every pixel, so all of it is in memory
    box.Release();
  }
  const SIZE_T after = WorkingSetBytes();
  EXPECT_LT(after, before + 8 * 1024 * 1024) << "grew by " << (after - before) / 1024 << " KiB";
}

TEST(PictureBoxTest, HoldingReplacesThePreviousImage) {
  const UniqueHbitmap first = MakeSource(24);
  PictureBox box;
  box.HoldBitmap(first.get());
  const HGDIOBJ firstCopy = GetCurrentObject(box.Dc(), OBJ_BITMAP);

  const WindowDc screen(nullptr);
  UniqueHbitmap second(CreateCompatibleBitmap(screen.get(), 7, 9));
  box.HoldBitmap(second.get());
  EXPECT_EQ(box.PixelWidth(), 7);
  EXPECT_EQ(box.PixelHeight(), 9);
  EXPECT_EQ(GetObjectType(firstCopy), 0u);
}

TEST(PictureBoxTest, FailedHoldKeepsThePreviousImage) {
  const UniqueHbitmap source = MakeSource(24);
  PictureBox box;
  box.HoldBitmap(source.get());
  EXPECT_THROW(box.HoldBitmap(nullptr), Win32Error);
  UniqueHbitmap deleted(CreateCompatibleBitmap(WindowDc(nullptr).get(), 2, 2));
  const HBITMAP stale = deleted.get();
  deleted.reset();
  EXPECT_THROW(box.HoldBitmap(stale), Win32Error);
  EXPECT_EQ(Held(box), kImage);
}

TEST(PictureBoxTest, DrawingOnTheDcChangesThePixels) {
  const UniqueHbitmap source = MakeSource(32);
  PictureBox box;
  box.HoldBitmap(source.get());

  UniqueHbrush brush(CreateSolidBrush(RGB(0x10, 0x20, 0x30)));
  const RECT firstColumn{0, 0, 1, kHeight};
  FillRect(box.Dc(), &firstColumn, brush.get());
  std::vector<std::uint32_t> expected = kImage;
  expected[0] = expected[3] = 0x102030;
  EXPECT_EQ(Held(box), expected);
}

TEST(PictureBoxTest, DrawStretchedFillsTheTargetRectangle) {
  const UniqueHbitmap source = MakeSource(24);
  PictureBox box;
  box.HoldBitmap(source.get());

  // Target: a black 8x6 surface; the image is drawn 1:1 at (1, 1), then a
  // white image 4:3-stretched over the lower right corner.
  PictureBox target;
  const UniqueHbitmap canvas(CreateCompatibleBitmap(WindowDc(nullptr).get(), 8, 6));
  target.HoldBitmap(canvas.get());
  ASSERT_TRUE(PatBlt(target.Dc(), 0, 0, 8, 6, BLACKNESS));
  box.DrawStretched(target.Dc(), 1, 1, kWidth, kHeight);
  const std::uint32_t* pixels = target.Pixels();
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      SCOPED_TRACE(testing::Message() << "x " << x << " y " << y);
      EXPECT_EQ(pixels[(y + 1) * 8 + x + 1], kImage[y * kWidth + x]);
    }
  }
  EXPECT_EQ(pixels[0], 0u) << "outside the rectangle nothing is drawn";

  ASSERT_TRUE(PatBlt(box.Dc(), 0, 0, kWidth, kHeight, WHITENESS));
  box.DrawStretched(target.Dc(), 4, 3, 4, 3);
  pixels = target.Pixels();
  for (int y = 3; y < 6; ++y) {
    for (int x = 4; x < 8; ++x) {
      SCOPED_TRACE(testing::Message() << "x " << x << " y " << y);
      EXPECT_EQ(pixels[y * 8 + x], 0xFFFFFFu);
    }
  }
  EXPECT_EQ(pixels[5 * 8 + 3], 0u);
}

// The screen-copy key leaves a bitmap on the clipboard with no owner window.
TEST(PictureBoxTest, HoldsTheClipboardBitmap) {
  const UniqueHbitmap source = MakeSource(24);
  {
    const ClipboardScope clipboard(nullptr);
    ASSERT_TRUE(EmptyClipboard());
    // The clipboard takes ownership of its copy.
    const HBITMAP copy = static_cast<HBITMAP>(CopyImage(source.get(), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(SetClipboardData(CF_BITMAP, copy), nullptr);
  }
  PictureBox box;
  {
    const ClipboardScope clipboard(nullptr);
    ASSERT_TRUE(box.HoldClipboardBitmap(clipboard));
  }
  EXPECT_EQ(Held(box), kImage);

  {
    const ClipboardScope clipboard(nullptr);
    ASSERT_TRUE(EmptyClipboard());
    UniqueHglobal text(GlobalAlloc(GMEM_MOVEABLE, 4 * sizeof(wchar_t)));
    ASSERT_TRUE(text);
    {
      const GlobalLockScope lock(text.get());
      std::memcpy(lock.data(), L"abc", 4 * sizeof(wchar_t));
    }
    ASSERT_NE(SetClipboardData(CF_UNICODETEXT, text.get()), nullptr);
    text.release();  // the clipboard owns it now
  }
  {
    const ClipboardScope clipboard(nullptr);
    EXPECT_FALSE(box.HoldClipboardBitmap(clipboard));
  }
  EXPECT_FALSE(box.Holds()) << "no bitmap offered: nothing held";
}

}  // namespace
}  // namespace vistrane
