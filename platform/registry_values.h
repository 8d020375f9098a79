#pragma once
// Single values of the system's own registry keys (not the settings store).
// A missing key or value is nullopt; any other failure, a value of another
// type included, throws Win32Error naming the value.
#include <windows.h>

#include <optional>
#include <string>

namespace vistrane {

// REG_SZ (or REG_EXPAND_SZ, not expanded).
std::optional<std::wstring> ReadRegistryText(HKEY root, const wchar_t* subkey, const wchar_t* name);

std::optional<DWORD> ReadRegistryDword(HKEY root, const wchar_t* subkey, const wchar_t* name);

// Creates the key when it is missing.
void WriteRegistryDword(HKEY root, const wchar_t* subkey, const wchar_t* name, DWORD value);

}  // namespace vistrane
