#pragma once
// The about box frmVersion: product, version, the Windows versions, the
// copyright and contact lines, and the names of the signed-in user and of the
// computer, read when the box loads. Modeless; one at a time.
#include <windows.h>

#include "platform/base_window.h"
#include "platform/unique_handle.h"
#include "resident/about/version_form.h"

namespace vistrane {

class FrmVersion final : public BaseWindow<FrmVersion> {
 public:
  static const wchar_t* ClassName() { return L"VistraneVersionForm"; }
  static void CustomizeClass(WNDCLASSEXW& windowClass);

  // `unloaded` is posted to `owner` once the window is gone, so the owner can
  // release this instance outside the window's own message handling.
  FrmVersion(HWND owner, UINT unloaded) : owner_(owner), unloaded_(unloaded) {}

  // Loads the box centred on the monitor under the cursor and shows it; a box
  // that is already loaded is only brought to the front. Throws Win32Error.
  void Show();

  // Gives the box's keys (Tab, Enter, Esc) their dialog meaning; true when
  // the message was handled.
  bool PreTranslateMessage(MSG& message);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // Creates the controls and reads the user and computer names.
  void Form_Load();
  void btnOK_Click() { Destroy(); }
  // Places the controls and sets their font for the DPI.
  void LayOut(UINT dpi);
  void Paint(HDC dc) const;
  HWND Control(int id) const { return GetDlgItem(Window(), id); }

  HWND owner_;
  UINT unloaded_;
  VersionFormLayout layout_;
  UniqueHfont font_;
  UniqueHbitmap Image1;
};

}  // namespace vistrane
