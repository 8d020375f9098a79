#include "mailsend/unlha32/lh5_encoder.h"

#include "mailsend/unlha32/lh5_block_writer.h"
#include "mailsend/unlha32/lh5_format.h"
#include "mailsend/unlha32/lz_match_finder.h"

namespace vistrane {
namespace {

// Search effort: candidates per position, fewer once a good match is in
// hand; a match this long is taken without looking one byte further.
constexpr unsigned kMaxCandidates = 128;
constexpr std::size_t kGoodMatch = 32;
constexpr std::size_t kLazyLimit = 128;
// A 3-byte match this far away costs more bits than three literals.
constexpr std::size_t kFarForShortest = 2048;

LzMatch Worthwhile(LzMatch match) {
  if (match.length == lh5::kMinMatch && match.distance > kFarForShortest) return {};
  return match;
}

}  // namespace

// Lazy matching: a match found at one position is emitted only if the next
// position does not start a longer one; otherwise a literal goes out and the
// longer match becomes the candidate.
std::vector<std::uint8_t> EncodeLh5(std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> out;
  if (data.empty()) return out;
  out.reserve(data.size() / 4);
  Lh5BlockWriter writer(out);
  LzMatchFinder finder(data);

  LzMatch pending;             // the match that starts one byte back
  bool havePrevious = false;   // whether that byte still needs emitting
  std::size_t position = 0;
  while (position < data.size()) {
    finder.Insert(position);
    LzMatch here;
    if (pending.length < kLazyLimit) {
      const unsigned effort = pending.length >= kGoodMatch ? kMaxCandidates / 4 : kMaxCandidates;
      here = Worthwhile(finder.Find(position, pending.length, effort));
    }
    if (pending.length >= lh5::kMinMatch && here.length <= pending.length) {
      writer.AddMatch(pending.length, pending.distance);
      const std::size_t end = position - 1 + pending.length;
      while (++position < end) finder.Insert(position);
      pending = {};
      havePrevious = false;
      continue;
    }
    if (havePrevious) writer.AddLiteral(data[position - 1]);
    pending = here;
    havePrevious = true;
    ++position;
  }
  if (havePrevious) writer.AddLiteral(data[position - 1]);
  writer.Finish();
  return out;
}

}  // namespace vistrane
