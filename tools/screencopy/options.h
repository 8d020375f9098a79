#pragma once
// The command line of screencopy.
#include <chrono>
#include <optional>
#include <string>

#include "tools/common/usage_error.h"

namespace vistrane::tools {

enum class Source { Screen, ForegroundWindow, Pattern, Text };
enum class Owner { None, Desktop, App };

struct Options {
  Source source = Source::Screen;
  int width = 0;   // Pattern only
  int height = 0;  // Pattern only
  std::wstring text;  // Text only
  Owner owner = Owner::None;
  std::chrono::seconds hold{3};  // how long an App owner stays alive
  std::optional<std::wstring> savePath;
};

extern const wchar_t kUsage[];

// argv[0] is skipped. Throws UsageError.
Options ParseOptions(int argc, const wchar_t* const argv[]);

}  // namespace vistrane::tools
