#include "resident/output/palette.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <stdexcept>
#include <utility>

#include "resident/output/colour_clusters.h"

namespace vistrane {
namespace {

int Red(std::uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
int Green(std::uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(std::uint32_t c) { return static_cast<int>(c & 0xFF); }

std::uint32_t Colour(int r, int g, int b) {
  return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 |
         static_cast<std::uint32_t>(b);
}

int Luma(std::uint32_t c) { return 299 * Red(c) + 587 * Green(c) + 114 * Blue(c); }

void SortDarkestFirst(std::vector<std::uint32_t>& palette) {
  std::sort(palette.begin(), palette.end(), [](std::uint32_t a, std::uint32_t b) {
    const int la = Luma(a);
    const int lb = Luma(b);
    return la != lb ? la < lb : a < b;
  });
}

// The image's colours with their pixel counts, up to `limit` colours.
// Counting stops at the first colour too many, which on a busy screen comes
// early; `counted` pixels from the first are in `colours`.
struct ColourCounts {
  std::vector<WeightedColour> colours;
  std::size_t counted;
};
ColourCounts CountColours(const std::uint32_t* pixels, std::size_t count, std::size_t limit) {
  std::size_t slots = 4;  // at least four slots a colour: short probes
  while (slots < 4 * limit) slots *= 2;
  const int shift = 64 - std::countr_zero(slots);
  constexpr std::uint32_t kUsed = 0x01000000;
  std::vector<std::uint32_t> keys(slots);  // colour | kUsed, 0 when empty
  std::vector<std::uint32_t> at(slots);    // the colour's place in `colours`
  std::vector<WeightedColour> colours;
  std::uint32_t previous = kUsed;  // no colour
  WeightedColour* same = nullptr;  // the entry of `previous`
  std::size_t i = 0;
  for (; i < count; ++i) {
    const std::uint32_t colour = pixels[i] & 0xFFFFFF;
    if (colour != previous) {
      previous = colour;
      std::size_t slot = static_cast<std::size_t>((colour * 0x9E3779B97F4A7C15ull) >> shift);
      while (keys[slot] != 0 && keys[slot] != (colour | kUsed)) slot = (slot + 1) & (slots - 1);
      if (keys[slot] == 0) {
        if (colours.size() == limit) break;
        keys[slot] = colour | kUsed;
        at[slot] = static_cast<std::uint32_t>(colours.size());
        colours.push_back({colour, 0, 0, 0, 0});
      }
      same = &colours[at[slot]];
    }
    same->w += 1;
  }
  for (WeightedColour& c : colours) {
    c.r = c.w * Red(c.colour);
    c.g = c.w * Green(c.colour);
    c.b = c.w * Blue(c.colour);
  }
  return {std::move(colours), i};
}

// Wu's quantiser: cumulative moments of a 32-level-per-channel histogram let
// the weight, colour sums and squared sums of any box be read in 8 lookups,
// so each split tries every cut in every direction exactly.
class WuQuantiser {
 public:
  static constexpr int kSide = 33;  // 32 levels and a zero border

  // The histogram of colours already counted and of the pixels after them.
  WuQuantiser(const std::vector<WeightedColour>& colours, const std::uint32_t* pixels,
              std::size_t count)
      : w_(kCells), r_(kCells), g_(kCells), b_(kCells), m2_(kCells) {
    for (const WeightedColour& c : colours) Add(c.colour, c.w);
    for (std::size_t i = 0; i < count; ++i) Add(pixels[i], 1);
  }

  // The occupied cells, each standing for its pixels at their mean, before
  // the sums are made cumulative.
  std::vector<WeightedColour> Cells() const {
    std::vector<WeightedColour> cells;
    for (int at = 0; at < kCells; ++at) {
      const std::int64_t w = w_[at];
      if (w == 0) continue;
      cells.push_back({Colour(MeanOf(r_[at], w), MeanOf(g_[at], w), MeanOf(b_[at], w)), w, r_[at],
                       g_[at], b_[at]});
    }
    return cells;
  }

  std::vector<std::uint32_t> Palette(int maxColours) {
    Accumulate();
    std::vector<Box> boxes{Box{{0, 0, 0}, {kSide - 1, kSide - 1, kSide - 1}}};
    std::vector<double> variance{Variance(boxes[0])};
    while (static_cast<int>(boxes.size()) < maxColours) {
      const auto worst = std::max_element(variance.begin(), variance.end());
      if (*worst <= 0) break;
      const std::size_t at = static_cast<std::size_t>(worst - variance.begin());
      std::optional<Box> upper = Split(boxes[at]);
      if (!upper) {
        *worst = 0;  // a single cell: nothing to cut
        continue;
      }
      boxes.push_back(*upper);
      variance[at] = Variance(boxes[at]);
      variance.push_back(Variance(boxes.back()));
    }
    std::vector<std::uint32_t> palette;
    for (const Box& box : boxes) {
      const Sums s = Volume(box);
      if (s.w > 0) palette.push_back(Colour(MeanOf(s.r, s.w), MeanOf(s.g, s.w), MeanOf(s.b, s.w)));
    }
    return palette;
  }

 private:
  static constexpr int kCells = kSide * kSide * kSide;
  static int Index(int r, int g, int b) { return (r * kSide + g) * kSide + b; }

  void Add(std::uint32_t c, std::int64_t weight) {
    const int red = Red(c), green = Green(c), blue = Blue(c);
    const int at = Index((red >> 3) + 1, (green >> 3) + 1, (blue >> 3) + 1);
    w_[at] += weight;
    r_[at] += weight * red;
    g_[at] += weight * green;
    b_[at] += weight * blue;
    m2_[at] += static_cast<double>(weight) * (red * red + green * green + blue * blue);
  }

  // Lower corner exclusive, upper corner inclusive, per channel (r, g, b).
  struct Box {
    std::array<int, 3> lo, hi;
  };
  struct Sums {
    std::int64_t w = 0, r = 0, g = 0, b = 0;
    double m2 = 0;
  };

  template <typename T>
  static void Accumulate(std::vector<T>& m) {
    const int strides[3] = {kSide * kSide, kSide, 1};
    for (const int stride : strides) {
      for (int at = 0; at < kCells; ++at) {
        if ((at / stride) % kSide != 0) m[at] += m[at - stride];
      }
    }
  }
  void Accumulate() {
    Accumulate(w_);
    Accumulate(r_);
    Accumulate(g_);
    Accumulate(b_);
    Accumulate(m2_);
  }

  template <typename T>
  static T Volume(const std::vector<T>& m, const Box& x) {
    const auto& [r0, g0, b0] = x.lo;
    const auto& [r1, g1, b1] = x.hi;
    return m[Index(r1, g1, b1)] - m[Index(r1, g1, b0)] - m[Index(r1, g0, b1)] +
           m[Index(r1, g0, b0)] - m[Index(r0, g1, b1)] + m[Index(r0, g1, b0)] +
           m[Index(r0, g0, b1)] - m[Index(r0, g0, b0)];
  }
  Sums Volume(const Box& x) const {
    return {Volume(w_, x), Volume(r_, x), Volume(g_, x), Volume(b_, x), Volume(m2_, x)};
  }

  static double SquaredSum(const Sums& s) {
    return static_cast<double>(s.r) * s.r + static_cast<double>(s.g) * s.g +
           static_cast<double>(s.b) * s.b;
  }

  double Variance(const Box& x) const {
    const Sums s = Volume(x);
    return s.w == 0 ? 0 : s.m2 - SquaredSum(s) / static_cast<double>(s.w);
  }

  // Cuts the box where the two halves' total squared error is least (their
  // sums of squared means greatest); the box keeps the lower half and the
  // upper half is returned. None when no cut leaves colours on both sides.
  std::optional<Box> Split(Box& box) const {
    const Sums whole = Volume(box);
    double best = -1;
    int bestAxis = 0, bestCut = 0;
    for (int axis = 0; axis < 3; ++axis) {
      for (int cut = box.lo[axis] + 1; cut < box.hi[axis]; ++cut) {
        Box lower = box;
        lower.hi[axis] = cut;
        const Sums l = Volume(lower);
        const Sums u{whole.w - l.w, whole.r - l.r, whole.g - l.g, whole.b - l.b, 0};
        if (l.w == 0 || u.w == 0) continue;
        const double score = SquaredSum(l) / static_cast<double>(l.w) +
                             SquaredSum(u) / static_cast<double>(u.w);
        if (score > best) {
          best = score;
          bestAxis = axis;
          bestCut = cut;
        }
      }
    }
    if (best < 0) return std::nullopt;
    Box upper = box;
    upper.lo[bestAxis] = bestCut;
    box.hi[bestAxis] = bestCut;
    return upper;
  }

  std::vector<std::int64_t> w_, r_, g_, b_;
  std::vector<double> m2_;
};

// Plain screens (windows and text, coloured text edges included, no photo)
// have up to some ten thousand colours: few enough to cluster exactly, so no
// flat colour is moved or merged with its neighbour. Busy screens go through
// the coarse histogram instead.
constexpr std::size_t kMostCountedColours = 16384;

}  // namespace

std::vector<std::uint32_t> ChoosePalette(const std::uint32_t* pixels, std::size_t count,
                                         int maxColours) {
  if (maxColours < 1 || maxColours > 256) {
    throw std::invalid_argument("ChoosePalette: a table holds 1 to 256 colours");
  }
  std::vector<std::uint32_t> palette;
  ColourCounts counts = CountColours(pixels, count, kMostCountedColours);
  if (counts.counted < count) {
    WuQuantiser wu(counts.colours, pixels + counts.counted, count - counts.counted);
    const auto cells = wu.Cells();
    palette = wu.Palette(maxColours);
    MoveToMeans(palette, cells);
  } else if (counts.colours.size() <= static_cast<std::size_t>(maxColours)) {
    for (const WeightedColour& c : counts.colours) palette.push_back(c.colour);
  } else {
    palette = SplitByVariance(counts.colours, maxColours);
    MoveToMeans(palette, counts.colours);
  }
  // Two entries can meet at one mean; keep the table free of repeats.
  std::sort(palette.begin(), palette.end());
  palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
  SortDarkestFirst(palette);
  return palette;
}

namespace {
constexpr std::size_t kCacheSlots = std::size_t{1} << 16;
constexpr std::uint32_t kCached = 0x01000000;
}  // namespace

NearestColour::NearestColour(const std::vector<std::uint32_t>& palette)
    : cachedColour_(kCacheSlots), cachedIndex_(kCacheSlots) {
  if (palette.empty() || palette.size() > 256) {
    throw std::invalid_argument("NearestColour: a table holds 1 to 256 colours");
  }
  for (std::size_t i = 0; i < palette.size(); ++i) {
    byGreen_.push_back({Red(palette[i]), Green(palette[i]), Blue(palette[i]),
                        static_cast<std::uint8_t>(i)});
  }
  std::sort(byGreen_.begin(), byGreen_.end(),
            [](const Entry& a, const Entry& b) { return a.g < b.g; });
}

std::uint8_t NearestColour::IndexOf(std::uint32_t colour) {
  colour &= 0xFFFFFF;
  const std::size_t slot = (colour * 2654435761u) >> 16;
  if (cachedColour_[slot] != (colour | kCached)) {
    cachedColour_[slot] = colour | kCached;
    cachedIndex_[slot] = Search(colour);
  }
  return cachedIndex_[slot];
}

// Walks outwards from the entries of the colour's own green; a side ends
// when its green difference alone exceeds the best distance found.
std::uint8_t NearestColour::Search(std::uint32_t colour) const {
  const int r = Red(colour), g = Green(colour), b = Blue(colour);
  const auto start = std::lower_bound(byGreen_.begin(), byGreen_.end(), g,
                                      [](const Entry& e, int green) { return e.g < green; });
  int best = 1 << 30;
  std::uint8_t bestIndex = 0;
  auto consider = [&](const Entry& e) {
    const int dr = e.r - r, dg = e.g - g, db = e.b - b;
    const int d = dr * dr + dg * dg + db * db;
    if (d < best) {
      best = d;
      bestIndex = e.index;
    }
  };
  auto up = start;
  auto down = start;
  bool upOpen = up != byGreen_.end();
  bool downOpen = down != byGreen_.begin();
  while (upOpen || downOpen) {
    if (upOpen) {
      const int dg = up->g - g;
      if (dg * dg >= best) {
        upOpen = false;
      } else {
        consider(*up);
        upOpen = ++up != byGreen_.end();
      }
    }
    if (downOpen) {
      const int dg = g - (down - 1)->g;
      if (dg * dg >= best) {
        downOpen = false;
      } else {
        consider(*--down);
        downOpen = down != byGreen_.begin();
      }
    }
  }
  return bestIndex;
}

}  // namespace vistrane
