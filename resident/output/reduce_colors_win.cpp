#include "resident/output/reduce_colors_win.h"

#include <cstddef>

#include "platform/win32_error.h"
#include "resident/output/reduce_colors.h"
#include "shared/errors.h"

namespace vistrane {

// The records are handed to GDI as they are.
static_assert(sizeof(DibHeader) == sizeof(BITMAPINFOHEADER));
static_assert(offsetof(BITMAPINFO, bmiColors) == sizeof(DibHeader));
static_assert(sizeof(DibColour) == sizeof(RGBQUAD));

void ReduceColors(PictureBox& Picture1, Common& common) {
  const int width = Picture1.PixelWidth();
  const int height = Picture1.PixelHeight();
  ReduceColors(Picture1.Pixels(), width, height, common);

  const ReducedDib dib = ReducedDibOf(common);
  SetLastError(0);
  const int lines = SetDIBitsToDevice(Picture1.Dc(), 0, 0, static_cast<DWORD>(width),
                                      static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height),
                                      common.DibBits.data(),
                                      reinterpret_cast<const BITMAPINFO*>(&dib.header), DIB_RGB_COLORS);
  if (lines != height) {
    throw OutputError(
        WithReason(L"色数を減らした画像を描けませんでした。", Win32ErrorText(GetLastError())));
  }
}

}  // namespace vistrane
