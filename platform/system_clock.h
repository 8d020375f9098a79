#pragma once
// The computer's local time.
#include "shared/clock.h"

namespace vistrane {

class SystemClock final : public Clock {
 public:
  LocalDateTime Now() const override;
};

}  // namespace vistrane
