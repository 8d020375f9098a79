#pragma once
// Binding a DLL's function by name at run time.
#include <windows.h>

#include "platform/unique_handle.h"

namespace vistrane {

// Loads the DLL from the given trusted folders only (LOAD_LIBRARY_SEARCH_*),
// never from the current folder or PATH. Throws Win32Error naming the DLL.
UniqueHmodule LoadLibraryFrom(const wchar_t* name, DWORD searchFolders);

// The exported function, or nullptr when the DLL has no such export.
template <typename Function>
Function ExportedFunction(HMODULE module, const char* name) noexcept {
  // Through a generic function pointer: a direct cast between unrelated
  // function types draws a warning.
  using Generic = void (*)();
  return reinterpret_cast<Function>(reinterpret_cast<Generic>(GetProcAddress(module, name)));
}

}  // namespace vistrane
