#include "shared/load_settings.h"

#include <optional>
#include <utility>

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

// One read of a value: its text, or nullopt when the store does not hold it
// (missing) or cannot read it. An unreadable value is the user's all the
// same: it is not missing, and it leaves the default in the field.
struct StoredValue {
  std::optional<std::wstring> text;
  bool missing = false;
};

StoredValue ReadValue(const SettingsStore& store, std::wstring_view key) {
  try {
    std::optional<std::wstring> text = store.ReadSetting(key);
    const bool missing = !text;
    return {std::move(text), missing};
  } catch (const StoreError&) {
    return {};
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

  // Each value is read once. One the store lacks gets its default and one it
  // holds is never touched: a first start writes them all, an older store
  // gets the eleven from ColorMode on, a store set up by other means (a
  // deployment script that wrote the folder and the name) whatever it lacks.
  // GDate is the day of SaveCont, so it is written only with a new SaveCont:
  // a counter of unknown day counts as not today's. A refused write ends the
  // writes.
  const auto writeDefault = [&](std::wstring_view key, std::wstring_view text) {
    if (!loaded.refusedWrite.empty()) return false;
    try {
      store.SaveSetting(key, text);
      return true;
    } catch (const StoreError& e) {
      loaded.refusedWrite = e.message();
      return false;
    }
  };
  StoredValue gdate = ReadValue(store, keys::GDate);
  if (gdate.missing && ReadValue(store, keys::SaveCont).missing &&
      writeDefault(keys::GDate, today)) {
    gdate.text = today;
  }
  // The default that was written, or could not be, is already in the field.
  for (const StoredSetting& s : StoredSettings()) {
    const StoredValue value = ReadValue(store, s.key);
    if (value.text) {
      ReadStoredText(loaded.record, s, *value.text);
    } else if (value.missing) {
      writeDefault(s.key, StoredText(defaults, s));
    }
  }

  if (gdate.text != today) loaded.record.SaveCont = 0;
  return loaded;
}

}  // namespace vistrane
