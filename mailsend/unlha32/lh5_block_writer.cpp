#include "mailsend/unlha32/lh5_block_writer.h"

#include <algorithm>
#include <bit>
#include <span>

#include "shared/huffman_code.h"

namespace vistrane {
namespace {

// Codes per block: large enough that the tables cost little, small enough
// that a block's statistics still follow the data.
constexpr std::size_t kBlockCodes = 16384;
static_assert(kBlockCodes <= lh5::kMaxBlockCodes);

std::uint16_t PositionCode(std::uint16_t offset) {
  return static_cast<std::uint16_t>(std::bit_width(offset));
}

// A Huffman table as a block sends it. A table with fewer than two used
// symbols is sent as that one symbol, whose code then takes no bits.
struct Table {
  std::vector<std::uint8_t> lengths;
  std::vector<std::uint16_t> codes;
  std::size_t single = 0;
  bool isSingle = false;
};

Table MakeTable(std::span<const std::uint32_t> frequencies) {
  Table table;
  const auto used =
      std::count_if(frequencies.begin(), frequencies.end(), [](std::uint32_t f) { return f != 0; });
  if (used < 2) {
    table.isSingle = true;
    const auto first = std::find_if(frequencies.begin(), frequencies.end(),
                                    [](std::uint32_t f) { return f != 0; });
    table.single =
        first == frequencies.end() ? 0 : static_cast<std::size_t>(first - frequencies.begin());
    table.lengths.assign(frequencies.size(), 0);
    table.codes.assign(frequencies.size(), 0);
    return table;
  }
  table.lengths = HuffmanCodeLengths(frequencies, lh5::kMaxCodeLength);
  table.codes = CanonicalCodes(table.lengths);
  return table;
}

// The char-code lengths in the length alphabet: a nonzero length n is the
// symbol n + 2; runs of zeros are 0 (one zero), 1 + 4 bits (3..18 zeros),
// 2 + 9 bits (20 or more); runs of 2 and 19 are split in two.
struct LengthItem {
  std::uint8_t symbol;
  std::uint8_t extraBits;
  std::uint16_t extra;
};

std::vector<LengthItem> LengthItems(const std::vector<std::uint8_t>& charLengths) {
  std::size_t n = charLengths.size();
  while (n > 0 && charLengths[n - 1] == 0) --n;
  std::vector<LengthItem> items;
  for (std::size_t i = 0; i < n;) {
    const std::uint8_t length = charLengths[i++];
    if (length != 0) {
      items.push_back({static_cast<std::uint8_t>(length + 2), 0, 0});
      continue;
    }
    std::size_t zeros = 1;
    while (i < n && charLengths[i] == 0) {
      ++i;
      ++zeros;
    }
    if (zeros <= 2) {
      for (std::size_t k = 0; k < zeros; ++k) items.push_back({0, 0, 0});
    } else if (zeros <= 18) {
      items.push_back({1, 4, static_cast<std::uint16_t>(zeros - 3)});
    } else if (zeros == 19) {
      items.push_back({0, 0, 0});
      items.push_back({1, 4, 15});
    } else {
      items.push_back({2, lh5::kCharCountBits, static_cast<std::uint16_t>(zeros - 20)});
    }
  }
  return items;
}

}  // namespace

Lh5BlockWriter::Lh5BlockWriter(std::vector<std::uint8_t>& out) : bits_(out) {
  chars_.reserve(kBlockCodes);
  offsets_.reserve(kBlockCodes);
}

void Lh5BlockWriter::AddLiteral(std::uint8_t byte) {
  chars_.push_back(byte);
  ++charFrequencies_[byte];
  if (chars_.size() == kBlockCodes) WriteBlock();
}

void Lh5BlockWriter::AddMatch(std::size_t length, std::size_t distance) {
  const auto code = static_cast<std::uint16_t>(256 + length - lh5::kMinMatch);
  const auto offset = static_cast<std::uint16_t>(distance - 1);
  chars_.push_back(code);
  offsets_.push_back(offset);
  ++charFrequencies_[code];
  ++positionFrequencies_[PositionCode(offset)];
  if (chars_.size() == kBlockCodes) WriteBlock();
}

void Lh5BlockWriter::Finish() {
  if (!chars_.empty()) WriteBlock();
  bits_.Flush();
}

void Lh5BlockWriter::WriteBlock() {
  const Table chars = MakeTable(charFrequencies_);
  const Table positions = MakeTable(positionFrequencies_);

  bits_.Put(16, static_cast<std::uint32_t>(chars_.size()));
  if (chars.isSingle) {
    bits_.Put(lh5::kLengthCountBits, 0);
    bits_.Put(lh5::kLengthCountBits, 0);
    bits_.Put(lh5::kCharCountBits, 0);
    bits_.Put(lh5::kCharCountBits, static_cast<std::uint32_t>(chars.single));
  } else {
    const std::vector<LengthItem> items = LengthItems(chars.lengths);
    std::array<std::uint32_t, lh5::kLengthCodes> lengthFrequencies{};
    for (const LengthItem& item : items) ++lengthFrequencies[item.symbol];
    const Table lengths = MakeTable(lengthFrequencies);
    if (lengths.isSingle) {
      bits_.Put(lh5::kLengthCountBits, 0);
      bits_.Put(lh5::kLengthCountBits, static_cast<std::uint32_t>(lengths.single));
    } else {
      WriteLengthLengths(lengths.lengths, lh5::kLengthCountBits, 3);
    }
    std::size_t n = chars.lengths.size();
    while (n > 0 && chars.lengths[n - 1] == 0) --n;
    bits_.Put(lh5::kCharCountBits, static_cast<std::uint32_t>(n));
    for (const LengthItem& item : items) {
      bits_.Put(lengths.lengths[item.symbol], lengths.codes[item.symbol]);
      bits_.Put(item.extraBits, item.extra);
    }
  }
  if (positions.isSingle) {
    bits_.Put(lh5::kPositionCountBits, 0);
    bits_.Put(lh5::kPositionCountBits, static_cast<std::uint32_t>(positions.single));
  } else {
    WriteLengthLengths(positions.lengths, lh5::kPositionCountBits, 0);
  }

  std::size_t nextOffset = 0;
  for (const std::uint16_t code : chars_) {
    bits_.Put(chars.lengths[code], chars.codes[code]);
    if (code < 256) continue;
    const std::uint16_t offset = offsets_[nextOffset++];
    const std::uint16_t positionCode = PositionCode(offset);
    bits_.Put(positions.lengths[positionCode], positions.codes[positionCode]);
    if (positionCode > 1) bits_.Put(positionCode - 1u, offset);
  }

  chars_.clear();
  offsets_.clear();
  charFrequencies_.fill(0);
  positionFrequencies_.fill(0);
}

// Lengths 0..6 in three bits, longer ones as (length - 4) one bits and a
// zero. With a special index (3 for the length alphabet), two bits after that
// many lengths skip up to three zero lengths.
void Lh5BlockWriter::WriteLengthLengths(const std::vector<std::uint8_t>& lengths,
                                        unsigned countBits, std::size_t specialIndex) {
  std::size_t n = lengths.size();
  while (n > 0 && lengths[n - 1] == 0) --n;
  bits_.Put(countBits, static_cast<std::uint32_t>(n));
  for (std::size_t i = 0; i < n;) {
    const unsigned length = lengths[i++];
    if (length <= 6)
      bits_.Put(3, length);
    else
      bits_.Put(length - 3, (std::uint32_t{1} << (length - 3)) - 2);
    if (i == specialIndex) {
      while (i < 6 && i < n && lengths[i] == 0) ++i;
      bits_.Put(2, static_cast<std::uint32_t>(i - specialIndex));
    }
  }
}

}  // namespace vistrane
