#pragma once
// Work spread over the machine's cores. The portable encoders split their
// work into independent tasks; the platform decides how many threads run them.
#include <atomic>
#include <cstddef>
#include <exception>
#include <functional>

namespace vistrane {

class ParallelRunner {
 public:
  using Task = std::function<void(std::size_t index)>;
  virtual ~ParallelRunner() = default;
  // Runs task(0) … task(count - 1), each once and in any order, and returns
  // when all have ended. When a task throws, no further task starts and the
  // first exception is rethrown once the running ones have ended.
  virtual void RunAll(std::size_t count, const Task& task) = 0;
};

// The tasks of one RunAll as its threads share them: each thread calls Run.
class SharedTasks {
 public:
  SharedTasks(std::size_t count, const ParallelRunner::Task& task) : count_(count), task_(task) {}

  // Takes and runs the next task until none is left or one has failed.
  void Run() noexcept {
    for (std::size_t i = next_++; i < count_; i = next_++) {
      try {
        task_(i);
      } catch (...) {
        if (!failed_.exchange(true)) failure_ = std::current_exception();
        next_ = count_;
      }
    }
  }

  // Once every thread's Run has returned.
  void RethrowFailure() const {
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  std::size_t count_;
  const ParallelRunner::Task& task_;
  std::atomic<std::size_t> next_{0};
  std::atomic<bool> failed_{false};
  std::exception_ptr failure_;
};

}  // namespace vistrane
