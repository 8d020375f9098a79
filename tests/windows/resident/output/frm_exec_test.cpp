#include "resident/output/frm_exec_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "platform/unique_handle.h"

namespace vistrane {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBack = RGB(128, 128, 255);
constexpr COLORREF kGreen = RGB(0, 204, 153);

// A visible window in front, as the window the user works in.
class UserWindow final : public BaseWindow<UserWindow> {
 public:
  static const wchar_t* ClassName() { return L"VistraneTestUserWindow"; }
  void Open() { Create(L"user", WS_POPUP | WS_VISIBLE, 0, 10, 10, 200, 100); }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(message, wParam, lParam);
  }
};

// A capture of one colour, as the picture box holds it.
void HoldRed(PictureBox& picture) {
  const WindowDc screen(nullptr);
  UniqueHbitmap bitmap(CreateCompatibleBitmap(screen.get(), 64, 48));
  const UniqueHdc memory(CreateCompatibleDC(screen.get()));
  const UniqueHbrush red(CreateSolidBrush(kRed));
  ASSERT_TRUE(bitmap && memory && red);
  {
    const SelectObjectScope selected(memory.get(), bitmap.get());
    const RECT all{0, 0, 64, 48};
    FillRect(memory.get(), &all, red.get());
  }
  picture.HoldBitmap(bitmap.get());
}

// The form's client area as it paints it, read back pixel by pixel.
class ClientCopy {
 public:
  ClientCopy(HWND form, int width, int height) {
    const WindowDc screen(nullptr);
    bitmap_.reset(CreateCompatibleBitmap(screen.get(), width, height));
    dc_.reset(CreateCompatibleDC(screen.get()));
    select_ = SelectObject(dc_.get(), bitmap_.get());
    SendMessageW(form, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.get()), PRF_CLIENT);
  }
  ~ClientCopy() { SelectObject(dc_.get(), select_); }
  COLORREF At(int x, int y) const { return GetPixel(dc_.get(), x, y); }

 private:
  UniqueHbitmap bitmap_;
  UniqueHdc dc_;
  HGDIOBJ select_ = nullptr;
};

class FrmExecTest : public ::testing::Test {
 protected:
  void SetUp() override {
    user.Open();
    SetForegroundWindow(user.Window());
    ASSERT_EQ(GetForegroundWindow(), user.Window());
    form.Form_Load();
    HoldRed(Picture1);
    const UINT dpi = GetDpiForWindow(form.Window());
    layout = LayOutExecForm(ExecRowLayout(0, 1, 0), dpi, dpi);
  }

  UserWindow user;
  FrmExec form;
  PictureBox Picture1;
  ExecFormLayout layout;
};

TEST_F(FrmExecTest, ShowsCentredWithoutTakingTheFocusAndHidesOnItsTimer) {
  EXPECT_FALSE(IsWindowVisible(form.Window())) << "loaded hidden";
  form.frmExec_Show(ExecRowLayout(0, 1, 0), Picture1);
  EXPECT_TRUE(IsWindowVisible(form.Window()));
  EXPECT_EQ(GetForegroundWindow(), user.Window());

  RECT client{};
  RECT outer{};
  ASSERT_TRUE(GetClientRect(form.Window(), &client) && GetWindowRect(form.Window(), &outer));
  EXPECT_EQ(client.right, layout.client.width);
  EXPECT_EQ(client.bottom, layout.client.height);
  // Centred on its monitor's work area: beside a taskbar, not on the whole screen.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(form.Window(), MONITOR_DEFAULTTOPRIMARY), &monitor));
  const RECT& work = monitor.rcWork;
  EXPECT_LE(std::abs(outer.left + outer.right - (work.left + work.right)), 1);
  EXPECT_LE(std::abs(outer.top + outer.bottom - (work.top + work.bottom)), 1);

  SendMessageW(form.Window(), WM_TIMER, 1, 0);
  EXPECT_FALSE(IsWindowVisible(form.Window()));
  EXPECT_NE(FindWindowW(FrmExec::ClassName(), nullptr), nullptr) << "hidden, still loaded";
}

TEST_F(FrmExecTest, PaintsFromItsOwnCopyAfterThePictureIsReleased) {
  form.frmExec_Show(ExecRowLayout(0, 1, 0), Picture1);
  Picture1.Release();  // as the capture does at its end, while the form still shows
  const ClientCopy shown(form.Window(), layout.client.width, layout.client.height);
  const Box& image = layout.Image1;
  EXPECT_EQ(shown.At(image.left + image.width / 2, image.top + image.height / 2), kRed);
  EXPECT_EQ(shown.At(4, 4), kBack);
  const Box& arrow = layout.file.arrow;
  EXPECT_EQ(shown.At(arrow.left + arrow.width / 4, arrow.top + arrow.height / 2), kGreen);

  // Hidden, it gives its copy back: the monitor is empty until the next show.
  SendMessageW(form.Window(), WM_TIMER, 1, 0);
  const ClientCopy hidden(form.Window(), layout.client.width, layout.client.height);
  EXPECT_NE(hidden.At(image.left + image.width / 2, image.top + image.height / 2), kRed);
}

TEST_F(FrmExecTest, UnloadDestroysTheForm) {
  form.Form_Unload();
  EXPECT_EQ(form.Window(), nullptr);
  form.Form_Unload();  // unloading what is not loaded does nothing
}

}  // namespace
}  // namespace vistrane
