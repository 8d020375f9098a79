#pragma once
// The system's message font (the font of message boxes and dialogs), at a
// given DPI, for windows that lay out their own controls.
#include <windows.h>

#include "platform/unique_handle.h"

namespace vistrane {

// Both throw Win32Error when the system cannot tell the font or make it.
LOGFONTW MessageLogFont(UINT dpi);
UniqueHfont CreateMessageFont(UINT dpi);

}  // namespace vistrane
