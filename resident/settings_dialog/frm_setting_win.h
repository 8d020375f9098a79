#pragma once
// frmSetting: the modeless settings dialog. It shows the live settings record
// and edits it in place; the rules it follows are in the portable files of
// this folder, the window only copies values between record and controls.
#include <windows.h>

#include <map>
#include <optional>
#include <span>
#include <string>

#include "platform/base_window.h"
#include "platform/printer.h"
#include "resident/settings_dialog/dialog_printer_win.h"
#include "resident/settings_dialog/dir_list_win.h"
#include "resident/settings_dialog/option_groups.h"
#include "resident/settings_dialog/setting_controls_win.h"
#include "shared/settings_record.h"
#include "shared/settings_store.h"

namespace vistrane {

class FrmSetting final : public BaseWindow<FrmSetting> {
 public:
  static const wchar_t* ClassName() { return L"VistraneSettingForm"; }
  static void CustomizeClass(WNDCLASSEXW& windowClass);

  // The dialog edits `record` (the program's live settings), stores it in
  // `store` on OK and chooses the paper of `printer`.
  FrmSetting(SettingsRecord& record, SettingsStore& store, Printer& printer)
      : record_(record), store_(store), printer_(printer) {}

  // PopSetting: creates the dialog and runs its opening sequence, or brings
  // the open one forward untouched. Throws Win32Error when it cannot be made.
  void PopSetting();

  // Closes the dialog without storing or restoring anything; nothing happens
  // when it is not open.
  void Form_Unload() noexcept {
    closing_ = true;  // the focused field's focus-loss is not an edit
    Destroy();
  }

  // The keyboard handling of a dialog (Tab, arrows, Esc) for messages of the
  // open dialog; true when the message was used and must not be dispatched.
  bool PreTranslateMessage(MSG& message);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Form_Load();
  // Check_DirName, the folder list at DirName, and the snapshot Cancel restores.
  void Init_Save(std::span<const std::wstring> fixedDrives);
  void OptionClick(const OptionGroup& group, const OptionButton& button);
  void Disp_FileName();
  void Disp_PrtName();
  void Disp_PaperSize();
  void ShowChoices(ctl::Id list, const ChoiceList& choices);
  void FillChoices(ctl::Id list, const ChoiceList& choices);
  void drvBox_Click();
  void dirList_Open();
  void dirList_Change();
  void PrtName_Click();
  void PaperSize_Click();
  // The field's text into the record; the refusal message, or empty.
  std::wstring_view ApplyText(ctl::Id id);
  void TextLostFocus(ctl::Id id);
  void RefuseText(ctl::Id id);
  void btnOK_Click();
  void btnCancel_Click();
  void OnCommand(int id, int code, HWND control);
  void OnEnter();
  LRESULT OnControlColor(UINT message, HDC dc, HWND control);
  void OnDpiChanged(UINT dpi, const RECT& suggested);

  std::wstring TextOf(ctl::Id id) const;
  // The selected entry's text of a drop-down list; nullopt when none is.
  std::optional<std::wstring> SelectedText(ctl::Id id) const;
  void SetText(ctl::Id id, const std::wstring& text);

  SettingsRecord& record_;
  SettingsStore& store_;
  WindowsDialogPrinter printer_;
  SettingControls controls_;
  // The lists of pages not shown yet, as the opening sequence chose them.
  std::map<ctl::Id, ChoiceList> waitingChoices_;
  DirList dirList_;
  SettingsRecord snapshot_;
  int daysBackColor_ = kSystemColorWindow;
  HWND lastFocus_ = nullptr;
  bool refusing_ = false;  // a refusal's message is up: other fields wait
  bool closing_ = false;
};

}  // namespace vistrane
