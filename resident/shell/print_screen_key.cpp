#include "resident/shell/print_screen_key.h"

namespace vistrane {
namespace {

// The build as a number; nullopt for anything but decimal digits. Values
// beyond any real build saturate, so they still count as "later".
std::optional<std::uint32_t> BuildNumber(const std::wstring& text) {
  if (text.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value > 100'000'000 ? value : value * 10 + static_cast<std::uint32_t>(c - L'0');
  }
  return value;
}

}  // namespace

bool ShouldAskForPrintScreenKey(const PrintScreenKeyState& state) {
  if (state.asked == kPrintScreenKeyAskedValue) return false;
  if (!state.currentBuildNumber) return false;
  const std::optional<std::uint32_t> build = BuildNumber(*state.currentBuildNumber);
  if (!build || *build < kFirstWindows11Build) return false;
  return state.snippingEnabled.value_or(1) != 0;
}

}  // namespace vistrane
