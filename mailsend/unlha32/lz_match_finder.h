#pragma once
// Longest earlier occurrence of the bytes at a position, within the -lh5-
// window: hash chains over 3-byte prefixes, nearest candidates first.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vistrane {

struct LzMatch {
  std::size_t length = 0;    // 0 when nothing longer than asked was found
  std::size_t distance = 0;  // 1 = the byte just before
};

class LzMatchFinder {
 public:
  // `data` must outlive the finder; its size must fit in 32 bits.
  explicit LzMatchFinder(std::span<const std::uint8_t> data);

  // Adds `position` to its chain. Positions are inserted in ascending order,
  // each once, before it is searched from.
  void Insert(std::size_t position);

  // The nearest longest match at `position` that is longer than
  // `shorterThanThis`, looking at no more than `maxCandidates` earlier
  // positions and stopping at the first match of the greatest length.
  LzMatch Find(std::size_t position, std::size_t shorterThanThis, unsigned maxCandidates) const;

 private:
  std::size_t Hash(std::size_t position) const;

  std::span<const std::uint8_t> data_;
  std::vector<std::uint32_t> head_;   // per hash: last position + 1, 0 = none
  std::vector<std::uint32_t> chain_;  // per window slot: previous position + 1
};

}  // namespace vistrane
