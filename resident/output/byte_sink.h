#pragma once
// Where the image file writers put a file's bytes: a file, a buffer, a counter.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vistrane {

// Receives a file's bytes in order, a piece at a time.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void Write(const std::uint8_t* data, std::size_t size) = 0;
};

// Keeps the whole file in memory.
struct VectorSink final : ByteSink {
  std::vector<std::uint8_t> bytes;
  void Write(const std::uint8_t* data, std::size_t size) override {
    bytes.insert(bytes.end(), data, data + size);
  }
};

}  // namespace vistrane
