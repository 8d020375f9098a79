#pragma once
// Memory held between captures is kept as small as the system allows.
namespace vistrane {

// Asks the system to page out as much of this process as it can. Best
// effort: the system may decline, and nothing depends on the outcome.
void TrimWorkingSet() noexcept;

}  // namespace vistrane
