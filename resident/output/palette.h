#pragma once
// Colour tables for reduced captures, and the mapping of each pixel to the
// table. Colours are 0x00RRGGBB, as the picture box holds its pixels.
//
// Screenshots are mostly flat areas, text and a few gradients. Pixels map to
// the nearest entry without dithering: error diffusion sprinkles noise over
// flat areas and fringes text, which makes text harder to read at 16 and 2
// colours and lowers the measured fidelity (figures in BENCHMARKS.md).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vistrane {

// At most maxColours (1 to 256) colours for the image, darkest first. An image
// with no more colours than that gets exactly its own colours, so nothing
// changes. Otherwise the table is adaptive: a variance-minimising split
// refined by k-means, on the image's exact colours when it has some ten
// thousand at most (a plain screen), else on the cells of a 5-bit-per-channel
// histogram (Wu's quantiser). Both minimise the squared RGB error, which is
// what the eye sees as noise.
std::vector<std::uint32_t> ChoosePalette(const std::uint32_t* pixels, std::size_t count,
                                         int maxColours);

// The nearest entry of a table (squared RGB distance) for one colour at a
// time. Answers are remembered, so a screen's many repeats of one colour cost
// one lookup each.
class NearestColour {
 public:
  explicit NearestColour(const std::vector<std::uint32_t>& palette);
  std::uint8_t IndexOf(std::uint32_t colour);

 private:
  struct Entry {
    int r, g, b;
    std::uint8_t index;
  };
  std::uint8_t Search(std::uint32_t colour) const;

  std::vector<Entry> byGreen_;  // sorted by green, so a search can stop early
  std::vector<std::uint32_t> cachedColour_;  // colour | kCached, 0 when empty
  std::vector<std::uint8_t> cachedIndex_;
};

}  // namespace vistrane
