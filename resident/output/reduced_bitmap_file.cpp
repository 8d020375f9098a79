#include "resident/output/reduced_bitmap_file.h"

#include "resident/output/bmp_file.h"
#include "resident/output/reduce_colors.h"
#include "shared/errors.h"

namespace vistrane {

std::vector<std::uint8_t> ReducedBitmapFileHeaders(const Common& common) {
  const ReducedDib dib = ReducedDibOf(common);
  if (common.DibSize <= 0 || static_cast<std::size_t>(common.DibSize) != common.DibBits.size() ||
      dib.header.biSizeImage != static_cast<std::uint32_t>(common.DibSize) ||
      dib.header.biBitCount != ReducedBitCount(common.ColorMode)) {
    throw OutputError(
        L"色数を減らした画像がないため、ビットマップファイルを保存できませんでした。");
  }
  // The reduction keeps DibSize small enough for the file size to fit 31 bits.
  return BmpFileHeaders(dib.header, dib.colours);
}

}  // namespace vistrane
