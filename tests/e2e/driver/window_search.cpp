#include "tests/e2e/driver/window_search.h"

#include "platform/win32_error.h"

namespace vistrane::vtest {
namespace {

struct Search {
  const wchar_t* className;
  const wchar_t* title;
  bool visibleOnly;
  bool countAll;
  HWND found;
  int count;
};

BOOL CALLBACK Visit(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  if (ClassNameOf(window) != search.className) return TRUE;
  if (search.title != nullptr && TitleOf(window) != search.title) return TRUE;
  if (search.visibleOnly && !IsWindowVisible(window)) return TRUE;
  search.found = window;
  ++search.count;
  return search.countAll ? TRUE : FALSE;
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

// A busy product under a loaded machine can take seconds to answer; a hung
// one is still reported.
constexpr UINT kTextTimeoutMs = 10000;

std::wstring ControlText(HWND control) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs,
                           &length)) {
    ThrowLastError(L"WM_GETTEXTLENGTH");
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kTextTimeoutMs, &copied)) {
    ThrowLastError(L"WM_GETTEXT");
  }
  text.resize(copied);
  return text;
}

HWND FindTopLevel(const wchar_t* className, const wchar_t* title, bool visibleOnly) {
  Search search{className, title, visibleOnly, false, nullptr, 0};
  EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int CountVisibleTopLevel(const wchar_t* className, const wchar_t* title) {
  Search search{className, title, true, true, nullptr, 0};
  EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
  return search.count;
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
