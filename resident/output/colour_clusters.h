#pragma once
// Clustering of weighted colours into a colour table: the exact colours of a
// plain screen with their pixel counts, or the cells of a coarse histogram
// with their pixel sums. Both steps minimise the squared RGB error.
#include <cstdint>
#include <vector>

namespace vistrane {

// A colour standing for `w` pixels whose channel sums are r, g and b.
struct WeightedColour {
  std::uint32_t colour;  // 0x00RRGGBB; what the pixels are compared by
  std::int64_t w, r, g, b;
};

// The rounded mean of `sum` over `weight` pixels.
int MeanOf(std::int64_t sum, std::int64_t weight);

// At most maxColours entries: the box of colours with the largest squared
// error is cut where its two halves' error is least, at any of the 256 levels
// of any channel, until there are maxColours boxes or each holds one colour.
// Each entry is its box's mean. The colours must differ from each other;
// they are reordered.
std::vector<std::uint32_t> SplitByVariance(std::vector<WeightedColour>& colours, int maxColours);

// Lloyd's k-means: each entry moves to the mean of the colours nearest to it,
// for a few rounds or until no entry moves.
void MoveToMeans(std::vector<std::uint32_t>& palette, const std::vector<WeightedColour>& colours);

}  // namespace vistrane
