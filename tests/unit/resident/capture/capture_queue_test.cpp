#include "resident/capture/capture_queue.h"

#include <gtest/gtest.h>

#include <vector>

namespace vistrane {
namespace {

TEST(CaptureQueueTest, KeepsCopiesWithinTheBoundsInOrderAndCountsTheRest) {
  const std::vector<std::uint64_t> nine(9, 1);
  struct Case {
    const char* name;
    std::vector<std::uint64_t> offers;  // the sizes of copies 1, 2, ... in MB
    std::size_t takenAfter;             // a capture starts after this offer (0: none)
    std::vector<int> captured;          // in order
    int notKept;
  };
  const Case cases[] = {
      {"eight copies wait, the ninth is not kept", nine, 0, {1, 2, 3, 4, 5, 6, 7, 8}, 1},
      {"256 MB wait, the copy past them is not kept", {100, 100, 56, 1}, 0, {1, 2, 3}, 1},
      {"a smaller copy fits after a larger one did not", {200, 100, 50}, 0, {1, 3}, 1},
      {"a copy larger than the bound is not kept", {300}, 0, {}, 1},
      {"a starting capture makes room for a ninth copy", nine, 8, {1, 2, 3, 4, 5, 6, 7, 8, 9}, 0},
      {"a starting capture gives its bytes back", {200, 200}, 1, {1, 2}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CaptureQueue<int> queue;
    std::vector<int> captured;
    for (std::size_t i = 0; i < c.offers.size(); ++i) {
      queue.Offer(static_cast<int>(i + 1), c.offers[i] << 20);
      if (i + 1 == c.takenAfter) captured.push_back(queue.Next().value());
    }
    if (captured.size() < c.captured.size()) {
      EXPECT_EQ(queue.TakeNotKept(), 0) << "told while copies wait";
    }
    while (const auto next = queue.Next()) captured.push_back(*next);
    EXPECT_EQ(captured, c.captured);
    EXPECT_EQ(queue.TakeNotKept(), c.notKept);
    EXPECT_EQ(queue.TakeNotKept(), 0) << "a count is told once";
  }
}

}  // namespace
}  // namespace vistrane
