#include "platform/picture_box.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/top_down_dib.h"
#include "platform/win32_error.h"

namespace vistrane {
namespace {

constexpr std::uint32_t kColourBits = 0x00FFFFFF;

std::size_t PixelCount(int width, int height) {
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

}  // namespace

void PictureBox::HoldBitmap(HBITMAP source) {
  BITMAP sourceInfo{};
  if (source == nullptr || GetObjectW(source, sizeof(sourceInfo), &sourceInfo) == 0) {
    throw Win32Error(ERROR_INVALID_HANDLE, L"GetObjectW(HBITMAP)");
  }
  const int width = sourceInfo.bmWidth;
  const int height = std::abs(sourceInfo.bmHeight);
  if (width <= 0 || height <= 0) throw Win32Error(ERROR_INVALID_DATA, L"GetObjectW(HBITMAP)");

  UniqueHdc dc(CreateCompatibleDC(nullptr));
  if (!dc) ThrowLastError(L"CreateCompatibleDC");
  BITMAPINFO info = TopDown32BitInfo(width, height);
  void* bits = nullptr;
  UniqueHbitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) ThrowLastError(L"CreateDIBSection");

  // GetDIBits converts from any depth (palettes and bit fields included)
  // straight into the section's memory.
  if (GetDIBits(dc.get(), source, 0, static_cast<UINT>(height), bits, &info, DIB_RGB_COLORS) !=
      height) {
    ThrowLastError(L"GetDIBits");
  }
  // The fourth byte is undefined for 32-bit BI_RGB (often alpha from the
  // source): zero it so every reader sees the same values.
  auto* pixels = static_cast<std::uint32_t*>(bits);
  std::for_each(pixels, pixels + PixelCount(width, height),
                [](std::uint32_t& pixel) { pixel &= kColourBits; });

  const HGDIOBJ original = SelectObject(dc.get(), bitmap.get());
  if (original == nullptr || original == HGDI_ERROR) ThrowLastError(L"SelectObject");

  Release();
  bitmap_ = std::move(bitmap);
  dc_ = std::move(dc);
  originalBitmap_ = original;
  pixels_ = pixels;
  width_ = width;
  height_ = height;
}

bool PictureBox::HoldClipboardBitmap(const ClipboardScope&) {
  const auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  if (bitmap == nullptr) {
    Release();
    return false;
  }
  HoldBitmap(bitmap);
  return true;
}

PictureBox& PictureBox::operator=(PictureBox&& other) noexcept {
  if (this == &other) return *this;
  Release();
  bitmap_ = std::move(other.bitmap_);
  dc_ = std::move(other.dc_);
  originalBitmap_ = std::exchange(other.originalBitmap_, nullptr);
  pixels_ = std::exchange(other.pixels_, nullptr);
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  return *this;
}

void PictureBox::Release() noexcept {
  if (dc_ && originalBitmap_ != nullptr) SelectObject(dc_.get(), originalBitmap_);
  dc_.reset();
  bitmap_.reset();
  originalBitmap_ = nullptr;
  pixels_ = nullptr;
  width_ = 0;
  height_ = 0;
}

const std::uint32_t* PictureBox::Pixels() const noexcept {
  GdiFlush();
  return pixels_;
}

std::uint32_t* PictureBox::Pixels() noexcept {
  GdiFlush();
  return pixels_;
}

void PictureBox::DrawStretched(HDC target, int x, int y, int width, int height) const {
  if (pixels_ == nullptr) return;
  GdiFlush();
  const BITMAPINFO info = TopDown32BitInfo(width_, height_);
  const int previousMode = SetStretchBltMode(target, HALFTONE);
  // HALFTONE needs the brush origin reset after the mode is set.
  POINT previousOrigin{};
  SetBrushOrgEx(target, 0, 0, &previousOrigin);
  const int lines = StretchDIBits(target, x, y, width, height, 0, 0, width_, height_, pixels_,
                                  &info, DIB_RGB_COLORS, SRCCOPY);
  const DWORD code = GetLastError();
  SetBrushOrgEx(target, previousOrigin.x, previousOrigin.y, nullptr);
  if (previousMode != 0) SetStretchBltMode(target, previousMode);
  // Mirrored output gives a negative count; only 0 means nothing was drawn.
  if (lines == 0) throw Win32Error(code, L"StretchDIBits");
}

}  // namespace vistrane
