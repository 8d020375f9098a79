#pragma once
// UTF-8 <-> UTF-16 for the narrow texts that C++ exceptions carry.
#include <cstddef>
#include <string>
#include <string_view>

namespace vistrane {

// A text length as the conversion functions take it; throws std::length_error
// past INT_MAX characters.
int CheckedTextLength(std::size_t size);

// Invalid sequences become U+FFFD; neither direction throws on bad input.
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

}  // namespace vistrane
