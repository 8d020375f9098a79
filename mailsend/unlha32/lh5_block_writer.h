#pragma once
// Collects literals and matches and writes them as -lh5- blocks: each block
// carries its own Huffman tables, sent as code lengths.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "mailsend/unlha32/bit_writer.h"
#include "mailsend/unlha32/lh5_format.h"

namespace vistrane {

class Lh5BlockWriter {
 public:
  // Appends the compressed stream to `out`.
  explicit Lh5BlockWriter(std::vector<std::uint8_t>& out);

  void AddLiteral(std::uint8_t byte);
  // length kMinMatch..kMaxMatch, distance 1..kMaxDistance.
  void AddMatch(std::size_t length, std::size_t distance);
  // Writes what is pending and pads the last byte; the writer is done.
  void Finish();

 private:
  void WriteBlock();
  void WriteLengthLengths(const std::vector<std::uint8_t>& lengths, unsigned countBits,
                          std::size_t specialIndex);

  BitWriter bits_;
  // One entry per code: the char code, and for a match the distance - 1.
  std::vector<std::uint16_t> chars_;
  std::vector<std::uint16_t> offsets_;
  std::array<std::uint32_t, lh5::kCharCodes> charFrequencies_{};
  std::array<std::uint32_t, lh5::kPositionCodes> positionFrequencies_{};
};

}  // namespace vistrane
