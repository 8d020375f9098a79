#include "resident/output/index_deflate.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

#include "resident/output/deflate_blocks.h"
#include "shared/huffman_code.h"

namespace vistrane {
namespace {

using deflate::kMaxMatch;
using deflate::kWindow;

// The rows are parsed 32 KiB at a time, each piece with the costs of the
// codes that the piece before it got; a block ends every 8 Ki symbols (of
// 4, 8 and 16 Ki, 8 Ki packed the screenshots smallest).
constexpr std::size_t kPieceBytes = 32768;
constexpr std::size_t kBlockSymbols = 8192;
// The search at a place: the byte before it repeated, the last place with
// the same three bytes, a chain of earlier places with the same key (see
// Key) and the two distances most recently found. A chain is walked to its
// depth unless a match reaches the longest length: stopping at 64 bytes made
// the flat screenshot 2.5 % larger, the search being shallow anyway.
constexpr std::size_t kMinMatch = 3;
constexpr int kHashBits = 15;
constexpr std::size_t kKeyBytes = 5;
// How hard a piece is searched. The places inside a match of `skip` bytes or
// more are not searched, but for the last four, where a match that goes on
// further may start. Where the piece before packed to less than half a bit a
// byte, matches are long and the places searched few: there a chain of 16
// places and skips only from 64 bytes cost little; elsewhere 2 places and
// skips from 24 bytes keep the time below zlib's (BENCHMARKS.md).
struct Effort {
  std::size_t depth;
  std::size_t skip;
};
constexpr Effort kQuick{2, 24};
constexpr Effort kThorough{16, 64};
constexpr std::size_t kThoroughBelowMilliBitsPerByte = 500;
constexpr std::size_t kSearchedTail = 4;
// The costs assumed for a symbol that the previous piece's codes did not
// have.
constexpr std::uint32_t kUnusedLiteralBits = 12;
constexpr std::uint32_t kUnusedDistanceBits = 8;

std::uint32_t Hash3(const std::uint8_t* at) {
  std::uint32_t value;
  std::memcpy(&value, at, sizeof value);
  return ((value & 0xFFFFFFu) * 0x9E3779B1u) >> (32 - kHashBits);
}

std::uint32_t Hash(std::uint64_t value) {
  return static_cast<std::uint32_t>((value * 0x9E3779B97F4A7C15ull) >> (64 - kHashBits));
}

struct Match {
  std::uint16_t length;  // 1 for a literal
  std::uint16_t distance;
};

// What each symbol costs in bits under a block's codes.
struct Costs {
  std::array<std::uint32_t, 256> literal{};
  std::array<std::uint32_t, kMaxMatch + 1> length{};
  std::array<std::uint32_t, deflate::kDistanceCodes> distance{};

  void FromCounts(const std::vector<std::uint32_t>& literalCounts, const std::vector<std::uint32_t>& distanceCounts) {
    const std::vector<std::uint8_t> literalBits = HuffmanCodeLengths(literalCounts, 15);
    const std::vector<std::uint8_t> distanceBits = HuffmanCodeLengths(distanceCounts, 15);
    for (int b = 0; b < 256; ++b) literal[b] = literalBits[b] != 0 ? literalBits[b] : kUnusedLiteralBits;
    for (std::size_t l = kMinMatch; l <= kMaxMatch; ++l) {
      const int code = deflate::LengthCode(l);
      const std::uint32_t bits = literalBits[257 + code] != 0 ? literalBits[257 + code] : kUnusedLiteralBits;
      length[l] = bits + deflate::kLengthExtra[code];
    }
    for (int code = 0; code < deflate::kDistanceCodes; ++code) {
      const std::uint32_t bits = distanceBits[code] != 0 ? distanceBits[code] : kUnusedDistanceBits;
      distance[code] = bits + deflate::kDistanceExtra[code];
    }
  }
};

class IndexDeflater {
 public:
  IndexDeflater(const std::uint8_t* data, std::size_t primed, std::size_t size, std::vector<std::uint8_t>& out)
      : data_(data), size_(size), keyEnd_(size >= 8 ? size - 7 : 0), primed_(primed), blocks_(out, kBlockSymbols) {
    for (std::size_t p = primed > kWindow ? primed - kWindow : 0; p < std::min(primed, keyEnd_); ++p) Insert(p);
  }

