// Times the PNG writer on a screenshot, as a capture writes it: the full-colour
// PNG from 32-bit screen rows, or the colour reduction followed by the indexed
// PNG of its rows.
//   png_write_bench <screenshot.bmp (24-bit)> <output.png> [colours: 0 = full, 256, 16, 2] [runs]
// Prints the minimum and the median of the runs in milliseconds (for a reduced
// PNG the reduction and the writing apart) and the file's size.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "resident/output/png_file.h"
#include "resident/output/reduce_colors.h"
#include "tools/bench/screenshot_file.h"
#include "tools/bench/stdio_sink.h"

namespace {

struct Times {
  std::vector<double> ms;
  void Measure(const std::function<void()>& step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  void Print(const char* what) {
    std::sort(ms.begin(), ms.end());
    std::printf("  %s: min %.2f ms, median %.2f ms (%zu runs)\n", what, ms.front(),
                ms[ms.size() / 2], ms.size());
  }
};

void WriteFile(const char* path, const std::function<void(vistrane::ByteSink&)>& write) {
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) std::exit(1);
  vistrane::bench::StdioSink sink(out);
  write(sink);
  if (std::fclose(out) != 0) std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: png_write_bench <screenshot.bmp> <output.png> [0|256|16|2] [runs]\n");
    return 2;
  }
  const int colours = argc > 3 ? std::atoi(argv[3]) : 0;
  const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 10;
  std::vector<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
  if (!vistrane::bench::LoadAs32Bit(argv[1], pixels, width, height)) {
    std::fprintf(stderr, "png_write_bench: %s is not a 24-bit bitmap file\n", argv[1]);
    return 1;
  }

  Times reduce;
  Times write;
  if (colours == 0) {
    for (int i = 0; i < runs; ++i) {
      write.Measure([&] {
        WriteFile(argv[2], [&](vistrane::ByteSink& sink) {
          vistrane::WritePng24(pixels.data(), width, height, std::ptrdiff_t{width} * 4, sink);
        });
      });
    }
  } else {
    vistrane::Common common;
    common.ColorMode = colours == 256 ? 2 : colours == 16 ? 3 : 4;
    for (int i = 0; i < runs; ++i) {
      reduce.Measure([&] { vistrane::ReduceColors(pixels.data(), width, height, common); });
      write.Measure([&] {
        WriteFile(argv[2],
                  [&](vistrane::ByteSink& sink) { vistrane::WriteReducedPng(common, sink); });
      });
    }
  }
  std::FILE* written = std::fopen(argv[2], "rb");
  std::fseek(written, 0, SEEK_END);
  const long bytes = std::ftell(written);
  std::fclose(written);

  std::printf("%dx%d, %s: %ld bytes\n", width, height, colours == 0 ? "full colour" : "reduced",
              bytes);
  if (colours != 0) reduce.Print("reduce colours");
  write.Print("write PNG");
  return 0;
}
