#pragma once
// Runs an encoder's tasks on the calling thread and one more thread for each
// further core; a capture is the only work the program has at that moment.
#include "resident/output/parallel_runner.h"

namespace vistrane {

class WorkerThreads final : public ParallelRunner {
 public:
  void RunAll(std::size_t count, const Task& task) override;
};

}  // namespace vistrane
