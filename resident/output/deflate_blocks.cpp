#include "resident/output/deflate_blocks.h"

#include <algorithm>
#include <utility>

#include "shared/huffman_code.h"

namespace vistrane::deflate {
namespace {

constexpr int kCodeLengthCodes = 19;
constexpr unsigned kMaxBits = 15;
constexpr unsigned kMaxCodeLengthBits = 7;
constexpr std::array<std::uint8_t, kCodeLengthCodes> kCodeLengthOrder = {
    16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

}  // namespace

CodeTables::CodeTables() {
  for (std::size_t code = 0; code < kLengthBase.size(); ++code) {
    const std::size_t end = code + 1 < kLengthBase.size() ? kLengthBase[code + 1] : kMaxMatch + 1;
    for (std::size_t length = kLengthBase[code]; length < end; ++length) {
      lengthCode[length] = static_cast<std::uint8_t>(code);
    }
  }
  for (std::size_t code = 0; code < kDistanceBase.size(); ++code) {
    const std::size_t end = code + 1 < kDistanceBase.size() ? kDistanceBase[code + 1] : kWindow + 1;
    for (std::size_t distance = kDistanceBase[code]; distance < end; ++distance) {
      distanceCode[distance <= 256 ? distance - 1 : 256 + ((distance - 1) >> 7)] = static_cast<std::uint8_t>(code);
    }
  }
}

const CodeTables kCodeTables;

// A Huffman code: each symbol's length and its bits, reversed for the
// least-significant-first order deflate writes them in.
struct BlockWriter::HuffmanCode {
  std::vector<std::uint8_t> lengths;
  std::vector<std::uint16_t> codes;

  // At least two symbols get a code, so that every code is complete:
  // inflaters refuse an incomplete one in places.
  HuffmanCode(std::vector<std::uint32_t> counts, unsigned maxBits) {
    auto coded = std::count_if(counts.begin(), counts.end(), [](std::uint32_t c) { return c != 0; });
    for (std::size_t s = 0; coded < 2; ++s) {
      if (counts[s] == 0) {
        counts[s] = 1;
        ++coded;
      }
    }
    lengths = HuffmanCodeLengths(counts, maxBits);
    codes = CanonicalCodes(lengths);
    for (std::size_t s = 0; s < counts.size(); ++s) {
      std::uint32_t reversed = 0;
      for (int bit = 0; bit < lengths[s]; ++bit) reversed |= (codes[s] >> bit & 1u) << (lengths[s] - 1 - bit);
      codes[s] = static_cast<std::uint16_t>(reversed);
    }
  }
};

BlockWriter::BlockWriter(std::vector<std::uint8_t>& out, std::size_t blockSymbols)
    : bits_(out), blockSymbols_(blockSymbols) {
  symbols_.reserve(blockSymbols);
}

void BlockWriter::Finish(bool last) {
  if (last || !symbols_.empty()) WriteBlock(last);
  if (!last) {
    // An empty stored block: three bits of header, then LEN 0 and NLEN.
    bits_.Put(0, 3);
    bits_.Flush();
    bits_.Put(0xFFFF0000u, 32);
  }
  bits_.Flush();
}

void BlockWriter::WriteBlock(bool last) {
  ++literalCounts_[kEndOfBlock];
  const HuffmanCode literals(literalCounts_, kMaxBits);
  const HuffmanCode distances(distanceCounts_, kMaxBits);
  bits_.Put(last ? 1 : 0, 1);
  bits_.Put(2, 2);  // dynamic Huffman codes
  WriteCodes(literals, distances);
  for (const Symbol& symbol : symbols_) {
    if (symbol.distance == 0) {
      bits_.Put(literals.codes[symbol.literalOrLength], literals.lengths[symbol.literalOrLength]);
      continue;
    }
    const int lengthCode = LengthCode(symbol.literalOrLength);
    bits_.Put(literals.codes[257 + lengthCode], literals.lengths[257 + lengthCode]);
    bits_.Put(symbol.literalOrLength - kLengthBase[lengthCode], kLengthExtra[lengthCode]);
    const int distanceCode = DistanceCode(symbol.distance);
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
void BlockWriter::WriteCodes(const HuffmanCode& literals, const HuffmanCode& distances) {
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

  const HuffmanCode codeLengths(counts, kMaxCodeLengthBits);
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

}  // namespace vistrane::deflate
