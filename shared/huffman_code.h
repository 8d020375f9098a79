#pragma once
// Huffman code lengths limited to a maximum length, and the canonical codes
// that a decoder rebuilds from the lengths alone (-lh5- and deflate alike).
#include <cstdint>
#include <span>
#include <vector>

namespace vistrane {

// One length per symbol; 0 for a symbol of frequency 0. With a single used
// symbol that symbol gets length 1. No length exceeds `maxLength`, and the
// lengths of two or more used symbols form a complete code.
std::vector<std::uint8_t> HuffmanCodeLengths(std::span<const std::uint32_t> frequencies,
                                             unsigned maxLength);

// Codes numbered upwards by length, then by symbol: shorter codes first, and
// within one length the lower symbol gets the lower code.
std::vector<std::uint16_t> CanonicalCodes(std::span<const std::uint8_t> lengths);

}  // namespace vistrane
