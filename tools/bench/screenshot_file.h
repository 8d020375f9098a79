#pragma once
// Loading the benchmark screenshots (24-bit bitmap files) as the picture box
// holds a capture: top-down rows of 0x00RRGGBB pixels.
#include <cstdint>
#include <vector>

namespace vistrane::bench {

struct Screenshot {
  std::vector<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
};

// The screenshot a benchmark was given; when it is not a 24-bit bitmap file,
// `tool` says so and the program ends with exit code 1.
Screenshot LoadScreenshotOrExit(const char* tool, const char* path);

}  // namespace vistrane::bench
