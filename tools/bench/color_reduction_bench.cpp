// Times the colour reduction on a screenshot and measures how close the
// reduced picture stays to it, for each reduced depth.
//   color_reduction_bench <screenshot.bmp (24-bit)> [runs] [output prefix]
// Prints, per depth, the minimum and median time of ReduceColors (palette
// choice, pixel mapping and packing) and the PSNR of the reduced picture
// against the screenshot over the three channels, as ImageMagick's
// `compare -metric PSNR` computes it. With an output prefix it also writes
// the reduced bitmap files <prefix>256.bmp, <prefix>16.bmp and <prefix>2.bmp
// for a look at them.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "resident/output/bmp_file.h"
#include "resident/output/reduce_colors.h"
#include "tools/bench/run_times.h"
#include "tools/bench/screenshot_file.h"

namespace {

double Psnr(const vistrane::bench::Screenshot& shot, const vistrane::ReducedImage& reduced) {
  const int width = shot.width;
  const int height = shot.height;
  const int bits = reduced.header.biBitCount;
  const std::size_t rowBytes = vistrane::DibRowBytes(width, bits);
  double error = 0;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = reduced.rows.data() + (height - 1 - y) * rowBytes;
    for (int x = 0; x < width; ++x) {
      const int bit = x * bits;
      const int index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
      const vistrane::DibColour& c = reduced.colours[static_cast<std::size_t>(index)];
      const std::uint32_t p = shot.pixels[static_cast<std::size_t>(y) * width + x];
      const double dr = c.rgbRed - static_cast<int>((p >> 16) & 0xFF);
      const double dg = c.rgbGreen - static_cast<int>((p >> 8) & 0xFF);
      const double db = c.rgbBlue - static_cast<int>(p & 0xFF);
      error += dr * dr + dg * dg + db * db;
    }
  }
  const double mse = error / (3.0 * width * height);
  return 10 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: color_reduction_bench <screenshot.bmp> [runs]\n");
    return 2;
  }
  const int runs = vistrane::bench::RunsArgument(argc, argv, 2, 10);
  vistrane::bench::Screenshot shot =
      vistrane::bench::LoadScreenshotOrExit("color_reduction_bench", argv[1]);
  for (const std::int16_t colorMode : {2, 3, 4}) {
    // The reduction only reads the picture; drawing it back is not timed.
    const vistrane::Picture picture{shot.pixels.data(), shot.width, shot.height};
    vistrane::ReducedImage reduced;
    vistrane::bench::RunTimes times;
    for (int i = 0; i < runs; ++i) {
      times.Measure([&] { reduced = vistrane::ReduceColors(picture, colorMode); });
    }
    if (argc > 3) {
      const auto headers = vistrane::BmpFileHeaders(reduced.header, reduced.colours);
      std::ofstream out(
          std::string(argv[3]) + std::to_string(1 << vistrane::ReducedBitCount(colorMode)) + ".bmp",
          std::ios::binary);
      out.write(reinterpret_cast<const char*>(headers.data()),
                static_cast<std::streamsize>(headers.size()));
      out.write(reinterpret_cast<const char*>(reduced.rows.data()),
                static_cast<std::streamsize>(reduced.rows.size()));
    }
    std::printf("%dx%d: %3d colours: min %.1f ms, median %.1f ms (%d runs), PSNR %.2f dB\n",
                shot.width, shot.height, 1 << vistrane::ReducedBitCount(colorMode), times.Min(),
                times.Median(), runs, Psnr(shot, reduced));
  }
  return 0;
}
