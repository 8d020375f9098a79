// Times the full-colour bitmap writer on a screenshot: 32-bit screen rows in,
// a 24-bit bitmap file on disk out, as a capture writes it.
//   bmp_write_bench <screenshot.bmp (24-bit)> <output file> [runs]
// Prints the minimum and the median of the runs in milliseconds.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "resident/output/bmp_file.h"

namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

// The screenshot as a top-down 32-bit DIB section would hold it.
bool LoadAs32Bit(const char* path, std::vector<std::uint32_t>& pixels, int& width, int& height) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), {}};
  if (file.size() < 54 || file[0] != 'B' || file[1] != 'M' || (file[28] | (file[29] << 8)) != 24) {
    return false;
  }
  const std::uint32_t offset = U32(file, 10);
  width = static_cast<int>(U32(file, 18));
  const auto rawHeight = static_cast<std::int32_t>(U32(file, 22));
  height = rawHeight < 0 ? -rawHeight : rawHeight;
  const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  if (file.size() < offset + rowBytes * height) return false;
  pixels.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const int fileRow = rawHeight < 0 ? y : height - 1 - y;
    const std::uint8_t* src = file.data() + offset + rowBytes * fileRow;
    for (int x = 0; x < width; ++x, src += 3) {
      pixels[static_cast<std::size_t>(y) * width + x] = src[0] | (src[1] << 8) | (src[2] << 16);
    }
  }
  return true;
}

class StdioSink final : public vistrane::ByteSink {
 public:
  explicit StdioSink(std::FILE* file) : file_(file) {}
  void Write(const std::uint8_t* data, std::size_t size) override {
    if (std::fwrite(data, 1, size, file_) != size) std::abort();
  }

 private:
  std::FILE* file_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bmp_write_bench <screenshot.bmp> <output file> [runs]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::atoi(argv[3]) : 30;
  std::vector<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
  if (!LoadAs32Bit(argv[1], pixels, width, height)) {
    std::fprintf(stderr, "bmp_write_bench: %s is not a 24-bit bitmap file\n", argv[1]);
    return 1;
  }

  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    std::FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr) return 1;
    StdioSink sink(out);
    vistrane::WriteBmp24(pixels.data(), width, height, std::ptrdiff_t{width} * 4, sink);
    if (std::fclose(out) != 0) return 1;
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%dx%d: write 24-bit bitmap file: min %.2f ms, median %.2f ms (%d runs)\n", width,
              height, ms.front(), ms[ms.size() / 2], runs);
  return 0;
}
