#include "platform/system_clock.h"

#include <windows.h>

namespace vistrane {

LocalDateTime SystemClock::Now() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return LocalDateTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace vistrane
