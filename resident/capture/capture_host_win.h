#pragma once
// The capture pipeline's surroundings on Windows: the main form's picture box,
// the screen and the foreground window, files, the printer, the shell and the
// message box.
#include <windows.h>

#include "platform/picture_box.h"
#include "platform/printer.h"
#include "resident/capture/capture_output.h"
#include "resident/output/frm_exec_win.h"

namespace vistrane {

class WindowsCaptureHost final : public CaptureHost {
 public:
  // quitRequested is the form's flag, set while the capture runs.
  WindowsCaptureHost(HWND form, PictureBox& picture, Printer& printer, FrmExec& progress,
                     const bool& quitRequested)
      : form_(form),
        Picture1(picture),
        printer_(printer),
        frmExec(progress),
        quitRequested_(quitRequested) {}

  std::optional<Picture> HoldClipboardBitmap() override;
  void ReleasePicture() noexcept override { Picture1.Release(); }
  ImageCheckInput ScreenFacts() const override;
  void frmExec_Show(const ExecRows& rows) override;
  void PrintImage(const SettingsRecord& settings, const Clock& clock) override;
  bool StartMailSender() override;
  void ShowError(const std::wstring& text) override;
  bool QuitRequested() const override { return quitRequested_; }
  void TrimWorkingSet() noexcept override;
  bool FileExists(const std::wstring& path) const override;
  void WriteFile(const std::wstring& path, const FileContent& write) override;
  void EncodeJpeg(const Picture& picture, const std::wstring& path, ByteSink& sink) override;

 private:
  HWND form_;
  PictureBox& Picture1;
  Printer& printer_;
  FrmExec& frmExec;
  const bool& quitRequested_;
};

}  // namespace vistrane
