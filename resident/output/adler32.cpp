#include "resident/output/adler32.h"

#include <zlib.h>

#include <algorithm>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace vistrane {

#if defined(__SSE2__) || defined(_M_X64)
namespace {

constexpr std::uint64_t kBase = 65521;
// The most 16-byte steps whose sums stay within 32 bits before they are
// reduced: zlib's 5552 bytes.
constexpr std::size_t kMostSteps = 5552 / 16;

std::uint64_t Sum(__m128i lanes) {
  lanes = _mm_add_epi32(lanes, _mm_shuffle_epi32(lanes, 0x4E));
  lanes = _mm_add_epi32(lanes, _mm_shuffle_epi32(lanes, 0xB1));
  return static_cast<std::uint32_t>(_mm_cvtsi128_si32(lanes));
}

}  // namespace

std::uint32_t Adler32(std::uint32_t adler, const std::uint8_t* data, std::size_t size) {
  std::uint64_t s1 = adler & 0xFFFF, s2 = adler >> 16;
  const __m128i zero = _mm_setzero_si128();
  // Of sixteen bytes after a sum s1, s2 gains 16 s1 and the bytes weighted
  // 16 down to 1.
  const __m128i firstWeights = _mm_setr_epi16(16, 15, 14, 13, 12, 11, 10, 9);
  const __m128i lastWeights = _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1);
  while (size >= 16) {
    const std::size_t steps = std::min(size / 16, kMostSteps);
    __m128i sums = zero;        // of the bytes so far
    __m128i sumsBefore = zero;  // of `sums` before each step
    __m128i weighted = zero;
    for (std::size_t k = 0; k < steps; ++k, data += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
      sumsBefore = _mm_add_epi32(sumsBefore, sums);
      sums = _mm_add_epi32(sums, _mm_sad_epu8(bytes, zero));
      weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpacklo_epi8(bytes, zero), firstWeights));
      weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpackhi_epi8(bytes, zero), lastWeights));
    }
    s2 = (s2 + 16 * (s1 * steps + Sum(sumsBefore)) + Sum(weighted)) % kBase;
    s1 = (s1 + Sum(sums)) % kBase;
    size -= steps * 16;
  }
  return static_cast<std::uint32_t>(
      adler32_z(static_cast<uLong>(s2 << 16 | s1), data, static_cast<z_size_t>(size)));
}

#else

std::uint32_t Adler32(std::uint32_t adler, const std::uint8_t* data, std::size_t size) {
  return static_cast<std::uint32_t>(adler32_z(adler, data, size));
}

#endif

}  // namespace vistrane
