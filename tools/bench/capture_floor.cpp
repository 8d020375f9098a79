// The least a clipboard viewer does to save a screen copy, the floor under a
// capture's time: on each clipboard change it takes the bitmap, reads its
// pixels as 32-bit rows (as the picture box does) and writes the bytes of the
// given file into a new numbered file of that extension, in one write.
//   capture_floor <output folder> <file whose bytes to write>
// Runs until its window is closed (tools/bench/run_capture_bench.sh ends it).
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/unique_handle.h"
#include "platform/win32_error.h"
#include "tools/common/file_output.h"
#include "tools/common/tool_window.h"

namespace vistrane {
namespace {

class Floor final : public tools::MessageHandler {
 public:
  Floor(std::wstring folder, std::vector<char> bytes, std::wstring extension)
      : folder_(std::move(folder)), bytes_(std::move(bytes)), extension_(std::move(extension)) {}

  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept override {
    if (message == WM_CLIPBOARDUPDATE) {
      try {
        Save(window);
      } catch (const Win32Error& e) {
        std::fprintf(stderr, "capture_floor: %s\n", e.what());
      }
      return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
  }

 private:
  void Save(HWND window) {
    if (GetClipboardOwner() != nullptr || !OpenClipboard(window)) return;
    const auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP shape{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof shape, &shape) == 0) {
      CloseClipboard();
      return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = shape.bmWidth;
    info.bmiHeader.biHeight = -shape.bmHeight;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    pixels_.resize(static_cast<std::size_t>(shape.bmWidth) * shape.bmHeight);
    WindowDc screen(nullptr);
    const int rows = GetDIBits(screen.get(), bitmap, 0, shape.bmHeight, pixels_.data(), &info,
                               DIB_RGB_COLORS);
    CloseClipboard();
    if (rows != shape.bmHeight) ThrowLastError(L"GetDIBits");
    tools::WriteBinaryFile(folder_ + L"\\floor" + std::to_wstring(++count_) + extension_,
                           bytes_.data(), bytes_.size());
  }

  std::wstring folder_;
  std::vector<char> bytes_;
  std::wstring extension_;
  std::vector<std::uint32_t> pixels_;
  int count_ = 0;
};

}  // namespace
}  // namespace vistrane

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: capture_floor <output folder> <file whose bytes to write>\n");
    return 2;
  }
  std::ifstream file(argv[2], std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  const std::wstring name = argv[2];
  const std::size_t dot = name.rfind(L'.');
  if (bytes.empty() || dot == std::wstring::npos) {
    std::fprintf(stderr, "capture_floor: cannot read the file to write\n");
    return 1;
  }
  try {
    vistrane::Floor floor(argv[1], std::move(bytes), name.substr(dot));
    const vistrane::tools::ToolWindow window(
        {L"VistraneCaptureFloor", L"capture_floor", WS_OVERLAPPED, 0, {0, 0, 100, 100}}, &floor);
    if (!AddClipboardFormatListener(window.get())) vistrane::ThrowLastError(L"AddClipboardFormatListener");
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  } catch (const vistrane::Win32Error& e) {
    std::fprintf(stderr, "capture_floor: %s\n", e.what());
    return 1;
  }
  return 0;
}
