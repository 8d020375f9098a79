#include "resident/settings_dialog/settings_commit.h"

#include <utility>

#include "resident/capture/auto_delete.h"
#include "shared/output_modes.h"
#include "shared/setting_keys.h"
#include "shared/stored_settings.h"

namespace vistrane {

bool CheckDirName(SettingsRecord& record, SettingsStore& store, bool dirNameExists) {
  if (dirNameExists) return false;
  record.DirName = record.Drive;
  store.SaveSetting(keys::DirName, record.DirName);
  return true;
}

bool AnyOutputOn(const SettingsRecord& record) {
  return PrintsOn(record) || WritesFile(record) || MailsOn(record);
}

void StoreDialogSettings(const SettingsRecord& record, SettingsStore& store) {
  for (const StoredSetting& setting : StoredSettings()) {
    if (setting.key == keys::SaveCont) continue;
    if (setting.key == keys::AutoDelDate && !IsAutoDelDateInRange(record.AutoDelDate)) continue;
    store.SaveSetting(setting.key, StoredText(record, setting));
  }
}

void RestoreSnapshot(SettingsRecord& record, const SettingsRecord& snapshot) {
  SettingsRecord restored = snapshot;
  restored.OutPutMode = record.OutPutMode;
  restored.DialogMode = record.DialogMode;
  restored.SaveCont = record.SaveCont;
  record = std::move(restored);
}

}  // namespace vistrane
