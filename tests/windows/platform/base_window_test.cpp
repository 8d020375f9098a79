#include "platform/base_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/message_box.h"
#include "platform/win32_error.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

constexpr UINT kThrowUserFacing = WM_APP + 1;
constexpr UINT kThrowWin32 = WM_APP + 2;
constexpr UINT kThrowOther = WM_APP + 3;
constexpr UINT kAnswer = WM_APP + 4;

class TestWindow : public BaseWindow<TestWindow> {
 public:
  static const wchar_t* ClassName() { return L"VistraneBaseWindowTest"; }

  explicit TestWindow(bool refuseCreate = false) : refuseCreate_(refuseCreate) {
    Create(L"test", WS_OVERLAPPEDWINDOW);
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    seen_.push_back(message);
    switch (message) {
      case WM_CREATE:
        windowAtCreate_ = Window();
        return refuseCreate_ ? -1 : 0;
      case kThrowUserFacing:
        throw UserFacingError(L"フォルダーを作成できませんでした。");
      case kThrowWin32:
        throw Win32Error(ERROR_ACCESS_DENIED, L"CreateFileW(C:\\x.bmp)");
      case kThrowOther:
        throw std::runtime_error("disk on fire");
      case kAnswer:
        return 42;
      default:
        return DefaultProc(message, wParam, lParam);
    }
  }

  bool Saw(UINT message) const {
    for (const UINT m : seen_) {
      if (m == message) return true;
    }
    return false;
  }

  HWND windowAtCreate_ = nullptr;

 private:
  bool refuseCreate_;
  std::vector<UINT> seen_;
};

TEST(BaseWindowTest, ForwardsMessagesToTheObjectFromCreationToDestruction) {
  TestWindow window;
  const HWND hwnd = window.Window();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(window.windowAtCreate_, hwnd) << "Window() is set before WM_CREATE";
  EXPECT_TRUE(window.Saw(WM_NCCREATE));
  EXPECT_EQ(SendMessageW(hwnd, kAnswer, 0, 0), 42);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_USERDATA),
            reinterpret_cast<LONG_PTR>(static_cast<BaseWindow<TestWindow>*>(&window)));

  window.Destroy();
  EXPECT_TRUE(window.Saw(WM_DESTROY));
  EXPECT_TRUE(window.Saw(WM_NCDESTROY));
  EXPECT_EQ(window.Window(), nullptr);
  EXPECT_FALSE(IsWindow(hwnd));
  window.Destroy();  // no window: nothing happens
}

TEST(BaseWindowTest, DestructorDestroysTheWindow) {
  HWND hwnd = nullptr;
  {
    TestWindow window;
    hwnd = window.Window();
    ASSERT_TRUE(IsWindow(hwnd));
  }
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST(BaseWindowTest, RefusedCreationThrows) {
  EXPECT_THROW(TestWindow(true), Win32Error);
}

// Finds the error message box of this process, reads its text and closes it.
std::wstring CloseErrorBoxAndReadIt(std::atomic<bool>& found) {
  std::wstring text;
  for (int attempt = 0; attempt < 200 && !found; ++attempt) {
    const HWND box = FindWindowW(L"#32770", kErrorDialogTitle);
    if (box == nullptr) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      continue;
    }
    EnumChildWindows(
        box,
        [](HWND child, LPARAM context) -> BOOL {
          wchar_t className[32] = {};
          wchar_t childText[512] = {};
          GetClassNameW(child, className, 32);
          if (lstrcmpiW(className, L"Static") == 0 && GetWindowTextW(child, childText, 512) > 0) {
            *reinterpret_cast<std::wstring*>(context) = childText;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    found = true;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  return text;
}

TEST(BaseWindowTest, ExceptionsStopAtTheWindowProcedureAndAreReported) {
  const struct {
    const char* name;
    UINT message;
    std::vector<std::wstring> expectedParts;
  } cases[] = {
      {"user-facing error", kThrowUserFacing, {L"フォルダーを作成できませんでした。"}},
      {"Win32 error", kThrowWin32, {L"処理を完了できませんでした。", L"CreateFileW(C:\\x.bmp)"}},
      {"other exception", kThrowOther, {L"処理を完了できませんでした。", L"disk on fire"}},
  };
  TestWindow window;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::atomic<bool> found{false};
    std::wstring shown;
    std::thread closer([&] { shown = CloseErrorBoxAndReadIt(found); });
    // Returns only after the box is closed; with DefWindowProcW's answer.
    const LRESULT result = SendMessageW(window.Window(), c.message, 0, 0);
    closer.join();
    ASSERT_TRUE(found) << "no error message box appeared";
    EXPECT_EQ(result, 0);
    for (const auto& part : c.expectedParts) {
      EXPECT_NE(shown.find(part), std::wstring::npos)
          << "missing " << testing::PrintToString(part) << " in "
          << testing::PrintToString(shown);
    }
  }
  EXPECT_EQ(SendMessageW(window.Window(), kAnswer, 0, 0), 42) << "the window still works";
}

}  // namespace
}  // namespace vistrane
