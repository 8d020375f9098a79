#include "tests/unit/mailsend/unlha32/sample_data.h"

#include <cmath>

#include "resident/output/bmp_file.h"

namespace vistrane::testing_lhasa {
namespace {

class Lcg {
 public:
  explicit Lcg(std::uint32_t seed) : state_(seed) {}
  std::uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }

 private:
  std::uint32_t state_;
};

}  // namespace

std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed, unsigned alphabet) {
  Lcg random(seed);
  std::vector<std::uint8_t> bytes(size);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random.Next() % alphabet);
  return bytes;
}

std::vector<std::uint8_t> ScreenshotBmp(int width, int height) {
  const std::size_t row = DibRowBytes(width, 24);
  const auto rows = static_cast<std::uint32_t>(row * height);
  std::vector<std::uint8_t> file = BmpFileHeaders(BottomUpDibHeader(width, height, 24, rows), {});
  file.resize(file.size() + rows);

  // Eight glyphs of 6 x 9 pixels, text set from them in rows.
  Lcg random(7);
  std::vector<std::uint64_t> glyphs(8);
  for (auto& glyph : glyphs)
    glyph = (static_cast<std::uint64_t>(random.Next()) << 32 | random.Next()) & 0x3FFFFFFFFFFFFF;
  std::vector<int> text(4096);
  for (int& g : text) g = static_cast<int>(random.Next() % 10);  // 8, 9: space

  const int window_left = width / 8;
  const int window_right = width / 2;
  const int photo_left = width * 5 / 8;
  const int photo_right = width * 15 / 16;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* pixel = file.data() + 54 + row * static_cast<std::size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x, pixel += 3) {
      int r = 40 + 120 * y / height;
      int g = 70 + 90 * y / height;
      int b = 140 + 100 * x / width;
      const int noise = static_cast<int>(random.Next() % 3);
      r += noise;
      b -= noise;
      if (x >= window_left && x < window_right && y >= height / 10 && y < height * 9 / 10) {
        r = g = b = 250;
        const int line = (y - height / 10) / 14;
        const int gy = (y - height / 10) % 14;
        const int column = (x - window_left) / 7;
        const int gx = (x - window_left) % 7;
        const int glyph = text[(line * 97 + column) % text.size()];
        if (gy < 9 && gx < 6 && glyph < 8 && (glyphs[glyph] >> (gy * 6 + gx) & 1) != 0)
          r = g = b = 30;
      } else if (x >= photo_left && x < photo_right && y >= height / 5 && y < height * 3 / 5) {
        const double u = x * 0.013;
        const double v = y * 0.017;
        r = static_cast<int>(128 + 60 * std::sin(u) + 40 * std::cos(v * 1.3)) + noise * 4;
        g = static_cast<int>(110 + 50 * std::sin(u + v)) + noise * 3;
        b = static_cast<int>(90 + 70 * std::cos(u * 0.7 - v)) + noise * 5;
      }
      pixel[0] = static_cast<std::uint8_t>(b < 0 ? 0 : b > 255 ? 255 : b);
      pixel[1] = static_cast<std::uint8_t>(g < 0 ? 0 : g > 255 ? 255 : g);
      pixel[2] = static_cast<std::uint8_t>(r < 0 ? 0 : r > 255 ? 255 : r);
    }
  }
  return file;
}

}  // namespace vistrane::testing_lhasa