  void Run(bool last) {
    for (std::size_t start = primed_; start < size_; start += kPieceBytes) {
      const std::size_t end = std::min(size_, start + kPieceBytes);
      // The first piece has no codes before it: a parse with rough costs
      // gives the codes for a second.
      const bool first = start == primed_;
      if (first) StartingCosts(start, end);
      FindMatches(start, end, first || lastBits_ * 1000 < (end - start) * kThoroughBelowMilliBitsPerByte
                                  ? kThorough
                                  : kQuick);
      for (int pass = first ? 2 : 1; pass > 0; --pass) {
        Parse(start, end);
        Count(start, end);
        costs_.FromCounts(literalCounts_, distanceCounts_);
      }
      lastBits_ = cost_[0];
      Emit(start, end);
    }
    blocks_.Finish(last);
  }

 private:
  // The chain a place belongs to: that of the five bytes from it on, or
  // inside a run of one byte, that of the byte, how much of the run is left
  // and the two bytes after it. The places where an equal rest of a run ends
  // in equal bytes then share a chain, and the run's other places do not
  // crowd it: on the screenshots the file is 3 % smaller.
  std::uint32_t Key(std::size_t p) {
    if (p >= runEnd_) runEnd_ = p + 1 + deflate::MatchLength(data_ + p, data_ + p + 1, size_ - p - 1);
    const std::size_t left = runEnd_ - p;
    if (left < kKeyBytes || runEnd_ + 2 > size_) return Hash(deflate::Load64(data_ + p) << (64 - 8 * kKeyBytes));
    const std::uint64_t run = std::uint64_t{1} << 40 | std::uint64_t{data_[p]} << 24;
    if (left >= kMaxMatch) return Hash(run | 0xFFFFFF);
    return Hash(run | left << 16 | std::uint64_t{data_[runEnd_]} << 8 | data_[runEnd_ + 1]);
  }

  void Insert(std::size_t p) {
    head3_[Hash3(data_ + p)] = static_cast<std::uint32_t>(p);
    const std::uint32_t key = Key(p);
    previous_[p & (kWindow - 1)] = head_[key];
    head_[key] = static_cast<std::uint32_t>(p);
  }

