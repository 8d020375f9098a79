#include "resident/settings_dialog/settings_commit.h"

#include <cstdint>
#include <string>
#include <variant>

#include "shared/setting_keys.h"
#include "shared/stored_settings.h"

namespace vistrane {
namespace {

using R = SettingsRecord;
using Field = std::variant<std::int16_t R::*, std::wstring R::*>;

// In the order btnCancel_Click compares and copies them.
const Field kRestored[] = {
    &R::PrtOutputMode, &R::FileOutputMode, &R::MailSendMode, &R::MailAdd,
    &R::MailKenmei,    &R::MailNote,       &R::Orientation,  &R::ZoomMode,
    &R::PrtYokoHaichi, &R::PrtTateHaichi,  &R::DirName,      &R::Filename,
    &R::FileOutMode,   &R::ColorMode,      &R::AutoDel,      &R::AutoDelDate,
    &R::MailComp,      &R::OutputFileMode, &R::PrtDeviceName, &R::PrtPaperSize,
    &R::Drive,
};

}  // namespace

bool CheckDirName(SettingsRecord& record, SettingsStore& store, bool dirNameExists) {
  if (dirNameExists) return false;
  record.DirName = record.Drive;
  store.SaveSetting(keys::DirName, record.DirName);
  return true;
}

bool AnyOutputOn(const SettingsRecord& record) {
  return record.PrtOutputMode != 0 || record.FileOutputMode != 0 || record.MailSendMode != 0;
}

void StoreDialogSettings(const SettingsRecord& record, SettingsStore& store) {
  for (const StoredSetting& setting : StoredSettings()) {
    if (setting.key == keys::SaveCont) continue;
    store.SaveSetting(setting.key, StoredText(record, setting));
  }
}

void RestoreSnapshot(SettingsRecord& record, const SettingsRecord& snapshot) {
  for (const Field& field : kRestored) {
    std::visit([&](auto member) { record.*member = snapshot.*member; }, field);
  }
}

}  // namespace vistrane
