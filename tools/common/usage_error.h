#pragma once
// A command line that names no valid run; what() is for the user.
#include <stdexcept>

namespace vistrane::tools {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace vistrane::tools
