#include "resident/output/greedy_deflate.h"

#include <algorithm>
#include <cstring>

#include "resident/output/deflate_blocks.h"

namespace vistrane {
namespace {

using deflate::kMaxMatch;
using deflate::kWindow;
using deflate::MatchLength;

// A match is taken from 8 bytes on, or from 5 when it repeats the pixel
// just before (a flat area's run): shorter ones, at the distances they come
// at, cost about as many bits as the literals they replace, and taking them
// breaks up the longer matches that follow (BENCHMARKS.md).
constexpr std::size_t kMinMatch = 8;
constexpr std::size_t kMinRun = 5;
constexpr std::size_t kRunDistance = 3;
constexpr std::size_t kLongMatch = 64;
constexpr int kHashBits = 15;
// Symbols per block, each block with codes of its own: 8 Ki packed the
// screenshots larger, 32 Ki the 1080p desktop larger and the others 0.1 %
// smaller.
constexpr std::size_t kBlockSymbols = 16384;

// The hash of the four bytes at `at`.
std::uint32_t Hash4(const std::uint8_t* at) {
  std::uint32_t value;
  std::memcpy(&value, at, sizeof value);
  return (value * 0x9E3779B1u) >> (32 - kHashBits);
}

}  // namespace

std::vector<std::uint8_t> GreedyDeflate(const std::uint8_t* data, std::size_t primed, std::size_t size,
                                        bool last) {
  std::vector<std::uint8_t> out;
  out.reserve((size - primed) / 4 + 64);
  deflate::BlockWriter blocks(out, kBlockSymbols);
  std::vector<std::uint32_t> head(std::size_t{1} << kHashBits, 0);
  // A place is hashed only where four bytes can be read.
  const std::size_t hashEnd = size >= 4 ? size - 3 : 0;
  for (std::size_t i = primed > kWindow ? primed - kWindow : 0; i < std::min(primed, hashEnd); ++i) {
    head[Hash4(data + i)] = static_cast<std::uint32_t>(i);
  }
  std::size_t p = primed;
  while (p < hashEnd) {
    const std::uint32_t hash = Hash4(data + p);
    // Any earlier place within the window is a valid reference, even one
    // that the table holds only because nothing was put there yet: the
    // bytes are compared.
    const std::size_t distance = p - head[hash];
    head[hash] = static_cast<std::uint32_t>(p);
    if (distance - 1 < kWindow) {
      const std::size_t length = MatchLength(data + p - distance, data + p, std::min(kMaxMatch, size - p));
      if (length >= kMinMatch || (length >= kMinRun && distance <= kRunDistance)) {
        blocks.Match(length, distance);
        // The places inside the match go into the table, but of a long one
        // only the 8 at each end: a flat area's run would otherwise put
        // thousands of places there that only ever find the run again.
        const std::size_t next = p + length;
        const std::size_t stop = std::min(next, hashEnd);
        std::size_t i = p + 1;
        if (length > kLongMatch) {
          for (; i < std::min(p + 8, stop); ++i) head[Hash4(data + i)] = static_cast<std::uint32_t>(i);
          i = next - 8;
        }
        for (; i < stop; ++i) head[Hash4(data + i)] = static_cast<std::uint32_t>(i);
        p = next;
        continue;
      }
    }
    blocks.Literal(data[p]);
    ++p;
  }
  for (; p < size; ++p) blocks.Literal(data[p]);
  blocks.Finish(last);
  return out;
}

}  // namespace vistrane
