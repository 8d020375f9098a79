#include "shared/setting_text.h"

namespace vistrane {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::optional<std::int16_t> ParseInt16(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);

  bool negative = false;
  if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
    negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;

  // The magnitude stops growing once it is past every 16-bit value, so long
  // digit strings cannot overflow the accumulator.
  constexpr std::int32_t kLimit = 32768;
  std::int32_t magnitude = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    if (magnitude <= kLimit) magnitude = magnitude * 10 + (c - L'0');
  }
  const std::int32_t value = negative ? -magnitude : magnitude;
  if (value < -32768 || value > 32767) return std::nullopt;
  return static_cast<std::int16_t>(value);
}

std::wstring FormatInt16(std::int16_t value) { return std::to_wstring(value); }

}  // namespace vistrane
