#pragma once
// Which system icon another program's icon control shows. Icon handles do
// not cross processes under Wine, so the control is compared by its pixels on
// the screen with each system icon drawn here at the control's size.
#include <windows.h>

#include <string>

namespace vistrane::vtest {

// "exclamation", "information", "error", "question", or "unknown" when no
// system icon matches. The control must be visible and not covered.
std::wstring IdentifyShownIcon(HWND iconControl);

}  // namespace vistrane::vtest
