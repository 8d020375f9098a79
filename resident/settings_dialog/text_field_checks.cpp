#include "resident/settings_dialog/text_field_checks.h"

#include <cstdint>
#include <limits>
#include <string>

namespace vistrane {

std::wstring_view ApplyFileName(SettingsRecord& record, std::wstring_view text) {
  if (text.empty()) return kFileNameEmptyMessage;
  record.Filename = std::wstring(text);
  return {};
}

std::wstring_view ApplyAutoDelDate(SettingsRecord& record, std::wstring_view text) {
  const std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return kDaysNotNumberMessage;
  const std::size_t last = text.find_last_not_of(L' ');
  int value = 0;
  for (const wchar_t c : text.substr(first, last - first + 1)) {
    if (c < L'0' || c > L'9') return kDaysNotNumberMessage;
    // Only a text longer than the field allows can come near the limit.
    value = value * 10 + (c - L'0');
    if (value > std::numeric_limits<std::int16_t>::max()) return kDaysNotNumberMessage;
  }
  if (value == 0) return kDaysZeroMessage;
  record.AutoDelDate = static_cast<std::int16_t>(value);
  return {};
}

}  // namespace vistrane
