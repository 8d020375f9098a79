#pragma once
// The constants of the -lh5- method: an 8 KiB sliding window, matches of 3
// to 256 bytes, and the three Huffman alphabets of a block.
#include <cstddef>

namespace vistrane::lh5 {

inline constexpr std::size_t kWindowSize = 8192;
// One short of the ring's size: a match never reads the ring slot that the
// decoder is about to overwrite.
inline constexpr std::size_t kMaxDistance = kWindowSize - 1;
inline constexpr std::size_t kMinMatch = 3;
inline constexpr std::size_t kMaxMatch = 256;

// Literals 0..255, then match lengths kMinMatch..kMaxMatch.
inline constexpr std::size_t kCharCodes = 256 + kMaxMatch - kMinMatch + 1;  // 510
// Position codes: the bit length of (distance - 1), 0..13.
inline constexpr std::size_t kPositionCodes = 14;
// Code lengths of the literal/length table, coded with their own alphabet:
// 0..2 for runs of zero lengths, 3 + n for a length n.
inline constexpr std::size_t kLengthCodes = 19;

inline constexpr unsigned kCharCountBits = 9;
inline constexpr unsigned kPositionCountBits = 4;
inline constexpr unsigned kLengthCountBits = 5;
inline constexpr unsigned kMaxCodeLength = 16;
// A block counts its codes in 16 bits.
inline constexpr std::size_t kMaxBlockCodes = 0xFFFF;

}  // namespace vistrane::lh5
