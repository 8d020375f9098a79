#pragma once
// Text output of the console tools. A console gets the wide text as it is; a
// pipe or a file gets UTF-8, so scripts read Japanese texts unchanged.
#include <string_view>

namespace vistrane::tools {

void WriteOut(std::wstring_view text);
void WriteErr(std::wstring_view text);

}  // namespace vistrane::tools
