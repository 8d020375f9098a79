#pragma once
// The benchmarks' output files, written through the C library as they come.
#include <cstdio>
#include <cstdlib>
#include <functional>

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

// Writes the file at `path` anew through `write`; the program ends with exit
// code 1 when the file cannot be opened or closed.
inline void WriteFileOrExit(const char* path, const std::function<void(ByteSink&)>& write) {
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) std::exit(1);
  StdioSink sink(out);
  write(sink);
  if (std::fclose(out) != 0) std::exit(1);
}

}  // namespace vistrane::bench