  // The matches at each place of the piece, longest last; a match is kept
  // when it is longer than every nearer one, since a nearer distance costs
  // fewer bits. Matches end at the piece's end.
  void FindMatches(std::size_t start, std::size_t end, Effort effort) {
    matches_.clear();
    firstMatch_.assign(end - start + 1, 0);
    std::size_t searchFrom = start;
    std::size_t skippedEnd = start;
    for (std::size_t p = start; p < end; ++p) {
      firstMatch_[p - start] = static_cast<std::uint32_t>(matches_.size());
      if (p >= keyEnd_) continue;
      if (p < searchFrom) {
        Insert(p);
        continue;
      }
      const std::size_t limit = std::min(kMaxMatch, end - p);
      std::size_t best = kMinMatch - 1;
      const auto consider = [&](std::size_t distance) {
        if (best >= limit || data_[p - distance + best] != data_[p + best]) return;
        const std::size_t length = deflate::MatchLength(data_ + p - distance, data_ + p, limit);
        if (length > best) {
          matches_.push_back({static_cast<std::uint16_t>(length), static_cast<std::uint16_t>(distance)});
          best = length;
        }
      };
      // The first place of a stream has no byte before it.
      if (p >= 1) consider(1);
      const std::uint32_t hash3 = Hash3(data_ + p);
      const std::size_t distance3 = p - head3_[hash3];
      if (best < kKeyBytes && distance3 - 1 < kWindow) consider(distance3);
      head3_[hash3] = static_cast<std::uint32_t>(p);
      const std::uint32_t key = Key(p);
      // Any earlier place within the window is a valid candidate, even one
      // that the table holds only because nothing was put there yet: the
      // bytes are compared.
      std::size_t candidate = head_[key];
      for (std::size_t depth = effort.depth; depth > 0 && best < limit; --depth) {
        const std::size_t distance = p - candidate;
        if (distance - 1 >= kWindow) break;
        consider(distance);
        const std::size_t next = previous_[candidate & (kWindow - 1)];
        if (next >= candidate) break;
        candidate = next;
      }
      // Tried last: they are mostly far, and a nearer match of a length
      // between would be lost.
      if (p >= 1) {
        for (const std::size_t distance : recent_) consider(distance);
      }
      previous_[p & (kWindow - 1)] = head_[key];
      head_[key] = static_cast<std::uint32_t>(p);
      if (firstMatch_[p - start] == matches_.size()) continue;
      // Rows of a picture repeat at a few distances: the row above, a
      // pattern's width.
      const std::size_t found = matches_.back().distance;
      if (found != 1 && found != recent_[0]) {
        recent_[1] = recent_[0];
        recent_[0] = found;
      }
      if (best >= effort.skip && p >= skippedEnd) {
        skippedEnd = p + best;
        searchFrom = skippedEnd - std::min(best - 1, kSearchedTail);
      }
    }
    firstMatch_[end - start] = static_cast<std::uint32_t>(matches_.size());
  }

  // Before any block's codes are known: literals by how often each byte
  // comes in the piece, every length and distance code alike.
  void StartingCosts(std::size_t start, std::size_t end) {
    std::fill(literalCounts_.begin(), literalCounts_.end(), 0);
    for (std::size_t p = start; p < end; ++p) ++literalCounts_[data_[p]];
    const auto lengthCount = static_cast<std::uint32_t>((end - start) / 64 + 1);
    std::fill(literalCounts_.begin() + 257, literalCounts_.end(), lengthCount);
    std::fill(distanceCounts_.begin(), distanceCounts_.end(), 1);
    costs_.FromCounts(literalCounts_, distanceCounts_);
  }

