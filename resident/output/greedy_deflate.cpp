#include "resident/output/greedy_deflate.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "shared/huffman_code.h"

namespace vistrane {
namespace {

constexpr std::size_t kWindow = 32768;
// A match is taken from 8 bytes on, or from 5 when it repeats the pixel
// just before (a flat area's run): shorter ones, at the distances they come
// at, cost about as many bits as the literals they replace, and taking them
// breaks up the longer matches that follow (BENCHMARKS.md).
constexpr std::size_t kMinMatch = 8;
constexpr std::size_t kMinRun = 5;
constexpr std::size_t kRunDistance = 3;
constexpr std::size_t kMaxMatch = 258;
constexpr std::size_t kLongMatch = 64;
constexpr int kHashBits = 15;
// Symbols per block, each block with codes of its own: of 8, 16 and 32 Ki
// symbols, 16 Ki packed the screenshots smallest.
constexpr std::size_t kBlockSymbols = 16384;

constexpr int kEndOfBlock = 256;
constexpr int kLiteralLengthCodes = 286;
constexpr int kDistanceCodes = 30;
constexpr int kCodeLengthCodes = 19;
constexpr unsigned kMaxBits = 15;
constexpr unsigned kMaxCodeLengthBits = 7;

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
constexpr std::array<std::uint8_t, kCodeLengthCodes> kCodeLengthOrder = {
    16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// The length code of each match length, and the distance code of each
// distance: of 1 to 256 directly, of larger ones by their 128s.
struct CodeTables {
  std::array<std::uint8_t, kMaxMatch + 1> lengthCode{};
  std::array<std::uint8_t, 512> distanceCode{};
  CodeTables() {
    for (std::size_t code = 0; code < kLengthBase.size(); ++code) {
      const std::size_t end = code + 1 < kLengthBase.size() ? kLengthBase[code + 1] : kMaxMatch + 1;
      for (std::size_t length = kLengthBase[code]; length < end; ++length) {
        lengthCode[length] = static_cast<std::uint8_t>(code);
      }
    }
    for (std::size_t code = 0; code < kDistanceBase.size(); ++code) {
      const std::size_t end = code + 1 < kDistanceBase.size() ? kDistanceBase[code + 1] : kWindow + 1;
      for (std::size_t distance = kDistanceBase[code]; distance < end; ++distance) {
        distanceCode[DistanceIndex(distance)] = static_cast<std::uint8_t>(code);
      }
    }
  }
  static constexpr std::size_t DistanceIndex(std::size_t distance) {
    return distance <= 256 ? distance - 1 : 256 + ((distance - 1) >> 7);
  }
};
const CodeTables kCodes;

std::uint64_t Load64(const std::uint8_t* at) {
  std::uint64_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

// The hash of the four bytes at `at`.
std::uint32_t Hash4(const std::uint8_t* at) {
  std::uint32_t value;
  std::memcpy(&value, at, sizeof value);
  return (value * 0x9E3779B1u) >> (32 - kHashBits);
}

// How many bytes from `earlier` and `at` agree, up to `limit`; eight at a
// time, the first that differs found from the lowest set bit of their
// difference (little-endian loads, as on every Windows machine).
std::size_t MatchLength(const std::uint8_t* earlier, const std::uint8_t* at, std::size_t limit) {
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

// A Huffman code: each symbol's length and its bits, reversed for the
// least-significant-first order deflate writes them in.
struct HuffmanCode {
  std::vector<std::uint8_t> lengths;
  std::vector<std::uint16_t> codes;
};

// At least two symbols get a code, so that every code is complete: inflaters
// refuse an incomplete one in places.
HuffmanCode BuildCode(std::vector<std::uint32_t> counts, unsigned maxBits) {
  auto coded = std::count_if(counts.begin(), counts.end(), [](std::uint32_t c) { return c != 0; });
  for (std::size_t s = 0; coded < 2; ++s) {
    if (counts[s] == 0) {
      counts[s] = 1;
      ++coded;
    }
  }
  HuffmanCode code{HuffmanCodeLengths(counts, maxBits), {}};
  code.codes = CanonicalCodes(code.lengths);
  for (std::size_t s = 0; s < counts.size(); ++s) {
    std::uint32_t reversed = 0;
    for (int bit = 0; bit < code.lengths[s]; ++bit) reversed |= (code.codes[s] >> bit & 1u) << (code.lengths[s] - 1 - bit);
    code.codes[s] = static_cast<std::uint16_t>(reversed);
  }
  return code;
}

// A literal (distance 0) or a match.
struct Symbol {
  std::uint16_t literalOrLength;
  std::uint16_t distance;
};

class BlockWriter {
 public:
  explicit BlockWriter(std::vector<std::uint8_t>& out) : bits_(out) { symbols_.reserve(kBlockSymbols); }

  void Literal(std::uint8_t byte) {
    symbols_.push_back({byte, 0});
    ++literalCounts_[byte];
    if (symbols_.size() == kBlockSymbols) WriteBlock(false);
  }

  void Match(std::size_t length, std::size_t distance) {
    symbols_.push_back({static_cast<std::uint16_t>(length), static_cast<std::uint16_t>(distance)});
    ++literalCounts_[257 + kCodes.lengthCode[length]];
    ++distanceCounts_[kCodes.distanceCode[CodeTables::DistanceIndex(distance)]];
    if (symbols_.size() == kBlockSymbols) WriteBlock(false);
  }

  void Finish(bool last) {
    if (last || !symbols_.empty()) WriteBlock(last);
    if (!last) {
      // An empty stored block: three bits of header, then LEN 0 and NLEN.
      bits_.Put(0, 3);
      bits_.Flush();
      bits_.Put(0xFFFF0000u, 32);
    }
    bits_.Flush();
  }

 private:
  void WriteBlock(bool last) {
    ++literalCounts_[kEndOfBlock];
    const HuffmanCode literals = BuildCode(literalCounts_, kMaxBits);
    const HuffmanCode distances = BuildCode(distanceCounts_, kMaxBits);
    bits_.Put(last ? 1 : 0, 1);
    bits_.Put(2, 2);  // dynamic Huffman codes
    WriteCodes(literals, distances);
    for (const Symbol& symbol : symbols_) {
      if (symbol.distance == 0) {
        bits_.Put(literals.codes[symbol.literalOrLength], literals.lengths[symbol.literalOrLength]);
        continue;
      }
      const int lengthCode = kCodes.lengthCode[symbol.literalOrLength];
      bits_.Put(literals.codes[257 + lengthCode], literals.lengths[257 + lengthCode]);
      bits_.Put(symbol.literalOrLength - kLengthBase[lengthCode], kLengthExtra[lengthCode]);
      const int distanceCode = kCodes.distanceCode[CodeTables::DistanceIndex(symbol.distance)];
      bits_.Put(distances.codes[distanceCode], distances.lengths[distanceCode]);
      bits_.Put(symbol.distance - kDistanceBase[distanceCode], kDistanceExtra[distanceCode]);
    }
    bits_.Put(literals.codes[kEndOfBlock], literals.lengths[kEndOfBlock]);
    symbols_.clear();
    std::fill(literalCounts_.begin(), literalCounts_.end(), 0);
    std::fill(distanceCounts_.begin(), distanceCounts_.end(), 0);
  }

  // The block's two codes, as the lengths of their symbols, run-length coded
  // with a code of their own.
  void WriteCodes(const HuffmanCode& literals, const HuffmanCode& distances) {
    int literalCount = kLiteralLengthCodes;
    while (literalCount > 257 && literals.lengths[literalCount - 1] == 0) --literalCount;
    int distanceCount = kDistanceCodes;
    while (distanceCount > 1 && distances.lengths[distanceCount - 1] == 0) --distanceCount;
    std::vector<std::uint8_t> lengths(literals.lengths.begin(), literals.lengths.begin() + literalCount);
    lengths.insert(lengths.end(), distances.lengths.begin(), distances.lengths.begin() + distanceCount);

    // Each run as symbols 0 to 15 (a length), 16 (the previous one 3 to 6
    // more times), 17 (3 to 10 zeros) and 18 (11 to 138 zeros), with their
    // extra bits.
    std::vector<std::pair<std::uint8_t, std::uint8_t>> runs;
    std::vector<std::uint32_t> counts(kCodeLengthCodes, 0);
    const auto add = [&](int symbol, int extra) {
      runs.emplace_back(static_cast<std::uint8_t>(symbol), static_cast<std::uint8_t>(extra));
      ++counts[symbol];
    };
    for (std::size_t i = 0; i < lengths.size();) {
      const std::uint8_t length = lengths[i];
      std::size_t run = 1;
      while (i + run < lengths.size() && lengths[i + run] == length) ++run;
      i += run;
      if (length == 0) {
        for (; run >= 11; run -= std::min<std::size_t>(run, 138)) add(18, static_cast<int>(std::min<std::size_t>(run, 138) - 11));
        if (run >= 3) {
          add(17, static_cast<int>(run - 3));
          run = 0;
        }
      } else {
        add(length, 0);
        --run;
        for (; run >= 3; run -= std::min<std::size_t>(run, 6)) add(16, static_cast<int>(std::min<std::size_t>(run, 6) - 3));
      }
      for (; run > 0; --run) add(length, 0);
    }

    const HuffmanCode codeLengths = BuildCode(counts, kMaxCodeLengthBits);
    int codeLengthCount = kCodeLengthCodes;
    while (codeLengthCount > 4 && codeLengths.lengths[kCodeLengthOrder[codeLengthCount - 1]] == 0) --codeLengthCount;
    bits_.Put(static_cast<std::uint32_t>(literalCount - 257), 5);
    bits_.Put(static_cast<std::uint32_t>(distanceCount - 1), 5);
    bits_.Put(static_cast<std::uint32_t>(codeLengthCount - 4), 4);
    for (int i = 0; i < codeLengthCount; ++i) bits_.Put(codeLengths.lengths[kCodeLengthOrder[i]], 3);
    static constexpr int kExtraBits[3] = {2, 3, 7};
    for (const auto& [symbol, extra] : runs) {
      bits_.Put(codeLengths.codes[symbol], codeLengths.lengths[symbol]);
      if (symbol >= 16) bits_.Put(extra, kExtraBits[symbol - 16]);
    }
  }

  BitWriter bits_;
  std::vector<Symbol> symbols_;
  std::vector<std::uint32_t> literalCounts_ = std::vector<std::uint32_t>(kLiteralLengthCodes, 0);
  std::vector<std::uint32_t> distanceCounts_ = std::vector<std::uint32_t>(kDistanceCodes, 0);
};

}  // namespace

std::vector<std::uint8_t> GreedyDeflate(const std::uint8_t* data, std::size_t primed, std::size_t size,
                                        bool last) {
  std::vector<std::uint8_t> out;
  out.reserve((size - primed) / 4 + 64);
  BlockWriter blocks(out);
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
