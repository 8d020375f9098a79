#include "tools/bench/screenshot_file.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "resident/output/bmp_file.h"
#include "shared/little_endian.h"

namespace vistrane::bench {
namespace {

bool LoadAs32Bit(const char* path, std::vector<std::uint32_t>& pixels, int& width, int& height) {
  // In one read: byte by byte through a stream iterator took longer than
  // the colour reduction it feeds.
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  std::vector<std::uint8_t> file(in ? static_cast<std::size_t>(in.tellg()) : 0);
  in.seekg(0);
  in.read(reinterpret_cast<char*>(file.data()), static_cast<std::streamsize>(file.size()));
  if (!in) return false;
  if (file.size() < 54 || file[0] != 'B' || file[1] != 'M' || GetU16(&file[28]) != 24) {
    return false;
  }
  const std::uint32_t offset = GetU32(&file[10]);
  width = static_cast<int>(GetU32(&file[18]));
  const auto rawHeight = static_cast<std::int32_t>(GetU32(&file[22]));
  height = rawHeight < 0 ? -rawHeight : rawHeight;
  const std::size_t rowBytes = DibRowBytes(width, 24);
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

}  // namespace

Screenshot LoadScreenshotOrExit(const char* tool, const char* path) {
  Screenshot shot;
  if (!LoadAs32Bit(path, shot.pixels, shot.width, shot.height)) {
    std::fprintf(stderr, "%s: %s is not a 24-bit bitmap file\n", tool, path);
    std::exit(1);
  }
  return shot;
}

}  // namespace vistrane::bench
