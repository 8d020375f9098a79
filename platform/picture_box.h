#pragma once
// The capture picture: one image held as a 32-bit top-down DIB section
// selected into its own memory DC, so GDI can draw on it (Dc()) and code can
// read and change its pixels (Pixels()) without copies. Empty between
// captures: Release() gives all image memory back.
#include <windows.h>

#include <cstdint>
#include <utility>

#include "platform/unique_handle.h"

namespace vistrane {

class PictureBox {
 public:
  PictureBox() = default;
  ~PictureBox() { Release(); }
  PictureBox(const PictureBox&) = delete;
  PictureBox& operator=(const PictureBox&) = delete;
  // A move hands the image over without copying it; the source is empty.
  PictureBox(PictureBox&& other) noexcept { *this = std::move(other); }
  PictureBox& operator=(PictureBox&& other) noexcept;

  // Copies a bitmap of any colour depth (DDB or DIB section, not selected
  // into a DC) and holds the copy instead of the previous image. Throws
  // Win32Error and keeps the previous image when the copy fails.
  void HoldBitmap(HBITMAP source);

  // Holds a copy of the bitmap (CF_BITMAP) on the clipboard the caller has
  // open. When the clipboard offers none it returns false and holds nothing.
  // Throws Win32Error when the bitmap cannot be copied.
  bool HoldClipboardBitmap(const ClipboardScope& open);

  void Release() noexcept;
  bool Holds() const noexcept { return static_cast<bool>(dc_); }

  int PixelWidth() const noexcept { return width_; }
  int PixelHeight() const noexcept { return height_; }

  // The memory DC with the image selected; null when empty. Drawing on the
  // DC changes the image.
  HDC Dc() const noexcept { return dc_.get(); }

  // Top-down rows of PixelWidth() pixels, 0x00RRGGBB each (bytes B, G, R, 0),
  // no padding between rows; null when empty. GDI drawing still queued on
  // Dc() is finished first. Writing them changes the image.
  const std::uint32_t* Pixels() const noexcept;
  std::uint32_t* Pixels() noexcept;

  // Draws the whole image into the rectangle, smoothed (HALFTONE). Draws
  // nothing when empty; throws Win32Error when the target refuses it.
  void DrawStretched(HDC target, int x, int y, int width, int height) const;

 private:
  // Members in this order: the DC is deleted before the bitmap it holds.
  UniqueHbitmap bitmap_;
  UniqueHdc dc_;
  HGDIOBJ originalBitmap_ = nullptr;  // the DC's own 1x1 bitmap, put back before deletion
  std::uint32_t* pixels_ = nullptr;   // owned by bitmap_
  int width_ = 0;
  int height_ = 0;
};

}  // namespace vistrane
