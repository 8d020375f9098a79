#pragma once
// The program's icon, as the windows of the resident program show it.
#include <windows.h>

namespace vistrane {

// The large and the small icon of a window class: title bar, task bar, Alt+Tab.
void SetProgramIcons(WNDCLASSEXW& windowClass);

// The icon at a square size in pixels; shared, never destroyed. Null when
// the resource cannot be loaded.
HICON LoadProgramIcon(int size);

}  // namespace vistrane
