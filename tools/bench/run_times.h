#pragma once
// What every benchmark does with its runs: the count from the command line,
// the time of each run, and the minimum and median of them.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cwchar>
#include <vector>

namespace vistrane::bench {

// argv[at] as the number of runs, at least one; `fallback` when it is absent.
inline int RunsArgument(int argc, char** argv, int at, int fallback) {
  return argc > at ? std::max(1, std::atoi(argv[at])) : fallback;
}
inline int RunsArgument(int argc, wchar_t** argv, int at, int fallback) {
  return argc > at ? std::max(1, static_cast<int>(std::wcstol(argv[at], nullptr, 10))) : fallback;
}

class RunTimes {
 public:
  // Runs `step` once and keeps its time in milliseconds.
  template <typename Step>
  void Measure(Step&& step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    ms_.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }

  // A time measured elsewhere, in milliseconds.
  void Add(double ms) { ms_.push_back(ms); }

  // Both need at least one measured run.
  double Min() const { return *std::min_element(ms_.begin(), ms_.end()); }
  double Median() const {
    std::vector<double> sorted = ms_;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
  }
  int Runs() const { return static_cast<int>(ms_.size()); }

 private:
  std::vector<double> ms_;
};

}  // namespace vistrane::bench
