#pragma once
// Failures that reach the user as a message box. The text is the complete
// Japanese message, ready to show.
#include <stdexcept>
#include <string>
#include <string_view>

namespace vistrane {

class UserFacingError : public std::runtime_error {
 public:
  explicit UserFacingError(std::wstring message)
      : std::runtime_error("vistrane user-facing error"), message_(std::move(message)) {}
  const std::wstring& message() const noexcept { return message_; }

 private:
  std::wstring message_;
};

// The settings store refused a write.
class StoreError : public UserFacingError {
 public:
  using UserFacingError::UserFacingError;
};

// One output step of a capture failed (file, counter, print, ...).
class OutputError : public UserFacingError {
 public:
  using UserFacingError::UserFacingError;
};

// A message followed, after a blank line, by why it happened (the system's or
// a component's own text); the message alone when there is no reason.
inline std::wstring WithReason(std::wstring message, std::wstring_view reason) {
  if (!reason.empty()) message.append(L"\n\n").append(reason);
  return message;
}

}  // namespace vistrane
