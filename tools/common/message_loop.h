#pragma once
// The message loop of the tools that keep windows: it runs until a condition
// holds, WM_QUIT arrives or the time is up, checking the condition at least
// every 50 ms even when no message comes.
#include <chrono>
#include <functional>

namespace vistrane::tools {

enum class LoopEnd { Condition, Quit, TimedOut };

LoopEnd RunMessageLoop(std::chrono::milliseconds timeout, const std::function<bool()>& done);

}  // namespace vistrane::tools
