#include "resident/output/colour_clusters.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "resident/output/palette.h"

namespace vistrane {
namespace {

// Channel 0 is red, 1 green, 2 blue.
int Channel(std::uint32_t colour, int channel) {
  return static_cast<int>((colour >> (16 - 8 * channel)) & 0xFF);
}

struct Sums {
  std::int64_t w = 0, r = 0, g = 0, b = 0;
  void Add(const WeightedColour& c) { *this += Sums{c.w, c.r, c.g, c.b}; }
  Sums& operator+=(const Sums& s) {
    w += s.w;
    r += s.r;
    g += s.g;
    b += s.b;
    return *this;
  }
  // Sum of squared means times the weight: what a cut raises when it lowers
  // the error.
  double SquaredMeanMass() const {
    return (static_cast<double>(r) * r + static_cast<double>(g) * g + static_cast<double>(b) * b) /
           static_cast<double>(w);
  }
  std::uint32_t Mean() const {
    return static_cast<std::uint32_t>(MeanOf(r, w)) << 16 |
           static_cast<std::uint32_t>(MeanOf(g, w)) << 8 | static_cast<std::uint32_t>(MeanOf(b, w));
  }
};

struct Box {
  std::size_t begin, end;  // a range of the colours
  Sums sums;
  double error;  // squared distance of its colours to their mean, weighted
};

Box MakeBox(const std::vector<WeightedColour>& colours, std::size_t begin, std::size_t end) {
  Box box{begin, end, {}, 0};
  double squares = 0;
  for (std::size_t i = begin; i < end; ++i) {
    const WeightedColour& c = colours[i];
    box.sums.Add(c);
    for (int channel = 0; channel < 3; ++channel) {
      const int level = Channel(c.colour, channel);
      squares += static_cast<double>(c.w) * level * level;
    }
  }
  // One colour has none; the subtraction would leave rounding noise.
  box.error = end - begin < 2 ? 0 : std::max(0.0, squares - box.sums.SquaredMeanMass());
  return box;
}

// Cuts the box between two levels of one channel where the halves' summed
// error is least; the box keeps the lower half and the upper one is returned.
// The box must hold two colours or more.
Box Split(std::vector<WeightedColour>& colours, Box& box) {
  std::array<std::array<Sums, 256>, 3> levels{};
  for (std::size_t i = box.begin; i < box.end; ++i) {
    for (int channel = 0; channel < 3; ++channel) {
      levels[channel][Channel(colours[i].colour, channel)].Add(colours[i]);
    }
  }
  double best = -1;
  int bestChannel = 0, bestCut = 0;
  for (int channel = 0; channel < 3; ++channel) {
    Sums lower;
    for (int cut = 1; cut < 256; ++cut) {
      lower += levels[channel][cut - 1];
      if (lower.w == 0) continue;
      if (lower.w == box.sums.w) break;
      const Sums upper{box.sums.w - lower.w, box.sums.r - lower.r, box.sums.g - lower.g,
                       box.sums.b - lower.b};
      const double score = lower.SquaredMeanMass() + upper.SquaredMeanMass();
      if (score > best) {
        best = score;
        bestChannel = channel;
        bestCut = cut;
      }
    }
  }
  const auto middle = std::partition(
      colours.begin() + static_cast<std::ptrdiff_t>(box.begin),
      colours.begin() + static_cast<std::ptrdiff_t>(box.end),
      [&](const WeightedColour& c) { return Channel(c.colour, bestChannel) < bestCut; });
  const auto at = static_cast<std::size_t>(middle - colours.begin());
  Box upper = MakeBox(colours, at, box.end);
  box = MakeBox(colours, box.begin, at);
  return upper;
}

}  // namespace

int MeanOf(std::int64_t sum, std::int64_t weight) {
  return static_cast<int>((sum + weight / 2) / weight);
}

std::vector<std::uint32_t> SplitByVariance(std::vector<WeightedColour>& colours, int maxColours) {
  std::vector<Box> boxes{MakeBox(colours, 0, colours.size())};
  while (static_cast<int>(boxes.size()) < maxColours) {
    const auto worst = std::max_element(
        boxes.begin(), boxes.end(), [](const Box& a, const Box& b) { return a.error < b.error; });
    if (worst->error <= 0) break;  // every box is a single colour
    boxes.push_back(Split(colours, *worst));
  }
  std::vector<std::uint32_t> palette;
  for (const Box& box : boxes) palette.push_back(box.sums.Mean());
  return palette;
}

void MoveToMeans(std::vector<std::uint32_t>& palette, const std::vector<WeightedColour>& colours) {
  // The split leaves little to move: on screenshots the entries settle
  // within six rounds.
  constexpr int kRounds = 6;
  std::vector<Sums> sums(palette.size());
  for (int round = 0; round < kRounds; ++round) {
    std::fill(sums.begin(), sums.end(), Sums{});
    NearestColour nearest(palette);
    for (const WeightedColour& c : colours) sums[nearest.IndexOf(c.colour)].Add(c);
    bool moved = false;
    for (std::size_t i = 0; i < palette.size(); ++i) {
      if (sums[i].w == 0) continue;
      const std::uint32_t centre = sums[i].Mean();
      moved = moved || centre != palette[i];
      palette[i] = centre;
    }
    if (!moved) break;
  }
}

}  // namespace vistrane
