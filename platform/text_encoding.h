#pragma once
// UTF-8 <-> UTF-16 for the narrow texts that C++ exceptions carry.
#include <string>
#include <string_view>

namespace vistrane {

// Invalid sequences become U+FFFD; neither direction throws on bad input.
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

}  // namespace vistrane
