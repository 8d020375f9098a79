#pragma once
// The dialog's life with the settings record: the folder check and snapshot
// when it opens, OK that stores the record, Cancel that puts the snapshot back.
#include <string_view>

#include "shared/settings_record.h"
#include "shared/settings_store.h"

namespace vistrane {

inline constexpr std::wstring_view kNoOutputMessage =
    L"プリンタ・ファイル・メールのいずれかを出力設定して下さい。";

// Check_DirName: a DirName that names nothing is replaced by Drive, in the
// record and at once in the store. Returns true when it replaced it. Throws
// StoreError when the store refuses (the record has changed by then).
bool CheckDirName(SettingsRecord& record, SettingsStore& store, bool dirNameExists);

// btnOK_Click's test: false when printing, files and mail are all off, read
// as the capture reads them (only 1 is on); the dialog then shows
// kNoOutputMessage and stores nothing.
bool AnyOutputOn(const SettingsRecord& record);

// btnOK_Click's writes: the 21 stored keys from OutPutMode to MailComp in the
// record's order, all but SaveCont. An AutoDelDate out of 1 to 999 can only be
// the stored one, shown as it is and not edited (the field takes nothing
// else): it is not written, so the store keeps its own text, which the
// deletion pass ignores. Throws StoreError at the first refusal.
void StoreDialogSettings(const SettingsRecord& record, SettingsStore& store);

// btnCancel_Click: the 21 fields the dialog can change, copied back from the
// snapshot Init_Save took. OutPutMode, DialogMode and SaveCont (which captures
// raise while the dialog is open) keep their current values.
void RestoreSnapshot(SettingsRecord& record, const SettingsRecord& snapshot);

}  // namespace vistrane
