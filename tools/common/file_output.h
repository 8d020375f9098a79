#pragma once
// File writes of the tools: all bytes or an error.
#include <string>
#include <string_view>

namespace vistrane::tools {

// Throws Win32Error naming the path.
void WriteBinaryFile(const std::wstring& path, const void* data, std::size_t size);
void WriteUtf8File(const std::wstring& path, std::wstring_view text);
// Appends to the file (creating it), shared so that readers see each write.
void AppendUtf8File(const std::wstring& path, std::wstring_view text);

}  // namespace vistrane::tools
