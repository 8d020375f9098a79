#include "tests/e2e/driver/window_search.h"

namespace vistrane::vtest {
namespace {

struct Search {
  const wchar_t* className;
  const wchar_t* title;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  if (ClassNameOf(window) != search.className) return TRUE;
  if (search.title != nullptr && TitleOf(window) != search.title) return TRUE;
  if (search.visibleOnly && !IsWindowVisible(window)) return TRUE;
  search.found = window;
  return FALSE;
}

}  // namespace

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256];
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? length : 0);
}

std::wstring TitleOf(HWND window) {
  wchar_t title[512];
  const int length = GetWindowTextW(window, title, 512);
  return std::wstring(title, length > 0 ? length : 0);
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

HWND FindTopLevel(const wchar_t* className, const wchar_t* title, bool visibleOnly) {
  Search search{className, title, visibleOnly, nullptr};
  EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool WaitUntil(std::chrono::milliseconds timeout, const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Sleep(50);
  }
}

}  // namespace vistrane::vtest
