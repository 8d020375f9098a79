// Times the -lh5- archiver on one file: the archive member (level-2 header
// and compressed data) as UnLHA32.dll writes it, all in memory.
//   lzh_bench <file> <output.lzh> [runs]
// Writes the archive (so independent tools can check it) and prints its
// size, the ratio, and the minimum and median time of the runs.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "mailsend/unlha32/lzh_member.h"
#include "tools/bench/run_times.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: lzh_bench <file> <output.lzh> [runs]\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(in), {}};
  if (!in.eof() && !in) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  const int runs = vistrane::bench::RunsArgument(argc, argv, 3, 5);
  std::string name(argv[1]);
  name = name.substr(name.find_last_of('/') + 1);

  vistrane::bench::RunTimes times;
  std::vector<std::uint8_t> archive;
  for (int run = 0; run < runs; ++run) {
    times.Measure([&] {
      archive = vistrane::PackMember({{}, name}, data, 0);
      archive.push_back(0);
    });
  }
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %zu -> %zu bytes (%.1f %%), min %.3f s, median %.3f s\n", name.c_str(),
              data.size(), archive.size(),
              100.0 * static_cast<double>(archive.size()) / static_cast<double>(data.size()),
              times.Min() / 1000, times.Median() / 1000);
  return 0;
}
