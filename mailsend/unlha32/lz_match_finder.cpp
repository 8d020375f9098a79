#include "mailsend/unlha32/lz_match_finder.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "mailsend/unlha32/lh5_format.h"

namespace vistrane {
namespace {

constexpr unsigned kHashBits = 15;
constexpr std::size_t kWindowMask = lh5::kWindowSize - 1;

// Number of equal bytes at `a` and `b`, at most `limit`; eight at a time.
std::size_t CommonLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t limit) {
  std::size_t length = 0;
  if constexpr (std::endian::native == std::endian::little) {
    while (length + 8 <= limit) {
      std::uint64_t x = 0;
      std::uint64_t y = 0;
      std::memcpy(&x, a + length, 8);
      std::memcpy(&y, b + length, 8);
      if (x != y) return length + static_cast<std::size_t>(std::countr_zero(x ^ y) / 8);
      length += 8;
    }
  }
  while (length < limit && a[length] == b[length]) ++length;
  return length;
}

}  // namespace

LzMatchFinder::LzMatchFinder(std::span<const std::uint8_t> data)
    : data_(data), head_(std::size_t{1} << kHashBits, 0), chain_(lh5::kWindowSize, 0) {}

std::size_t LzMatchFinder::Hash(std::size_t position) const {
  const std::uint32_t prefix = static_cast<std::uint32_t>(data_[position]) |
                               static_cast<std::uint32_t>(data_[position + 1]) << 8 |
                               static_cast<std::uint32_t>(data_[position + 2]) << 16;
  return (prefix * 2654435761u) >> (32 - kHashBits);
}

void LzMatchFinder::Insert(std::size_t position) {
  if (position + lh5::kMinMatch > data_.size()) return;
  std::uint32_t& head = head_[Hash(position)];
  chain_[position & kWindowMask] = head;
  head = static_cast<std::uint32_t>(position + 1);
}

LzMatch LzMatchFinder::Find(std::size_t position, std::size_t shorterThanThis,
                            unsigned maxCandidates) const {
  LzMatch best;
  const std::size_t limit = std::min(lh5::kMaxMatch, data_.size() - position);
  if (limit < lh5::kMinMatch || shorterThanThis >= limit) return best;
  std::size_t bestLength = std::max(shorterThanThis, lh5::kMinMatch - 1);
  const std::uint8_t* here = data_.data() + position;
  // The position itself is the chain's head once inserted; start behind it.
  std::uint32_t next = chain_[position & kWindowMask];
  for (unsigned left = maxCandidates; next != 0 && left > 0; --left) {
    const std::size_t candidate = next - 1;
    const std::size_t distance = position - candidate;
    if (distance > lh5::kMaxDistance) break;
    const std::uint8_t* there = data_.data() + candidate;
    // The byte that would make this candidate better is checked first.
    if (there[bestLength] == here[bestLength] && there[0] == here[0]) {
      const std::size_t length = CommonLength(here, there, limit);
      if (length > bestLength) {
        bestLength = length;
        best = {length, distance};
        if (length == limit) break;
      }
    }
    next = chain_[candidate & kWindowMask];
  }
  return best;
}

}  // namespace vistrane
