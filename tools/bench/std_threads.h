#pragma once
// The native benchmarks' threads: one for each core, as the programs use them.
#include <algorithm>
#include <thread>
#include <vector>

#include "resident/output/parallel_runner.h"

namespace vistrane::bench {

class StdThreads final : public ParallelRunner {
 public:
  void RunAll(std::size_t count, const Task& task) override {
    SharedTasks tasks(count, task);
    std::vector<std::thread> helpers;
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    for (std::size_t i = 1; i < std::min(cores, count); ++i) helpers.emplace_back([&] { tasks.Run(); });
    tasks.Run();
    for (std::thread& helper : helpers) helper.join();
    tasks.RethrowFailure();
  }
};

}  // namespace vistrane::bench
