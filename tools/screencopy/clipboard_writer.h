#pragma once
// Replaces the clipboard's content with one item, opened for a given owner:
// nullptr (no owner, as the screen-copy key leaves it), the desktop window or
// a window of this program.
#include <windows.h>

#include <string_view>

#include "platform/unique_handle.h"

namespace vistrane::tools {

// On success the clipboard owns the data. Throws Win32Error.
void PutBitmapOnClipboard(UniqueHbitmap bitmap, HWND owner);
void PutTextOnClipboard(std::wstring_view text, HWND owner);

}  // namespace vistrane::tools
