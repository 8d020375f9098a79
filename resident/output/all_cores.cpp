#include "resident/output/all_cores.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <vector>

namespace vistrane {

void RunOnAllCores(std::size_t count, const std::function<void(std::size_t index)>& task) {
  std::atomic<std::size_t> next{0};
  std::atomic<bool> failed{false};
  std::exception_ptr failure;
  const auto run = [&]() noexcept {
    for (std::size_t i = next++; i < count; i = next++) {
      try {
        task(i);
      } catch (...) {
        if (!failed.exchange(true)) failure = std::current_exception();
        next = count;
      }
    }
  };
  const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::thread> helpers;
  helpers.reserve(cores);  // before any thread runs, so that only a thread's start can fail below
  for (std::size_t i = 1; i < std::min(cores, count); ++i) {
    try {
      helpers.emplace_back(run);
    } catch (...) {
      break;  // the threads there are do the work, only slower
    }
  }
  run();
  for (std::thread& helper : helpers) helper.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace vistrane
