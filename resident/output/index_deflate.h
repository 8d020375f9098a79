#pragma once
// A deflate encoder for the unfiltered rows of an indexed picture, where a
// byte is a colour table index: flat areas give long runs of one byte and
// rows that repeat rows above. Several matches are found at each place and
// a shortest path over their costs in bits chooses among them (BENCHMARKS.md).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vistrane {

// Raw deflate blocks of data[primed, size), whose matches may reach back into
// data[0, primed), the bytes that come before them in the stream (only the
// last 32 KiB count). The output ends on a byte boundary: with the stream's
// final block when `last`, otherwise with the empty stored block that zlib's
// sync flush writes, so that the pieces of one stream can be joined.
std::vector<std::uint8_t> IndexDeflate(const std::uint8_t* data, std::size_t primed, std::size_t size,
                                       bool last);

}  // namespace vistrane
