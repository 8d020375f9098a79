#pragma once
// The start-up question that gives Windows 11's screen-copy key back to
// screen copies (see print_screen_key.h).
#include <windows.h>

#include "shared/settings_store.h"

namespace vistrane {

// Asks when the question is due; "はい" sets the key's Windows setting to
// screen copies. Either answer is remembered in the store. Throws StoreError
// when the store refuses; a failed change of the Windows setting is reported
// here and leaves the question due for the next start.
void OfferPrintScreenKey(HWND owner, SettingsStore& store);

}  // namespace vistrane
