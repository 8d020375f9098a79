// pattern: a borderless foreground window showing the test pattern, so that
// the screen has content and there is a foreground window to copy.
#include <windows.h>

#include "platform/unique_handle.h"
#include "platform/win32_error.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/stop_file.h"
#include "tools/common/console_output.h"
#include "tools/common/test_pattern.h"
#include "tools/common/tool_window.h"
#include "tools/common/usage_error.h"

namespace vistrane::vtest {
namespace {

class PatternWindow final : public tools::MessageHandler {
 public:
  PatternWindow(int width, int height) : width_(width), height_(height) {}

  bool failed() const noexcept { return failed_; }

  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept override {
    switch (message) {
      case WM_ERASEBKGND:
        return 1;  // the pattern covers every pixel
      case WM_PAINT: {
        PaintScope paint(window);
        try {
          if (paint.get() == nullptr) ThrowLastError(L"BeginPaint");
          tools::DrawTestPattern(paint.get(), width_, height_);
        } catch (const Win32Error& error) {
          tools::WriteErr(L"vtest pattern: " + error.message() + L"\n");
          failed_ = true;
        }
        return 0;
      }
      default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
  }

 private:
  int width_;
  int height_;
  bool failed_ = false;
};

}  // namespace

int PatternCommand(Arguments& args) {
  const StopOptions stop = TakeStopOptions(args, "pattern");
  const auto title = args.TakeOption(L"--title").value_or(L"Vistrane test pattern");
  const auto& rect = args.Positional(4);
  const int left = ParseInt(rect[0]);
  const int top = ParseInt(rect[1]);
  const int width = ParseInt(rect[2]);
  const int height = ParseInt(rect[3]);
  if (width <= 0 || height <= 0) throw tools::UsageError("pattern needs a positive size");

  PatternWindow pattern(width, height);
  const tools::ToolWindowShape shape{L"VistraneTestPattern", title.c_str(),
                                     WS_POPUP | WS_VISIBLE, 0,
                                     RECT{left, top, left + width, top + height}};
  tools::ToolWindow window(shape, &pattern);
  UpdateWindow(window.get());
  if (!SetForegroundWindow(window.get())) ThrowLastError(L"SetForegroundWindow");

  const int status = RunUntilStopped(stop);
  return pattern.failed() ? kFailed : status;
}

}  // namespace vistrane::vtest
