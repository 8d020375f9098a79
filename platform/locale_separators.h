#pragma once
// The user's date and time separators ("/" and ":" on a Japanese system).
#include <string>

namespace vistrane {

// Both throw Win32Error when the locale cannot be read.
std::wstring DateSeparator();
std::wstring TimeSeparator();

}  // namespace vistrane
