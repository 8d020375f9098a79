#include "resident/settings_dialog/frm_setting_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "resident/settings_dialog/control_ids.h"
#include "tests/doubles/memory_settings_store.h"

namespace vistrane {
namespace {

RECT PlaceIn(HWND dialog, int id) {
  RECT rect{};
  EXPECT_TRUE(GetWindowRect(GetDlgItem(dialog, id), &rect));
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int FontHeight(HWND parent, int id) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(parent, id), WM_GETFONT, 0, 0));
  LOGFONTW description{};
  EXPECT_EQ(GetObjectW(font, sizeof(description), &description), static_cast<int>(sizeof(description)));
  return std::abs(description.lfHeight);
}

// Moved to a monitor with another scale, the dialog takes the window place
// the system suggests and lays its controls and fonts out again for it; the
// printer page's lists, made when the page is first shown, follow too, first
// in the page's Tab order. The next opening is at the monitor's own scale again.
TEST(FrmSetting, FollowsTheDpiOfTheMonitorItIsMovedTo) {
  SettingsRecord record;
  record.Drive = L"C:\\";
  record.DirName = L"C:\\";
  record.Filename = L"Vstrn";
  MemorySettingsStore store;
  Printer printer;
  FrmSetting dialog(record, store, printer);
  dialog.PopSetting();
  const HWND window = dialog.Window();
  ASSERT_NE(window, nullptr);
  const UINT dpi = GetDpiForWindow(window);
  RECT client{};
  ASSERT_TRUE(GetClientRect(window, &client));
  EXPECT_EQ(client.right, MulDiv(8985, static_cast<int>(dpi), 1440));
  EXPECT_EQ(client.bottom, MulDiv(5145, static_cast<int>(dpi), 1440));
  const RECT okBefore = PlaceIn(window, ctl::btnOK);
  const RECT optionBefore = PlaceIn(window, ctl::rbtnColor2);
  const int fontBefore = FontHeight(window, ctl::btnOK);

  const UINT larger = dpi * 3 / 2;
  RECT suggested{100, 50, 100 + MulDiv(8985, static_cast<int>(larger), 1440),
                 50 + MulDiv(5145, static_cast<int>(larger), 1440)};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(larger, larger),
               reinterpret_cast<LPARAM>(&suggested));

  RECT placed{};
  ASSERT_TRUE(GetWindowRect(window, &placed));
  EXPECT_EQ(placed.left, suggested.left);
  EXPECT_EQ(placed.right - placed.left, suggested.right - suggested.left);
  const RECT okAfter = PlaceIn(window, ctl::btnOK);
  EXPECT_NEAR(okAfter.left, okBefore.left * 3 / 2, 1);
  EXPECT_NEAR(okAfter.bottom - okAfter.top, (okBefore.bottom - okBefore.top) * 3 / 2, 1);
  // Option buttons are laid out by the width of their captions in the new font.
  const RECT optionAfter = PlaceIn(window, ctl::rbtnColor2);
  EXPECT_GT(optionAfter.left, optionBefore.left * 5 / 4);
  EXPECT_NEAR(FontHeight(window, ctl::btnOK), fontBefore * 3 / 2, 1);

  const HWND tabs = GetDlgItem(window, ctl::SSTab1);
  SendMessageW(tabs, TCM_SETCURSEL, 0, 0);
  NMHDR selected{tabs, ctl::SSTab1, TCN_SELCHANGE};
  SendMessageW(window, WM_NOTIFY, ctl::SSTab1, reinterpret_cast<LPARAM>(&selected));
  const HWND page = GetDlgItem(window, ctl::frmPrinterSet);
  EXPECT_NEAR(FontHeight(page, ctl::PrtName), fontBefore * 3 / 2, 1);
  const HWND first = GetNextDlgTabItem(page, nullptr, FALSE);
  EXPECT_EQ(first, GetDlgItem(page, ctl::PrtName));
  EXPECT_EQ(GetNextDlgTabItem(page, first, FALSE), GetDlgItem(page, ctl::PaperSize));

  dialog.Form_Unload();
  EXPECT_EQ(dialog.Window(), nullptr);
  dialog.PopSetting();
  EXPECT_EQ(FontHeight(dialog.Window(), ctl::btnOK), fontBefore);
  EXPECT_EQ(PlaceIn(dialog.Window(), ctl::rbtnColor2).left, optionBefore.left);
  dialog.Form_Unload();
}

}  // namespace
}  // namespace vistrane
