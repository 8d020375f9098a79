#pragma once
// A clock that always reads the time it was given: "now" in the tests.
#include "shared/clock.h"

namespace vistrane {

class FixedClock final : public Clock {
 public:
  explicit FixedClock(LocalDateTime now) : now_(now) {}
  LocalDateTime Now() const override { return now_; }

 private:
  LocalDateTime now_;
};

}  // namespace vistrane
