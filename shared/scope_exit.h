#pragma once
// Work that must happen on every way out of a scope, the exceptional ones
// included.
#include <type_traits>
#include <utility>

namespace vistrane {

// Runs a callable at the end of scope, whatever the way out. The callable
// must not throw: it runs during unwinding.
template <typename F>
class ScopeExit {
 public:
  explicit ScopeExit(F action) noexcept(std::is_nothrow_move_constructible_v<F>)
      : action_(std::move(action)) {}
  ~ScopeExit() { action_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  F action_;
};

}  // namespace vistrane
