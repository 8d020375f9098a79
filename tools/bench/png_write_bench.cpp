// Times the PNG writer on a screenshot, as a capture writes it: the full-colour
// PNG from 32-bit screen rows, or the colour reduction followed by the indexed
// PNG of its rows, into a new file each time, as a capture writes it.
//   png_write_bench <screenshot.bmp (24-bit)> <output.png> [colours: 0 = full, 256, 16, 2] [runs]
// Prints the minimum and the median of the runs in milliseconds (for a reduced
// PNG the reduction and the writing apart) and the file's size.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "resident/output/png_file.h"
#include "resident/output/reduce_colors.h"
#include "tools/bench/run_times.h"
#include "tools/bench/screenshot_file.h"
#include "tools/bench/stdio_sink.h"

namespace {

void Print(const char* what, const vistrane::bench::RunTimes& times) {
  std::printf("  %s: min %.2f ms, median %.2f ms (%d runs)\n", what, times.Min(), times.Median(),
              times.Runs());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: png_write_bench <screenshot.bmp> <output.png> [0|256|16|2] [runs]\n");
    return 2;
  }
  const int colours = argc > 3 ? std::atoi(argv[3]) : 0;
  const int runs = vistrane::bench::RunsArgument(argc, argv, 4, 10);
  vistrane::bench::Screenshot shot =
      vistrane::bench::LoadScreenshotOrExit("png_write_bench", argv[1]);
  const int width = shot.width;
  const int height = shot.height;

  vistrane::bench::RunTimes reduce;
  vistrane::bench::RunTimes write;
  if (colours == 0) {
    for (int i = 0; i < runs; ++i) {
      std::remove(argv[2]);
      write.Measure([&] {
        vistrane::bench::WriteFileOrExit(argv[2], [&](vistrane::ByteSink& sink) {
          vistrane::WritePng24(shot.pixels.data(), width, height, std::ptrdiff_t{width} * 4, sink);
        });
      });
    }
  } else {
    const std::int16_t colorMode = colours == 256 ? 2 : colours == 16 ? 3 : 4;
    const vistrane::Picture picture{shot.pixels.data(), width, height};
    vistrane::ReducedImage reduced;
    for (int i = 0; i < runs; ++i) {
      reduce.Measure([&] { reduced = vistrane::ReduceColors(picture, colorMode); });
      std::remove(argv[2]);
      write.Measure([&] {
        vistrane::bench::WriteFileOrExit(
            argv[2], [&](vistrane::ByteSink& sink) { vistrane::WriteReducedPng(reduced, sink); });
      });
    }
  }
  std::FILE* written = std::fopen(argv[2], "rb");
  std::fseek(written, 0, SEEK_END);
  const long bytes = std::ftell(written);
  std::fclose(written);

  std::printf("%dx%d, %s: %ld bytes\n", width, height, colours == 0 ? "full colour" : "reduced",
              bytes);
  if (colours != 0) Print("reduce colours", reduce);
  Print("write PNG", write);
  return 0;
}
