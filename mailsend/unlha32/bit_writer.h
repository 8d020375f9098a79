#pragma once
// Bits appended most significant first, as the -lh5- stream is read.
#include <cstdint>
#include <vector>

namespace vistrane {

class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  // The low `count` bits of `value`, count <= 24.
  void Put(unsigned count, std::uint32_t value) {
    pending_ = (pending_ << count) | (value & ((std::uint32_t{1} << count) - 1));
    pendingBits_ += count;
    while (pendingBits_ >= 8) {
      pendingBits_ -= 8;
      out_.push_back(static_cast<std::uint8_t>(pending_ >> pendingBits_));
    }
  }

  // Pads the last byte with zero bits.
  void Flush() {
    if (pendingBits_ > 0) Put(8 - pendingBits_, 0);
  }

 private:
  std::vector<std::uint8_t>& out_;
  std::uint64_t pending_ = 0;
  unsigned pendingBits_ = 0;
};

}  // namespace vistrane
