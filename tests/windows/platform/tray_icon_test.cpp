#include "platform/tray_icon.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/base_window.h"

namespace vistrane {
namespace {

class TrayOwner : public BaseWindow<TrayOwner> {
 public:
  static const wchar_t* ClassName() { return L"VistraneTrayIconTest"; }
  TrayOwner() { Create(L"tray owner", WS_OVERLAPPED); }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(message, wParam, lParam);
  }
};

TEST(TrayIconTest, AddDeleteAndReAdd) {
  TrayOwner owner;
  const HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
  TrayIcon tray;
  EXPECT_FALSE(tray.ReAdd()) << "nothing to show before Add";

  ASSERT_TRUE(tray.Add(owner.Window(), 1, WM_MBUTTONDOWN, icon, L"Vistrane"));
  EXPECT_TRUE(tray.Shown());
  // As after a TaskbarCreated broadcast without a restart: the icon is
  // still there, and showing it again must still succeed.
  EXPECT_TRUE(tray.ReAdd());

  tray.Delete();
  EXPECT_FALSE(tray.Shown());
  tray.Delete();
  NOTIFYICONDATAW probe{};
  probe.cbSize = sizeof(probe);
  probe.hWnd = owner.Window();
  probe.uID = 1;
  EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &probe)) << "the icon is gone already";

  EXPECT_TRUE(tray.ReAdd());
  EXPECT_TRUE(tray.Add(owner.Window(), 1, WM_MBUTTONDOWN, icon, std::wstring(300, L'x')))
      << "a long tip is cut, not refused";
}

TEST(TrayIconTest, TaskbarCreatedIsARegisteredMessage) {
  EXPECT_GE(TaskbarCreatedMessage(), 0xC000u);
  EXPECT_EQ(TaskbarCreatedMessage(), RegisterWindowMessageW(L"TaskbarCreated"));
}

}  // namespace
}  // namespace vistrane
