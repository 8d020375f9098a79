// Vistrane: the resident screen-capture program. No visible window; a tray
// icon, the clipboard-viewer chain and a capture for every screen copy.
#include <windows.h>

#include "platform/com_apartment.h"
#include "platform/error_report.h"
#include "resident/shell/frm_vistrane_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const vistrane::ComApartment com;  // JPEG files are written through COM
  vistrane::FrmVistrane frmVistrane;
  try {
    frmVistrane.Form_Load();
  } catch (...) {
    vistrane::ReportCurrentException(nullptr);
    return 1;
  }
  MSG message{};
  BOOL got = 0;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
    // Tab, Enter and Esc act in the program's own boxes as they do in dialogs.
    if (frmVistrane.PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : 1;
}
