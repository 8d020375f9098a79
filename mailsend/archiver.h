#pragma once
// The LHA archiver the mail sender packs bitmaps with.
#include <stdexcept>
#include <string>
#include <utility>

namespace vistrane {

// The archiver ran and reported a failure, or could not be handed the
// command; no usable archive was made. The reason is the archiver's own text
// (may be empty).
class ArchiveFailed : public std::runtime_error {
 public:
  explicit ArchiveFailed(std::wstring reason)
      : std::runtime_error("the archiver did not make the archive"), reason_(std::move(reason)) {}
  const std::wstring& reason() const noexcept { return reason_; }

 private:
  std::wstring reason_;
};

class Archiver {
 public:
  virtual ~Archiver() = default;
  // Runs one command line, binding the archiver on first use. Throws
  // ArchiveFailed as above; any other exception means the archiver could not
  // be bound at all.
  virtual void Unlha(const std::wstring& commandLine) = 0;
};

}  // namespace vistrane
