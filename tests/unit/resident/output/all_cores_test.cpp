#include "resident/output/all_cores.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace vistrane {
namespace {

TEST(RunOnAllCores, RunsEachTaskOnceAndRethrowsTheFirstFailureAfterTheOthersEnd) {
  std::vector<std::atomic<int>> runs(100);
  RunOnAllCores(runs.size(), [&](std::size_t i) { ++runs[i]; });
  for (const auto& r : runs) EXPECT_EQ(r, 1);

  std::atomic<int> started{0};
  EXPECT_THROW(RunOnAllCores(1000000,
                             [&](std::size_t i) {
                               ++started;
                               if (i == 3) throw std::runtime_error("task 3");
                             }),
               std::runtime_error);
  EXPECT_LT(started, 1000000) << "no task starts after a failure";
}

}  // namespace
}  // namespace vistrane
