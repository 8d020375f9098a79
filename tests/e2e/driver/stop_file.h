#pragma once
// The long-running subcommands end when a file appears: the scenarios stop
// them that way from the Linux side, without killing Wine processes.
#include <windows.h>

#include <string>

namespace vistrane::vtest {

inline bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace vistrane::vtest
