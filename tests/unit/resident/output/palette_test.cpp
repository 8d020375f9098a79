#include "resident/output/palette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <vector>

namespace vistrane {
namespace {

int Distance(std::uint32_t a, std::uint32_t b) {
  int d = 0;
  for (int shift : {0, 8, 16}) {
    const int c = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    d += c * c;
  }
  return d;
}

// Peak signal-to-noise ratio of the image mapped to the palette, over the
// three channels, in dB.
double MappedPsnr(const std::vector<std::uint32_t>& pixels, const std::vector<std::uint32_t>& palette) {
  NearestColour nearest(palette);
  double error = 0;
  for (std::uint32_t p : pixels) error += Distance(p, palette[nearest.IndexOf(p)]);
  const double mse = error / (3.0 * static_cast<double>(pixels.size()));
  return 10 * std::log10(255.0 * 255.0 / mse);
}

TEST(ChoosePalette, AnImageWithFewEnoughColoursKeepsExactlyItsOwn) {
  for (int maxColours : {1, 2, 16, 256}) {
    SCOPED_TRACE(testing::Message() << maxColours << " colours");
    std::vector<std::uint32_t> pixels;
    std::set<std::uint32_t> colours;
    for (int i = 0; i < maxColours * 5; ++i) {
      const auto colour = static_cast<std::uint32_t>((i % maxColours) * 0x010101) ^ 0x203040u;
      pixels.push_back(colour);
      colours.insert(colour);
    }
    const auto palette = ChoosePalette(pixels.data(), pixels.size(), maxColours);
    EXPECT_EQ(std::set<std::uint32_t>(palette.begin(), palette.end()), colours);
    EXPECT_EQ(palette.size(), colours.size());
  }
}

TEST(ChoosePalette, IgnoresTheFourthByte) {
  const std::uint32_t pixels[] = {0xFF000000, 0x00000000, 0x12FFFFFF};
  EXPECT_EQ(ChoosePalette(pixels, 3, 2), (std::vector<std::uint32_t>{0x000000, 0xFFFFFF}));
}

// A screen-like image with far more than 256 colours: a smooth two-way
// gradient, a white page with dark text-like strokes and a saturated bar.
std::vector<std::uint32_t> BusyImage(int width, int height) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint32_t c;
      if (x < width / 2) {
        c = static_cast<std::uint32_t>((x * 255 / width) << 16 | (y * 255 / height) << 8 | 0x80);
      } else if (y < height - 8) {
        c = (x * 7 + y * 3) % 11 == 0 ? 0x202020 : 0xFFFFFF;
      } else {
        c = 0x3D7BE0;
      }
      pixels.push_back(c);
    }
  }
  return pixels;
}

// A plain screen: bands of flat colours, some of them a few levels apart, and
// one pixel in sixteen of random colour: far more than 256 colours.
const std::uint32_t kPlainFlats[] = {0xFFFFFF, 0xFAFAFA, 0xE4E4E4, 0xE1E1E1, 0x2D5A88, 0x21262C};
std::vector<std::uint32_t> PlainImage(int width, int height) {
  std::mt19937 random(3);
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels.push_back((x + y) % 16 == 0 ? random() & 0xFFFFFF : kPlainFlats[y * 6 / height]);
    }
  }
  return pixels;
}

TEST(ChoosePalette, AdaptiveTablesStayCloseToTheImage) {
  const auto busy = BusyImage(512, 256);  // over 30,000 colours: the histogram's way
  const auto plain = PlainImage(128, 128);
  const std::vector<std::uint32_t> busyFlats = {0xFFFFFF, 0x3D7BE0};
  const std::vector<std::uint32_t> plainFlats(std::begin(kPlainFlats), std::end(kPlainFlats));
  struct Case {
    const std::vector<std::uint32_t>& pixels;
    int maxColours;
    double leastPsnr;
    // The flat colours that most of a screen is made of come through exactly.
    const std::vector<std::uint32_t>& flats;
  };
  // Each figure sits a little below what the quantiser reaches, so a real
  // loss of quality fails here.
  const std::vector<std::uint32_t> none;
  const Case cases[] = {{busy, 256, 41.0, busyFlats}, {busy, 16, 28.5, busyFlats},
                        {busy, 2, 15.5, none},        {plain, 256, 40.5, plainFlats}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (&c.pixels == &plain ? "plain, " : "busy, ") << c.maxColours
                                    << " colours");
    const auto palette = ChoosePalette(c.pixels.data(), c.pixels.size(), c.maxColours);
    ASSERT_LE(palette.size(), static_cast<std::size_t>(c.maxColours));
    EXPECT_EQ(std::set<std::uint32_t>(palette.begin(), palette.end()).size(), palette.size());
    EXPECT_GE(MappedPsnr(c.pixels, palette), c.leastPsnr);
    for (std::uint32_t flat : c.flats) {
      EXPECT_NE(std::find(palette.begin(), palette.end(), flat), palette.end()) << std::hex << flat;
    }
  }
}

TEST(ChoosePalette, DarkestEntryComesFirst) {
  const auto pixels = BusyImage(64, 64);
  for (int maxColours : {2, 16, 256}) {
    SCOPED_TRACE(maxColours);
    const auto palette = ChoosePalette(pixels.data(), pixels.size(), maxColours);
    auto luma = [](std::uint32_t c) {
      return 299 * ((c >> 16) & 0xFF) + 587 * ((c >> 8) & 0xFF) + 114 * (c & 0xFF);
    };
    for (std::size_t i = 1; i < palette.size(); ++i) EXPECT_LE(luma(palette[i - 1]), luma(palette[i]));
  }
}

TEST(NearestColour, FindsTheClosestEntryLikeAFullSearch) {
  std::mt19937 random(7);
  for (int size : {1, 2, 16, 256}) {
    SCOPED_TRACE(testing::Message() << size << " entries");
    std::vector<std::uint32_t> palette;
    for (int i = 0; i < size; ++i) palette.push_back(random() & 0xFFFFFF);
    NearestColour nearest(palette);
    for (int i = 0; i < 3000; ++i) {
      const std::uint32_t colour = random() & 0xFFFFFF;
      int best = 1 << 30;
      for (std::uint32_t entry : palette) best = std::min(best, Distance(colour, entry));
      const std::uint8_t found = nearest.IndexOf(colour);
      ASSERT_LT(found, palette.size());
      ASSERT_EQ(Distance(colour, palette[found]), best) << std::hex << colour;
      ASSERT_EQ(nearest.IndexOf(colour), found) << "a remembered answer";
    }
  }
}

}  // namespace
}  // namespace vistrane
