#pragma once
// The benchmarks' output files, written through the C library as they come.
#include <cstdio>
#include <cstdlib>

#include "resident/output/byte_sink.h"

namespace vistrane::bench {

class StdioSink final : public ByteSink {
 public:
  explicit StdioSink(std::FILE* file) : file_(file) {}
  void Write(const std::uint8_t* data, std::size_t size) override {
    if (std::fwrite(data, 1, size, file_) != size) std::abort();
  }

 private:
  std::FILE* file_;
};

}  // namespace vistrane::bench
