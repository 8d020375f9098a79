#include "shared/huffman_code.h"

#include <algorithm>
#include <numeric>

namespace vistrane {
namespace {

// Depth of each leaf in a Huffman tree over weights sorted ascending (two
// queues: the leaves, and the inner nodes, which arise in ascending order).
std::vector<unsigned> LeafDepths(const std::vector<std::uint64_t>& sortedWeights) {
  const std::size_t leaves = sortedWeights.size();
  const std::size_t nodes = 2 * leaves - 1;
  std::vector<std::uint64_t> weight(sortedWeights);
  weight.resize(nodes);
  std::vector<std::size_t> parent(nodes, 0);
  std::size_t nextLeaf = 0;
  std::size_t nextInner = leaves;
  auto lightest = [&](std::size_t built) {
    if (nextLeaf < leaves && (nextInner >= built || weight[nextLeaf] <= weight[nextInner]))
      return nextLeaf++;
    return nextInner++;
  };
  for (std::size_t node = leaves; node < nodes; ++node) {
    const std::size_t a = lightest(node);
    const std::size_t b = lightest(node);
    weight[node] = weight[a] + weight[b];
    parent[a] = parent[b] = node;
  }
  std::vector<unsigned> depth(nodes, 0);
  for (std::size_t node = nodes - 1; node-- > 0;) depth[node] = depth[parent[node]] + 1;
  depth.resize(leaves);
  return depth;
}

}  // namespace

std::vector<std::uint8_t> HuffmanCodeLengths(std::span<const std::uint32_t> frequencies,
                                             unsigned maxLength) {
  std::vector<std::uint8_t> lengths(frequencies.size(), 0);
  std::vector<std::size_t> used;
  for (std::size_t symbol = 0; symbol < frequencies.size(); ++symbol)
    if (frequencies[symbol] != 0) used.push_back(symbol);
  if (used.empty()) return lengths;
  if (used.size() == 1) {
    lengths[used[0]] = 1;
    return lengths;
  }
  std::stable_sort(used.begin(), used.end(),
                   [&](std::size_t a, std::size_t b) { return frequencies[a] < frequencies[b]; });
  std::vector<std::uint64_t> weights;
  for (const std::size_t symbol : used) weights.push_back(frequencies[symbol]);

  // Count the codes of each length, folding the too long ones into the
  // longest allowed length; then split shorter codes until the code is
  // complete again (each step takes one code of the maximum length away and
  // turns one shorter code into two a level deeper).
  std::vector<std::size_t> count(maxLength + 1, 0);
  for (const unsigned depth : LeafDepths(weights)) ++count[std::min(depth, maxLength)];
  std::uint64_t kraft = 0;
  for (unsigned length = 1; length <= maxLength; ++length)
    kraft += static_cast<std::uint64_t>(count[length]) << (maxLength - length);
  for (; kraft > (std::uint64_t{1} << maxLength); --kraft) {
    --count[maxLength];
    for (unsigned length = maxLength - 1; length > 0; --length) {
      if (count[length] != 0) {
        --count[length];
        count[length + 1] += 2;
        break;
      }
    }
  }

  // The rarest symbols take the longest codes.
  std::size_t next = 0;
  for (unsigned length = maxLength; length > 0; --length)
    for (std::size_t n = 0; n < count[length]; ++n)
      lengths[used[next++]] = static_cast<std::uint8_t>(length);
  return lengths;
}

std::vector<std::uint16_t> CanonicalCodes(std::span<const std::uint8_t> lengths) {
  const unsigned longest = lengths.empty() ? 0 : *std::max_element(lengths.begin(), lengths.end());
  std::vector<std::uint32_t> nextCode(longest + 2, 0);
  std::vector<std::uint32_t> count(longest + 1, 0);
  for (const std::uint8_t length : lengths)
    if (length != 0) ++count[length];
  for (unsigned length = 1; length <= longest; ++length)
    nextCode[length + 1] = (nextCode[length] + count[length]) << 1;
  std::vector<std::uint16_t> codes(lengths.size(), 0);
  for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol)
    if (lengths[symbol] != 0)
      codes[symbol] = static_cast<std::uint16_t>(nextCode[lengths[symbol]]++);
  return codes;
}

}  // namespace vistrane
