#pragma once
// The stored keys that have a field in the settings record, and the text form
// of those fields. One table serves every reader and writer of the record, so
// the order of the keys is written down once.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "shared/settings_record.h"

namespace vistrane {

struct StoredSetting {
  std::wstring_view key;
  std::variant<std::int16_t SettingsRecord::*, std::wstring SettingsRecord::*> field;
};

// The 22 keys from OutPutMode to MailComp in the record's order, which is also
// the order of the first-start writes and of the load. PrtDeviceName and
// PrtPaperSize are not stored; GDate and tmpfile have no field.
std::span<const StoredSetting> StoredSettings();

// The field as the store keeps it: integers in plain decimal, text unchanged.
std::wstring StoredText(const SettingsRecord& record, const StoredSetting& setting);

// Sets the field from stored text. Returns false, leaving the field as it was,
// when an integer key's text is not a 16-bit decimal number.
bool ReadStoredText(SettingsRecord& record, const StoredSetting& setting, std::wstring_view text);

}  // namespace vistrane
