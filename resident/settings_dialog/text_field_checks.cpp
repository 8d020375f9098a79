#include "resident/settings_dialog/text_field_checks.h"

#include <algorithm>
#include <optional>
#include <string>

#include "shared/setting_text.h"

namespace vistrane {

std::wstring_view ApplyFileName(SettingsRecord& record, std::wstring_view text) {
  if (text.empty()) return kFileNameEmptyMessage;
  record.Filename = std::wstring(text);
  return {};
}

std::wstring_view ApplyAutoDelDate(SettingsRecord& record, std::wstring_view text) {
  // The field still shows the value as it was stored: nothing to take, also
  // when that value is out of range (it is shown as it is, and OK leaves it).
  if (text == FormatInt16(record.AutoDelDate)) return {};
  const std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return kDaysNotNumberMessage;
  const std::wstring_view digits = text.substr(first, text.find_last_not_of(L' ') - first + 1);
  // ParseInt16 also takes a sign, which the field refuses.
  const bool allDigits =
      std::all_of(digits.begin(), digits.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
  const std::optional<std::int16_t> days = allDigits ? ParseInt16(digits) : std::nullopt;
  if (!days) return kDaysNotNumberMessage;
  if (*days == 0) return kDaysZeroMessage;
  record.AutoDelDate = *days;
  return {};
}

}  // namespace vistrane
