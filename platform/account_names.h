#pragma once
// The names of this computer and of the signed-in user, as the printed header
// and the about box show them.
#include <string>

namespace vistrane {

// Both throw Win32Error when the system cannot tell.
std::wstring ComputerName();
std::wstring UserName();

}  // namespace vistrane
