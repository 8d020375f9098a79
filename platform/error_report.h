#pragma once
// The boundary where an exception stops: window procedures, dialog
// procedures and other callbacks catch everything and report it here.
#include <windows.h>

#include <exception>
#include <string>

namespace vistrane {

// The text the user sees for an exception: a UserFacingError's own message;
// for anything else a general Japanese message followed by the technical
// detail (the failed operation and the system's text for a Win32Error).
std::wstring ErrorMessageFor(const std::exception_ptr& error);

// Call inside a catch block: shows the current exception in the error
// message box. Never throws.
void ReportCurrentException(HWND owner) noexcept;

}  // namespace vistrane
