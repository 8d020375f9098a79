#pragma once
// JSON string literals for the driver's reports, which the Python scenarios
// parse; the output layer turns the wide text into UTF-8.
#include <string>
#include <string_view>

namespace vistrane::vtest {

// `text` in double quotes with the JSON escapes applied.
std::wstring JsonString(std::wstring_view text);

}  // namespace vistrane::vtest
