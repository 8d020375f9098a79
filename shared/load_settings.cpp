#include "shared/load_settings.h"

#include <algorithm>
#include <optional>
#include <span>

#include "shared/date_text.h"
#include "shared/errors.h"
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

// Only a value the store does not hold is missing: one it cannot read is the
// user's all the same.
bool IsMissing(const SettingsStore& store, std::wstring_view key) {
  try {
    return !store.ReadSetting(key);
  } catch (const StoreError&) {
    return false;
  }
}

// The stored text, or nullopt for a missing value and for one the store
// cannot read: either leaves the default in the field.
std::optional<std::wstring> ReadableText(const SettingsStore& store, std::wstring_view key) {
  try {
    return store.ReadSetting(key);
  } catch (const StoreError&) {
    return std::nullopt;
  }
}

}  // namespace

std::wstring DriveOfFolder(std::wstring_view folder) {
  return std::wstring(folder.substr(0, 3));
}

LoadedSettings LoadSettings(SettingsStore& store, const Clock& clock,
                            std::wstring_view programFolder) {
  const std::wstring today = FormatYyyymmdd(clock.Now());
  const SettingsRecord defaults = FirstStartRecord(programFolder);
  LoadedSettings loaded{defaults, {}};

  // A first start writes OutPutMode and no writer ever removes it, so a
  // missing one means this program has not set up its settings in this store
  // yet.
  try {
    if (IsMissing(store, keys::OutPutMode)) {
      store.SaveSetting(keys::GDate, today);
      SaveAll(store, defaults, StoredSettings());
    }
    if (IsMissing(store, keys::ColorMode)) {
      SaveAll(store, defaults, KeysAddedByUpgrade());
    }
  } catch (const StoreError& e) {
    loaded.refusedWrite = e.message();
  }

  for (const StoredSetting& s : StoredSettings()) {
    if (const auto text = ReadableText(store, s.key)) ReadStoredText(loaded.record, s, *text);
  }

  if (ReadableText(store, keys::GDate) != today) loaded.record.SaveCont = 0;
  return loaded;
}

}  // namespace vistrane
