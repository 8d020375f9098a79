#include "tools/common/message_loop.h"

#include <windows.h>

#include <algorithm>

namespace vistrane::tools {

LoopEnd RunMessageLoop(std::chrono::milliseconds timeout, const std::function<bool()>& done) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return LoopEnd::Quit;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return LoopEnd::Condition;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return LoopEnd::TimedOut;
    const auto wait = std::min<long long>(left.count(), 50);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(wait), QS_ALLINPUT);
  }
}

}  // namespace vistrane::tools