  // The cheapest way in bits from each place to the piece's end, from the
  // end backwards: a literal, or any length of 3 up to a match's length.
  void Parse(std::size_t start, std::size_t end) {
    const std::size_t n = end - start;
    cost_.resize(n + 1);
    choice_.resize(n);
    cost_[n] = 0;
    for (std::size_t i = n; i-- > 0;) {
      std::uint32_t best = costs_.literal[data_[start + i]] + cost_[i + 1];
      Match chosen{1, 0};
      // Each match is tried from the length after the previous one's: a
      // shorter length of it has a nearer match.
      std::size_t length = kMinMatch;
      for (std::uint32_t m = firstMatch_[i]; m < firstMatch_[i + 1]; ++m) {
        const Match match = matches_[m];
        const std::uint32_t distanceCost = costs_.distance[deflate::DistanceCode(match.distance)];
        std::uint32_t matchBest = best;
        std::size_t matchLength = 0;
#if defined(__SSE2__) || defined(_M_X64)
        // Four lengths a step; the costs stay far below 2^31, so the signed
        // comparison serves.
        if (length + 3 <= match.length) {
          const __m128i distanceCosts = _mm_set1_epi32(static_cast<int>(distanceCost));
          __m128i lanesBest = _mm_set1_epi32(static_cast<int>(best));
          __m128i lanesLength = _mm_setzero_si128();
          __m128i lengths = _mm_add_epi32(_mm_setr_epi32(0, 1, 2, 3), _mm_set1_epi32(static_cast<int>(length)));
          for (; length + 3 <= match.length; length += 4) {
            const __m128i c = _mm_add_epi32(
                _mm_add_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(costs_.length.data() + length)),
                              distanceCosts),
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(cost_.data() + i + length)));
            const __m128i less = _mm_cmplt_epi32(c, lanesBest);
            lanesBest = _mm_or_si128(_mm_and_si128(less, c), _mm_andnot_si128(less, lanesBest));
            lanesLength = _mm_or_si128(_mm_and_si128(less, lengths), _mm_andnot_si128(less, lanesLength));
            lengths = _mm_add_epi32(lengths, _mm_set1_epi32(4));
          }
          alignas(16) std::uint32_t laneCost[4];
          alignas(16) std::uint32_t laneLength[4];
          _mm_store_si128(reinterpret_cast<__m128i*>(laneCost), lanesBest);
          _mm_store_si128(reinterpret_cast<__m128i*>(laneLength), lanesLength);
          for (int lane = 0; lane < 4; ++lane) {
            if (laneLength[lane] != 0 && (laneCost[lane] < matchBest ||
                                          (laneCost[lane] == matchBest && laneLength[lane] < matchLength))) {
              matchBest = laneCost[lane];
              matchLength = laneLength[lane];
            }
          }
        }
#endif
        for (; length <= match.length; ++length) {
          const std::uint32_t c = costs_.length[length] + distanceCost + cost_[i + length];
          if (c < matchBest) {
            matchBest = c;
            matchLength = length;
          }
        }
        if (matchLength != 0) {
          best = matchBest;
          chosen = {static_cast<std::uint16_t>(matchLength), match.distance};
        }
      }
      cost_[i] = best;
      choice_[i] = chosen;
    }
  }

  // The symbols the parse chose, counted for the next costs.
  void Count(std::size_t start, std::size_t end) {
    std::fill(literalCounts_.begin(), literalCounts_.end(), 0);
    std::fill(distanceCounts_.begin(), distanceCounts_.end(), 0);
    literalCounts_[deflate::kEndOfBlock] = 1;
    for (std::size_t i = 0; i < end - start; i += choice_[i].length) {
      if (choice_[i].distance == 0) {
        ++literalCounts_[data_[start + i]];
      } else {
        ++literalCounts_[257 + deflate::LengthCode(choice_[i].length)];
        ++distanceCounts_[deflate::DistanceCode(choice_[i].distance)];
      }
    }
  }

  void Emit(std::size_t start, std::size_t end) {
    for (std::size_t i = 0; i < end - start; i += choice_[i].length) {
      if (choice_[i].distance == 0) {
        blocks_.Literal(data_[start + i]);
      } else {
        blocks_.Match(choice_[i].length, choice_[i].distance);
      }
    }
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t keyEnd_;  // a key reads eight bytes
  std::size_t primed_;
  deflate::BlockWriter blocks_;
  std::vector<std::uint32_t> head3_ = std::vector<std::uint32_t>(std::size_t{1} << kHashBits, 0);
  std::vector<std::uint32_t> head_ = std::vector<std::uint32_t>(std::size_t{1} << kHashBits, 0);
  std::vector<std::uint32_t> previous_ = std::vector<std::uint32_t>(kWindow, 0);
  std::size_t runEnd_ = 0;
  std::array<std::size_t, 2> recent_{1, 1};
  std::vector<Match> matches_;
  std::vector<std::uint32_t> firstMatch_;
  std::vector<std::uint32_t> cost_;
  std::vector<Match> choice_;
  std::size_t lastBits_ = 0;
  Costs costs_;
  std::vector<std::uint32_t> literalCounts_ = std::vector<std::uint32_t>(deflate::kLiteralLengthCodes, 0);
  std::vector<std::uint32_t> distanceCounts_ = std::vector<std::uint32_t>(deflate::kDistanceCodes, 0);
};

}  // namespace

std::vector<std::uint8_t> IndexDeflate(const std::uint8_t* data, std::size_t primed, std::size_t size, bool last) {
  std::vector<std::uint8_t> out;
  out.reserve((size - primed) / 8 + 64);
  IndexDeflater(data, primed, size, out).Run(last);
  return out;
}

}  // namespace vistrane
