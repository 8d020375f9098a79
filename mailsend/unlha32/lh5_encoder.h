#pragma once
// -lh5- compression of a whole buffer.
#include <cstdint>
#include <span>
#include <vector>

namespace vistrane {

// The compressed stream (no header). An empty input gives an empty stream.
std::vector<std::uint8_t> EncodeLh5(std::span<const std::uint8_t> data);

}  // namespace vistrane
