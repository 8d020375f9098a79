#pragma once
// Finding other programs' top-level windows, and waiting for them.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace vistrane::vtest {

std::wstring ClassNameOf(HWND window);
std::wstring TitleOf(HWND window);
DWORD ProcessOf(HWND window);

// A window's text read from another process (WM_GETTEXT, which is
// marshalled); a hung window makes it throw Win32Error instead of hanging.
std::wstring ControlText(HWND control);

// The first top-level window of the class (and the title, unless null);
// with `visibleOnly`, hidden windows do not count. Null when there is none.
HWND FindTopLevel(const wchar_t* className, const wchar_t* title, bool visibleOnly);

// How many visible top-level windows have the class (and the title).
int CountVisibleTopLevel(const wchar_t* className, const wchar_t* title);

// Polls every 50 ms until the condition holds; false when the time is up.
bool WaitUntil(std::chrono::milliseconds timeout, const std::function<bool()>& condition);

}  // namespace vistrane::vtest
