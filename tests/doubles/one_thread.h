#pragma once
// Runs an encoder's tasks one after another on the calling thread.
#include "resident/output/parallel_runner.h"

namespace vistrane {

class OneThread final : public ParallelRunner {
 public:
  void RunAll(std::size_t count, const Task& task) override {
    for (std::size_t i = 0; i < count; ++i) task(i);
  }
};

}  // namespace vistrane
