#pragma once
// The LHA archiver the mail sender packs bitmaps with.
#include <stdexcept>
#include <string>
#include <utility>

namespace vistrane {

// The archiver library, or its entry point, is not installed.
class ArchiverMissing : public std::runtime_error {
 public:
  ArchiverMissing() : std::runtime_error("the archiver is not installed") {}
};

// No usable archive was made: the archiver could not be loaded or handed the
// command, or it ran and reported a failure. The reason says which, in
// Japanese, naming the file where there is one (may be empty).
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
  // Runs one command line. Throws ArchiverMissing or ArchiveFailed as above.
  virtual void Unlha(const std::wstring& commandLine) = 0;
};

}  // namespace vistrane
