#pragma once
// Text in the system's ANSI code page, for the interfaces that take nothing else.
#include <string>
#include <string_view>

namespace vistrane {

struct AnsiText {
  std::string text;
  bool exact = true;  // false when a character had no form in the code page
};

// Both throw Win32Error when the system refuses the conversion.
AnsiText ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view text);

}  // namespace vistrane
