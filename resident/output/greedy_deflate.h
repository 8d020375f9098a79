#pragma once
// A deflate encoder for filtered truecolour rows: at each place one earlier
// candidate, the last place with the same four bytes, taken when it matches
// long enough to pay; dynamic Huffman blocks. On screenshots it packs
// smaller than zlib did at the settings that suited them best (level 4,
// filtered, one candidate), in half the time (BENCHMARKS.md).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vistrane {

// Raw deflate blocks of data[primed, size), whose matches may reach back into
// data[0, primed), the bytes that come before them in the stream (only the
// last 32 KiB count). The output ends on a byte boundary: with the stream's
// final block when `last`, otherwise with the empty stored block that zlib's
// sync flush writes, so that the pieces of one stream can be joined.
std::vector<std::uint8_t> GreedyDeflate(const std::uint8_t* data, std::size_t primed,
                                        std::size_t size, bool last);

}  // namespace vistrane
