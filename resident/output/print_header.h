#pragma once
// The header line above the printed picture: version, date, time, computer
// name and user name.
#include <string>

#include "shared/clock.h"

namespace vistrane {

// The system's separators, which stand for "/" and ":" in the date and time.
struct DateTimeSeparators {
  std::wstring date = L"/";
  std::wstring time = L":";
};

// "　　　Vistrane Ver4.1  yyyy/mm/dd hh:mm:ss AM  <computer>  <user>" (4.1 being
// the product version), the hour on the 12-hour clock. The date and the time are each read from the clock
// when they are formatted.
std::wstring PrintHeaderLine(const Clock& clock, const std::wstring& computerName,
                             const std::wstring& userName, const DateTimeSeparators& separators);

}  // namespace vistrane
