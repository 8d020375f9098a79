// screencopy: puts a copy of the screen (or of the foreground window, or a
// test pattern, or a text) on the clipboard with the owner the tests ask for.
#include <windows.h>

#include <exception>
#include <optional>
#include <string>

#include "platform/text_encoding.h"
#include "platform/win32_error.h"
#include "tools/common/bmp24_file.h"
#include "tools/common/console_output.h"
#include "tools/common/message_loop.h"
#include "tools/common/tool_window.h"
#include "tools/screencopy/clipboard_writer.h"
#include "tools/screencopy/options.h"
#include "tools/screencopy/source_image.h"

namespace vistrane::tools {
namespace {

UniqueHbitmap MakeBitmap(const Options& options) {
  switch (options.source) {
    case Source::ForegroundWindow:
      return CopyForegroundWindow();
    case Source::Pattern:
      return MakePatternBitmap(options.width, options.height);
    default:
      return CopyWholeScreen();
  }
}

std::wstring Describe(HBITMAP bitmap) {
  BITMAP shape{};
  if (GetObjectW(bitmap, sizeof(shape), &shape) != sizeof(shape)) ThrowLastError(L"GetObjectW");
  return std::to_wstring(shape.bmWidth) + L"x" + std::to_wstring(shape.bmHeight) + L" bitmap";
}

int Run(const Options& options) {
  std::optional<ToolWindow> appOwner;
  HWND owner = nullptr;
  if (options.owner == Owner::Desktop) owner = GetDesktopWindow();
  if (options.owner == Owner::App) {
    const ToolWindowShape shape{L"VistraneScreencopyOwner", L"screencopy", WS_OVERLAPPED, 0,
                                RECT{0, 0, 200, 100}};
    appOwner.emplace(shape, nullptr);
    owner = appOwner->get();
  }

  std::wstring what = L"text";
  if (options.source == Source::Text) {
    PutTextOnClipboard(options.text, owner);
  } else {
    UniqueHbitmap bitmap = MakeBitmap(options);
    what = Describe(bitmap.get());
    if (options.savePath) SaveBitmap24(bitmap.get(), *options.savePath);
    PutBitmapOnClipboard(std::move(bitmap), owner);
  }
  WriteOut(L"screencopy: " + what + L" on the clipboard\n");

  // Viewers look at the owner when their notice arrives; keep it alive.
  if (appOwner) RunMessageLoop(options.hold, [] { return false; });
  return 0;
}

}  // namespace
}  // namespace vistrane::tools

int wmain(int argc, wchar_t* argv[]) {
  using namespace vistrane::tools;
  if (argc == 2 && std::wstring_view(argv[1]) == L"--help") {
    WriteOut(kUsage);
    return 0;
  }
  Options options;
  try {
    options = ParseOptions(argc, argv);
  } catch (const UsageError& error) {
    WriteErr(L"screencopy: " + vistrane::Utf8ToWide(error.what()) + L"\n" + kUsage);
    return 2;
  }
  try {
    return Run(options);
  } catch (const vistrane::Win32Error& error) {
    WriteErr(L"screencopy: " + error.message() + L"\n");
  } catch (const std::exception& error) {
    WriteErr(L"screencopy: " + vistrane::Utf8ToWide(error.what()) + L"\n");
  }
  return 1;
}
