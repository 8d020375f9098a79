// Times the full-colour bitmap writer on a screenshot: 32-bit screen rows in,
// a 24-bit bitmap file on disk out, as a capture writes it: a new file each
// time (the previous run's file is removed before the clock starts, so no run
// pays for truncating it).
//   bmp_write_bench <screenshot.bmp (24-bit)> <output file> [runs]
// Prints the minimum and the median of the runs in milliseconds, beside the
// floor: the finished file's bytes written in one piece, in turn with them.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "resident/output/bmp_file.h"
#include "tools/bench/run_times.h"
#include "tools/bench/screenshot_file.h"
#include "tools/bench/stdio_sink.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bmp_write_bench <screenshot.bmp> <output file> [runs]\n");
    return 2;
  }
  const int runs = vistrane::bench::RunsArgument(argc, argv, 3, 30);
  const vistrane::bench::Screenshot shot =
      vistrane::bench::LoadScreenshotOrExit("bmp_write_bench", argv[1]);

  // The floor: the same file's bytes, already made, in one write.
  const std::vector<std::uint8_t> file = vistrane::EncodeBmp24(
      shot.pixels.data(), shot.width, shot.height, std::ptrdiff_t{shot.width} * 4);
  vistrane::bench::RunTimes times;
  vistrane::bench::RunTimes floor;
  for (int i = 0; i < runs; ++i) {
    std::remove(argv[2]);
    times.Measure([&] {
      vistrane::bench::WriteFileOrExit(argv[2], [&](vistrane::ByteSink& sink) {
        vistrane::WriteBmp24(shot.pixels.data(), shot.width, shot.height,
                             std::ptrdiff_t{shot.width} * 4, sink);
      });
    });
    std::remove(argv[2]);
    floor.Measure([&] {
      vistrane::bench::WriteFileOrExit(
          argv[2], [&](vistrane::ByteSink& sink) { sink.Write(file.data(), file.size()); });
    });
  }
  std::printf("%dx%d: write 24-bit bitmap file: min %.2f ms, median %.2f ms (%d runs); "
              "its bytes in one write: min %.2f ms, median %.2f ms\n",
              shot.width, shot.height, times.Min(), times.Median(), runs, floor.Min(),
              floor.Median());
  return 0;
}
