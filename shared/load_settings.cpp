#include "shared/load_settings.h"

#include <algorithm>
#include <span>

#include "shared/date_text.h"
#include "shared/folder_path.h"
#include "shared/setting_keys.h"
#include "shared/stored_settings.h"

namespace vistrane {

SettingsRecord FirstStartRecord(std::wstring_view programFolder) {
  SettingsRecord r;
  r.OutPutMode = 1;
  r.Orientation = 1;
  r.ZoomMode = 1;
  r.PrtYokoHaichi = 1;
  r.PrtTateHaichi = 1;
  r.Drive = DriveOfFolder(programFolder);
  r.DirName = JoinPath(r.Drive, L"VstrnTmp");
  r.Filename = L"Vstrn";
  r.FileOutMode = 1;
  r.DialogMode = 1;
  r.SaveCont = 0;
  r.ColorMode = 1;
  r.AutoDel = 1;
  r.AutoDelDate = 10;
  r.OutputFileMode = 1;
  r.PrtOutputMode = 1;
  r.FileOutputMode = 1;
  r.MailSendMode = 0;
  r.MailComp = 1;
  return r;
}

namespace {

// Stores written before ColorMode existed lack the eleven keys from ColorMode
// to MailComp, the tail of the stored settings.
std::span<const StoredSetting> KeysAddedByUpgrade() {
  const std::span<const StoredSetting> all = StoredSettings();
  const auto first = std::find_if(all.begin(), all.end(), [](const StoredSetting& s) {
    return s.key == keys::ColorMode;
  });
  return all.subspan(static_cast<std::size_t>(first - all.begin()));
}

void SaveAll(SettingsStore& store, const SettingsRecord& values,
             std::span<const StoredSetting> settings) {
  for (const StoredSetting& s : settings) store.SaveSetting(s.key, StoredText(values, s));
}

}  // namespace

std::wstring DriveOfFolder(std::wstring_view folder) {
  return std::wstring(folder.substr(0, 3));
}

SettingsRecord LoadSettings(SettingsStore& store, const Clock& clock,
                            std::wstring_view programFolder) {
  const std::wstring today = FormatYyyymmdd(clock.Now());
  const SettingsRecord defaults = FirstStartRecord(programFolder);

  // A first start writes OutPutMode and no writer ever empties it, so an empty
  // one means this program has not set up its settings in this store yet.
  if (store.GetSetting(keys::OutPutMode).empty()) {
    store.SaveSetting(keys::GDate, today);
    SaveAll(store, defaults, StoredSettings());
  }
  if (store.GetSetting(keys::ColorMode).empty()) {
    SaveAll(store, defaults, KeysAddedByUpgrade());
  }

  SettingsRecord record = defaults;
  for (const StoredSetting& s : StoredSettings()) {
    // A failed read keeps the default already in the field.
    ReadStoredText(record, s, store.GetSetting(s.key));
  }

  if (store.GetSetting(keys::GDate) != today) record.SaveCont = 0;
  return record;
}

}  // namespace vistrane
