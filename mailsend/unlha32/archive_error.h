#pragma once
// A failed archiver command: what kind of failure, and a short reason for
// the caller's output buffer.
#include <stdexcept>
#include <string>

namespace vistrane {

// The archiver's return values; 0 is success.
enum class UnlhaStatus : int {
  kOk = 0,
  kBadCommand = 1,  // command, option or argument not understood
  kFileError = 2,   // a file to add, or the archive, could not be read or written
  kInternal = 3,    // out of memory or another unexpected failure
};

class ArchiveError : public std::runtime_error {
 public:
  ArchiveError(UnlhaStatus status, std::wstring reason)
      : std::runtime_error("vistrane archive error"), status_(status), reason_(std::move(reason)) {}
  UnlhaStatus status() const noexcept { return status_; }
  const std::wstring& reason() const noexcept { return reason_; }

 private:
  UnlhaStatus status_;
  std::wstring reason_;
};

}  // namespace vistrane
