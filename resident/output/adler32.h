#pragma once
// Adler-32, the checksum that ends a zlib stream.
#include <cstddef>
#include <cstdint>

namespace vistrane {

// `adler` carried on over `size` bytes from `data`; 1 to start with. As
// zlib's adler32, sixteen bytes a step with SSE2.
std::uint32_t Adler32(std::uint32_t adler, const std::uint8_t* data, std::size_t size);

}  // namespace vistrane
