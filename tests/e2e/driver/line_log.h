#pragma once
// The log of a long-running subcommand, one line per event, each appended at
// once so that the scenario sees it. A write that fails is reported and
// remembered: the subcommand then ends with a failure instead of a log that
// silently lacks lines.
#include <string>
#include <utility>

namespace vistrane::vtest {

class LineLog {
 public:
  LineLog(std::wstring path, std::wstring command)
      : path_(std::move(path)), command_(std::move(command)) {}

  void Write(const std::wstring& line) noexcept;
  bool failed() const noexcept { return failed_; }

 private:
  std::wstring path_;
  std::wstring command_;
  bool failed_ = false;
};

}  // namespace vistrane::vtest
