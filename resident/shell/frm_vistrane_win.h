#pragma once
// The resident program's hidden main form: it owns the tray icon and its menu,
// the place in the clipboard-viewer chain, the capture picture and the
// settings record, and runs a capture for every screen copy.
#include <windows.h>

#include <memory>
#include <optional>

#include "platform/base_window.h"
#include "platform/printer.h"
#include "platform/registry_settings_store.h"
#include "platform/system_clock.h"
#include "platform/tray_icon.h"
#include "platform/unique_handle.h"
#include "resident/about/frm_version_win.h"
#include "resident/capture/capture_host_win.h"
#include "resident/capture/capture_queue.h"
#include "resident/output/frm_exec_win.h"
#include "resident/settings_dialog/frm_setting_win.h"
#include "resident/shell/clipboard_viewer_win.h"
#include "shared/settings_record.h"

namespace vistrane {

class FrmVistrane final : public BaseWindow<FrmVistrane> {
 public:
  // The tray icon reports its mouse events with this message, lParam holding
  // the mouse message.
  static constexpr UINT kTrayCallbackMessage = 0x0207;
  static constexpr UINT kTrayIconId = 1;
  // Posted to itself at the end of the start-up: the Windows 11 key question.
  static constexpr UINT kOfferPrintScreenKeyMessage = WM_APP + 1;
  // Posted by frmVersion when its window is gone.
  static constexpr UINT kFrmVersionUnloadedMessage = WM_APP + 2;

  static const wchar_t* ClassName() { return L"VistraneMainForm"; }
  static void CustomizeClass(WNDCLASSEXW& windowClass);

  FrmVistrane() = default;
  ~FrmVistrane();

  // Creates the hidden form and runs the start-up. Throws when the form itself
  // cannot be created; everything after that reports its own failures.
  void Form_Load();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Gives an open modeless dialog its keyboard handling; true when the
  // message was used there and must not be dispatched.
  bool PreTranslateMessage(MSG& message) {
    return frmSetting.PreTranslateMessage(message) ||
           (frmVersion && frmVersion->PreTranslateMessage(message));
  }

 private:
  void AddTrayIcon();
  void LoadSettingsOrDefaults();
  void CreateOutputFolderIfMissing();
  // Deletes the expired image files; runs once, at start-up, when AutoDel is 1.
  void AutoDeleteFiles() noexcept;
  // The window procedure's handling of the clipboard-viewer notices.
  LRESULT ViewerWndProc(UINT message, WPARAM wParam, LPARAM lParam);
  void ClipbordCapture();
  // Runs the capture of `next`, then those of the copies that wait, then
  // says how many copies were not kept.
  void RunCaptures(std::optional<ScreenCopy> next);
  void RunCapture(ScreenCopy& copy) noexcept;
  void OnTrayMouse(UINT mouseMessage);
  void ShowPopMenu();
  void PopSetting_Click();
  void PopVersion_Click();
  void PopExit_Click();
  // A close that does not come from the tray menu (an installer, the end of
  // the session): nobody may be there to answer a message box, so the open
  // one is closed and the program ends after the step in hand.
  void CloseFromOutside();
  // Leaves the viewer chain and removes the tray icon; runs on every way out.
  void Form_QueryUnload() noexcept;

  RegistrySettingsStore store_;
  SystemClock clock_;
  // The live settings: the settings dialog edits them, each capture takes a
  // copy at its start and gives back the daily counter.
  SettingsRecord record_;
  Printer printer_;  // the current printer, kept for the whole run
  FrmExec frmExec;
  // Edits record_ in place: a capture taken while it is open uses its values.
  FrmSetting frmSetting{record_, store_, printer_};
  // Loaded while the about box is open; released when it closes.
  std::unique_ptr<FrmVersion> frmVersion;
  TrayIcon tray_;
  ClipboardViewer viewer_;
  UniqueHmenu PopMenu;
  UINT taskbarCreated_ = 0;
  bool startingUp_ = true;
  bool capturing_ = false;
  // The copies that arrived during a capture or the start-up.
  CaptureQueue<ScreenCopy> waiting_;
  bool quitRequested_ = false;
};

}  // namespace vistrane
