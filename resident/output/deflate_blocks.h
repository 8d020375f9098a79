#pragma once
// The parts of a deflate encoder that do not depend on how matches are
// chosen: the length and distance codes, the comparison of two places, and
// the writer of dynamic Huffman blocks. GreedyDeflate and IndexDeflate share
// them.
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vistrane::deflate {

constexpr std::size_t kWindow = 32768;
constexpr std::size_t kMaxMatch = 258;
constexpr int kEndOfBlock = 256;
constexpr int kLiteralLengthCodes = 286;
constexpr int kDistanceCodes = 30;

constexpr std::array<std::uint16_t, 29> kLengthBase = {
    3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2,  2,  3,  3,
                                                         4, 4, 5, 5, 6, 6, 7,  7,  8,  8,
                                                         9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// The length code of each match length, and the distance code of each
// distance: of 1 to 256 directly, of larger ones by their 128s.
struct CodeTables {
  std::array<std::uint8_t, kMaxMatch + 1> lengthCode{};
  std::array<std::uint8_t, 512> distanceCode{};
  CodeTables();
};
extern const CodeTables kCodeTables;

// The length code (0 to 28) of a match length of 3 to 258.
inline int LengthCode(std::size_t length) { return kCodeTables.lengthCode[length]; }
// The distance code (0 to 29) of a distance of 1 to 32768.
inline int DistanceCode(std::size_t distance) {
  return kCodeTables.distanceCode[distance <= 256 ? distance - 1 : 256 + ((distance - 1) >> 7)];
}

inline std::uint64_t Load64(const std::uint8_t* at) {
  std::uint64_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

// How many bytes from `earlier` and `at` agree, up to `limit`; eight at a
// time, the first that differs found from the lowest set bit of their
// difference (little-endian loads, as on every Windows machine).
inline std::size_t MatchLength(const std::uint8_t* earlier, const std::uint8_t* at, std::size_t limit) {
  std::size_t length = 0;
  for (; length + 8 <= limit; length += 8) {
    const std::uint64_t differ = Load64(earlier + length) ^ Load64(at + length);
    if (differ != 0) return length + static_cast<std::size_t>(std::countr_zero(differ)) / 8;
  }
  while (length < limit && earlier[length] == at[length]) ++length;
  return length;
}

// Bits into bytes, least significant first, as deflate stores them.
class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  // At most 32 bits at a time.
  void Put(std::uint32_t value, int count) {
    bits_ |= static_cast<std::uint64_t>(value) << filled_;
    filled_ += count;
    if (filled_ >= 32) {
      const auto low = static_cast<std::uint32_t>(bits_);
      out_.insert(out_.end(), {static_cast<std::uint8_t>(low), static_cast<std::uint8_t>(low >> 8),
                               static_cast<std::uint8_t>(low >> 16), static_cast<std::uint8_t>(low >> 24)});
      bits_ >>= 32;
      filled_ -= 32;
    }
  }

  // Pads the last byte with zero bits.
  void Flush() {
    for (; filled_ > 0; filled_ -= 8, bits_ >>= 8) out_.push_back(static_cast<std::uint8_t>(bits_));
    filled_ = 0;
    bits_ = 0;
  }

 private:
  std::vector<std::uint8_t>& out_;
  std::uint64_t bits_ = 0;
  int filled_ = 0;
};

// Literals and matches gathered into dynamic Huffman blocks, each with codes
// made for its own symbols.
class BlockWriter {
 public:
  // A block ends after `blockSymbols` symbols.
  BlockWriter(std::vector<std::uint8_t>& out, std::size_t blockSymbols);

  void Literal(std::uint8_t byte) {
    symbols_.push_back({byte, 0});
    ++literalCounts_[byte];
    if (symbols_.size() == blockSymbols_) WriteBlock(false);
  }

  void Match(std::size_t length, std::size_t distance) {
    symbols_.push_back({static_cast<std::uint16_t>(length), static_cast<std::uint16_t>(distance)});
    ++literalCounts_[257 + LengthCode(length)];
    ++distanceCounts_[DistanceCode(distance)];
    if (symbols_.size() == blockSymbols_) WriteBlock(false);
  }

  // Ends the output on a byte boundary: with the stream's final block when
  // `last`, otherwise with the empty stored block that zlib's sync flush
  // writes.
  void Finish(bool last);

 private:
  // A literal (distance 0) or a match.
  struct Symbol {
    std::uint16_t literalOrLength;
    std::uint16_t distance;
  };
  struct HuffmanCode;

  void WriteBlock(bool last);
  void WriteCodes(const HuffmanCode& literals, const HuffmanCode& distances);

  BitWriter bits_;
  std::size_t blockSymbols_;
  std::vector<Symbol> symbols_;
  std::vector<std::uint32_t> literalCounts_ = std::vector<std::uint32_t>(kLiteralLengthCodes, 0);
  std::vector<std::uint32_t> distanceCounts_ = std::vector<std::uint32_t>(kDistanceCodes, 0);
};

}  // namespace vistrane::deflate
