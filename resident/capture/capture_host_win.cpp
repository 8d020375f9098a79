#include "resident/capture/capture_host_win.h"

#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/process_launch.h"
#include "platform/screen_metrics.h"
#include "platform/working_set.h"
#include "resident/output/bitmap_file_win.h"
#include "resident/output/jpeg_file_win.h"
#include "resident/output/print_image_win.h"
#include "resident/output/reduce_colors_win.h"

namespace vistrane {

bool WindowsCaptureHost::HoldClipboardBitmap() { return Picture1.HoldClipboardBitmap(form_); }

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
  frmExec.frmExec_Show(rows, Picture1);
}

void WindowsCaptureHost::PrintImage(const Common& common, const Clock& clock) {
  vistrane::PrintImage(common, Picture1, printer_, clock);
}

bool WindowsCaptureHost::StartMailSender() {
  return OpenWithShell(form_, ProgramFilePath(L"VstnMailSend.exe"));
}

void WindowsCaptureHost::ShowError(const std::wstring& text) { ShowErrorMessage(form_, text); }

void WindowsCaptureHost::ResetPicture() {
  Picture1.Release();
  Picture1.SetScaleMode(PictureBox::ScaleMode::Pixels);
}

void WindowsCaptureHost::TrimWorkingSet() { vistrane::TrimWorkingSet(); }

void WindowsCaptureHost::WriteFullColourBitmap(const std::wstring& path) {
  WriteFullColourBitmapFile(Picture1, path);
}

void WindowsCaptureHost::WriteReducedColourBitmap(const std::wstring& path,
                                                  const std::vector<std::uint8_t>& headers,
                                                  const std::vector<std::uint8_t>& pixelRows) {
  WriteReducedColourBitmapFile(path, headers, pixelRows);
}

void WindowsCaptureHost::WriteJpeg(const std::wstring& path) { WriteJpegFile(Picture1, path); }

}  // namespace vistrane
