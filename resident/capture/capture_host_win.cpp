#include "resident/capture/capture_host_win.h"

#include <optional>

#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/process_launch.h"
#include "platform/screen_metrics.h"
#include "platform/win32_error.h"
#include "platform/working_set.h"
#include "resident/output/bitmap_file_win.h"
#include "resident/output/jpeg_file_win.h"
#include "resident/output/png_file_win.h"
#include "resident/output/print_image_win.h"
#include "resident/output/reduce_colors_win.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

// Runs one step of the capture; a failed Win32 call becomes the step's own
// message with the system's reason, as the file steps report theirs.
template <typename Step>
auto Win32Step(const wchar_t* failed, Step&& step) -> decltype(step()) {
  try {
    return step();
  } catch (const Win32Error& e) {
    throw OutputError(WithReason(failed, Win32ErrorText(e.code())));
  }
}

// How long a capture waits for another program to close the clipboard; the
// form does not answer meanwhile, so it stays short.
constexpr DWORD kClipboardWaitMs = 400;

}  // namespace

bool WindowsCaptureHost::HoldClipboardBitmap() {
  // Each part has its own message: opening fails when another program keeps
  // the clipboard open, taking when the copy finds no memory.
  std::optional<ClipboardScope> clipboard;
  Win32Step(L"クリップボードが他のプログラムで使用中のため、開けませんでした。",
            [&] { clipboard.emplace(form_, kClipboardWaitMs); });
  return Win32Step(L"クリップボードから画像を取り出せませんでした。",
                   [&] { return Picture1.HoldClipboardBitmap(*clipboard); });
}

PixelSize WindowsCaptureHost::PictureSize() const {
  return {Picture1.PixelWidth(), Picture1.PixelHeight()};
}

void WindowsCaptureHost::ReduceColors(Common& common) { vistrane::ReduceColors(Picture1, common); }

ImageCheckInput WindowsCaptureHost::ScreenFacts() const {
  ImageCheckInput facts;
  facts.screen = PrimaryScreenSize();
  const ScreenRect all = VirtualScreenRect();
  facts.virtualScreen = {all.right - all.left, all.bottom - all.top};
  facts.foreground = ForegroundWindowRect();
  return facts;
}

void WindowsCaptureHost::frmExec_Show(const ExecRows& rows) {
  Win32Step(L"進行状況の画面を表示できませんでした。",
            [&] { frmExec.frmExec_Show(rows, Picture1); });
}

void WindowsCaptureHost::PrintImage(const Common& common, const Clock& clock) {
  vistrane::PrintImage(common, Picture1, printer_, clock);
}

bool WindowsCaptureHost::StartMailSender() {
  return OpenWithShell(form_, ProgramFilePath(L"VstnMailSend.exe"));
}

void WindowsCaptureHost::ShowError(const std::wstring& text) { ShowErrorMessage(form_, text); }

void WindowsCaptureHost::ResetPicture() noexcept {
  Picture1.Release();
  Picture1.SetScaleMode(PictureBox::ScaleMode::Pixels);
}

void WindowsCaptureHost::TrimWorkingSet() noexcept { vistrane::TrimWorkingSet(); }

void WindowsCaptureHost::WriteFullColourBitmap(const std::wstring& path) {
  WriteFullColourBitmapFile(Picture1, path);
}

void WindowsCaptureHost::WriteReducedColourBitmap(const std::wstring& path,
                                                  const std::vector<std::uint8_t>& headers,
                                                  const std::vector<std::uint8_t>& pixelRows) {
  WriteReducedColourBitmapFile(path, headers, pixelRows);
}

void WindowsCaptureHost::WriteJpeg(const std::wstring& path) { WriteJpegFile(Picture1, path); }

void WindowsCaptureHost::WritePng(const std::wstring& path) { WritePngFile(Picture1, path); }

void WindowsCaptureHost::WriteReducedPng(const std::wstring& path, const Common& common) {
  WriteReducedPngFile(common, path);
}

bool WindowsCaptureHost::FileExists(const std::wstring& path) const { return PathExists(path); }

}  // namespace vistrane
