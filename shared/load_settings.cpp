#include "shared/load_settings.h"

#include <optional>

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

  // Each value the store lacks gets its default and a value it holds is never
  // touched: a first start writes them all, an older store gets the eleven
  // from ColorMode on, a store set up by other means (a deployment script
  // that wrote the folder and the name) whatever it lacks. GDate is the day of
  // SaveCont, so it is written only with a new SaveCont: a counter of unknown
  // day counts as not today's.
  try {
    if (IsMissing(store, keys::GDate) && IsMissing(store, keys::SaveCont)) {
      store.SaveSetting(keys::GDate, today);
    }
    for (const StoredSetting& s : StoredSettings()) {
      if (IsMissing(store, s.key)) store.SaveSetting(s.key, StoredText(defaults, s));
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
