#include "platform/working_set.h"

#include <windows.h>

namespace vistrane {

void TrimWorkingSet() noexcept {
  // Minimum and maximum both -1 is the documented request to trim.
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

}  // namespace vistrane
