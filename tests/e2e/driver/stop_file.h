#pragma once
// The long-running subcommands end when a file appears: the scenarios stop
// them that way from the Linux side, without killing Wine processes.
#include <windows.h>

#include <chrono>
#include <string>

#include "tests/e2e/driver/arguments.h"
#include "tests/e2e/driver/commands.h"
#include "tools/common/message_loop.h"
#include "tools/common/usage_error.h"

namespace vistrane::vtest {

inline bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct StopOptions {
  std::wstring file;
  std::chrono::milliseconds timeout;
};

// Takes --stop-file F (required) and --timeout S (ten minutes by default).
inline StopOptions TakeStopOptions(Arguments& args, const char* command) {
  const auto file = args.TakeOption(L"--stop-file");
  const auto timeout = args.TakeSeconds(L"--timeout", std::chrono::minutes(10));
  if (!file) throw tools::UsageError(std::string(command) + " needs --stop-file");
  return StopOptions{*file, timeout};
}

// Runs the message loop until the stop file appears: kOk, or kNotMet when
// the time was up first.
inline int RunUntilStopped(const StopOptions& stop) {
  const auto end = tools::RunMessageLoop(stop.timeout, [&] { return FileExists(stop.file); });
  return end == tools::LoopEnd::TimedOut ? kNotMet : kOk;
}

}  // namespace vistrane::vtest
