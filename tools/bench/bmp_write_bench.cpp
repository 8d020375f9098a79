// Times the full-colour bitmap writer on a screenshot: 32-bit screen rows in,
// a 24-bit bitmap file on disk out, as a capture writes it.
//   bmp_write_bench <screenshot.bmp (24-bit)> <output file> [runs]
// Prints the minimum and the median of the runs in milliseconds.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "resident/output/bmp_file.h"
#include "tools/bench/screenshot_file.h"
#include "tools/bench/stdio_sink.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bmp_write_bench <screenshot.bmp> <output file> [runs]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::atoi(argv[3]) : 30;
  std::vector<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
  if (!vistrane::bench::LoadAs32Bit(argv[1], pixels, width, height)) {
    std::fprintf(stderr, "bmp_write_bench: %s is not a 24-bit bitmap file\n", argv[1]);
    return 1;
  }

  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    std::FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr) return 1;
    vistrane::bench::StdioSink sink(out);
    vistrane::WriteBmp24(pixels.data(), width, height, std::ptrdiff_t{width} * 4, sink);
    if (std::fclose(out) != 0) return 1;
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%dx%d: write 24-bit bitmap file: min %.2f ms, median %.2f ms (%d runs)\n", width,
              height, ms.front(), ms[ms.size() / 2], runs);
  return 0;
}
