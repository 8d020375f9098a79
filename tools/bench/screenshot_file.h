#pragma once
// Loading the benchmark screenshots (24-bit bitmap files) as the picture box
// holds a capture: top-down rows of 0x00RRGGBB pixels.
#include <cstdint>
#include <vector>

namespace vistrane::bench {

bool LoadAs32Bit(const char* path, std::vector<std::uint32_t>& pixels, int& width, int& height);

}  // namespace vistrane::bench
