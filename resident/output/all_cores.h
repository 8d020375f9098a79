#pragma once
// Work spread over the machine's cores: a capture is the only thing the
// program does at that moment, so its encoder may use all of them.
#include <cstddef>
#include <functional>

namespace vistrane {

// Runs task(0) … task(count - 1), each once and in any order, on the calling
// thread and one more thread for each further core, and returns when all
// have ended. When a task throws, no further task starts and the first
// exception is rethrown once the running ones have ended.
void RunOnAllCores(std::size_t count, const std::function<void(std::size_t index)>& task);

}  // namespace vistrane
