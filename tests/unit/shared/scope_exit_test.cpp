#include "shared/scope_exit.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vistrane {
namespace {

TEST(ScopeExitTest, RunsWhenLeftByException) {
  int runs = 0;
  try {
    ScopeExit count([&] { ++runs; });
    throw std::runtime_error("leave");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace vistrane
