#include "resident/output/reduced_bitmap_file.h"

#include "resident/output/bmp_file.h"
#include "resident/output/reduce_colors.h"

namespace vistrane {

std::vector<std::uint8_t> ReducedBitmapFileHeaders(const Common& common) {
  RequireReducedRows(common);
  const ReducedDib dib = ReducedDibOf(common);
  // The reduction keeps DibSize small enough for the file size to fit 31 bits.
  return BmpFileHeaders(dib.header, dib.colours);
}

}  // namespace vistrane
