#pragma once
// Date and time as the settings and the file names spell them.
#include <string>

#include "shared/clock.h"

namespace vistrane {

std::wstring FormatYyyymmdd(const LocalDateTime& t);  // "20261207"
std::wstring FormatMmdd(const LocalDateTime& t);      // "1207"
std::wstring FormatHhmmss(const LocalDateTime& t);    // "090507", 24-hour

}  // namespace vistrane
