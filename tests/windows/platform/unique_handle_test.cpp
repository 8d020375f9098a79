#include "platform/unique_handle.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <type_traits>
#include <vector>

namespace vistrane {
namespace {

// Records every close, so a test sees double closes and leaks alike, and
// sets the last error as a close that fails does.
std::vector<int> g_closed;

void CountClose(int h) noexcept {
  g_closed.push_back(h);
  SetLastError(ERROR_INVALID_HANDLE);
}
using Counted = UniqueHandle<int, CountClose>;

class UniqueHandleTest : public testing::Test {
 protected:
  void SetUp() override { g_closed.clear(); }
};

static_assert(!std::is_copy_constructible_v<Counted>);
static_assert(!std::is_copy_assignable_v<Counted>);
static_assert(std::is_nothrow_move_constructible_v<Counted>);
static_assert(!std::is_copy_constructible_v<WindowDc>);
static_assert(!std::is_copy_constructible_v<ClipboardScope>);

TEST_F(UniqueHandleTest, ClosesOnceAtEndOfScope) {
  { Counted handle(7); }
  { Counted empty; }
  EXPECT_EQ(g_closed, std::vector<int>{7});
}

TEST_F(UniqueHandleTest, MoveConstructionTransfersOwnership) {
  {
    Counted source(3);
    Counted target(std::move(source));
    EXPECT_FALSE(source);
    EXPECT_EQ(target.get(), 3);
    EXPECT_TRUE(g_closed.empty());
  }
  EXPECT_EQ(g_closed, std::vector<int>{3});
}

TEST_F(UniqueHandleTest, MoveAssignmentClosesWhatTheTargetHeld) {
  {
    Counted source(5);
    Counted target(6);
    target = std::move(source);
    EXPECT_EQ(g_closed, std::vector<int>{6});
    EXPECT_EQ(target.get(), 5);
    EXPECT_FALSE(source);
  }
  EXPECT_EQ(g_closed, (std::vector<int>{6, 5}));
}

TEST_F(UniqueHandleTest, SelfMoveAssignmentKeepsTheHandle) {
  {
    Counted handle(9);
    Counted& alias = handle;
    handle = std::move(alias);
    EXPECT_EQ(handle.get(), 9);
    EXPECT_TRUE(g_closed.empty());
  }
  EXPECT_EQ(g_closed, std::vector<int>{9});
}

TEST_F(UniqueHandleTest, ReleaseGivesUpWithoutClosing) {
  {
    Counted handle(4);
    EXPECT_EQ(handle.release(), 4);
    EXPECT_FALSE(handle);
  }
  EXPECT_TRUE(g_closed.empty());
}

TEST_F(UniqueHandleTest, TheLastErrorSurvivesAClose) {
  SetLastError(ERROR_ACCESS_DENIED);
  { Counted handle(7); }
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(UniqueHandleTest, ResetAndPutCloseThePreviousHandle) {
  Counted handle(1);
  handle.reset(2);
  EXPECT_EQ(g_closed, std::vector<int>{1});
  *handle.put() = 8;  // as an API with an out-parameter fills it
  EXPECT_EQ(g_closed, (std::vector<int>{1, 2}));
  EXPECT_EQ(handle.get(), 8);
}

// A real handle: the file opened without sharing can be opened again only
// after UniqueFile has closed it.
TEST(UniqueFileTest, ClosesTheSystemHandle) {
  wchar_t folder[MAX_PATH + 1] = {};
  ASSERT_NE(GetTempPathW(MAX_PATH + 1, folder), 0u);
  const std::wstring path =
      std::wstring(folder) + L"vistrane_handle_" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  const auto open = [&] {
    return UniqueFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  };
  {
    UniqueFile first = open();
    ASSERT_TRUE(first);
    UniqueFile moved(std::move(first));
    EXPECT_FALSE(open()) << "the file should still be open without sharing";
  }
  EXPECT_TRUE(open()) << "UniqueFile should have closed the file";
  EXPECT_FALSE(UniqueFile(INVALID_HANDLE_VALUE));
}

// Another window that keeps the clipboard open for a moment delays the
// opening; one that keeps it longer than the wait makes it fail.
TEST(ClipboardScopeTest, WaitsForAnotherHolderWithinItsTime) {
  struct Holder {
    explicit Holder(DWORD ms) {
      using UniqueEvent = UniqueHandle<HANDLE, CloseHandle>;
      UniqueEvent opened(CreateEventW(nullptr, TRUE, FALSE, nullptr));
      thread = std::thread([ms, event = opened.get()] {
        const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                            nullptr, nullptr, nullptr);
        {
          ClipboardScope held(window);
          SetEvent(event);
          Sleep(ms);
        }
        DestroyWindow(window);
      });
      WaitForSingleObject(opened.get(), INFINITE);
    }
    ~Holder() { thread.join(); }
    std::thread thread;
  };
  {
    Holder holder(150);
    EXPECT_NO_THROW(ClipboardScope(nullptr, 1000));
  }
  {
    Holder holder(600);
    EXPECT_THROW(ClipboardScope(nullptr, 200), Win32Error);
  }
}

}  // namespace
}  // namespace vistrane
