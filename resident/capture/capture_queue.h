#pragma once
// Screen copies that arrive while a capture runs (its message box lets the
// next clipboard notices in): each waits here, taken off the clipboard at its
// notice, and becomes its own capture once the running one has finished, in
// the order the copies came. What waits is bounded; a copy past the bound is
// counted, so the user learns how many were not kept.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>

namespace vistrane {

template <typename Copy>
class CaptureQueue {
 public:
  static constexpr std::size_t kMaxCopies = 8;
  static constexpr std::uint64_t kMaxBytes = std::uint64_t{256} << 20;

  // Keeps the copy, `bytes` large, behind the others when it fits within
  // both bounds beside them; otherwise drops it (its memory goes back) and
  // counts it as not kept. A smaller copy that comes later may still fit.
  bool Offer(Copy copy, std::uint64_t bytes) {
    if (waiting_.size() >= kMaxCopies || bytes > kMaxBytes - waitingBytes_) {
      ++notKept_;
      return false;
    }
    waiting_.push_back({std::move(copy), bytes});
    waitingBytes_ += bytes;
    return true;
  }

  // The copy that came first, taken out of the queue; nullopt when none waits.
  std::optional<Copy> Next() {
    if (waiting_.empty()) return std::nullopt;
    std::optional<Copy> next(std::move(waiting_.front().copy));
    waitingBytes_ -= waiting_.front().bytes;
    waiting_.pop_front();
    return next;
  }

  // How many copies were not kept since the last report, told once no copy
  // waits (the user hears it after the captures, not between them); 0 while
  // copies wait. The count starts again from 0.
  int TakeNotKept() {
    if (!waiting_.empty()) return 0;
    return std::exchange(notKept_, 0);
  }

  // Drops every waiting copy and the count: the program is ending.
  void Clear() noexcept {
    waiting_.clear();
    waitingBytes_ = 0;
    notKept_ = 0;
  }

 private:
  struct Waiting {
    Copy copy;
    std::uint64_t bytes;
  };
  std::deque<Waiting> waiting_;
  std::uint64_t waitingBytes_ = 0;
  int notKept_ = 0;
};

// The message for the copies that were not kept.
inline std::wstring NotKeptMessage(int count) {
  return L"画面のコピーが多すぎるため、" + std::to_wstring(count) + L" 枚は保存されませんでした。";
}

}  // namespace vistrane
