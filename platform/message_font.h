#pragma once
// The system's message font (the font of message boxes and dialogs), at a
// given DPI, for windows that lay out their own controls.
#include <windows.h>

#include "platform/unique_handle.h"

namespace vistrane {

// Throws Win32Error when the system cannot tell the font or make it.
UniqueHfont CreateMessageFont(UINT dpi);

}  // namespace vistrane
