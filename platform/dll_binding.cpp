#include "platform/dll_binding.h"

#include <string>

#include "platform/win32_error.h"

namespace vistrane {

UniqueHmodule LoadLibraryFrom(const wchar_t* name, DWORD searchFolders) {
  UniqueHmodule module(LoadLibraryExW(name, nullptr, searchFolders));
  if (!module) ThrowLastError(std::wstring(L"LoadLibraryExW(") + name + L")");
  return module;
}

}  // namespace vistrane
