#pragma once
// The capture pipeline's surroundings on Windows: the main form's picture box,
// the screen and the foreground window, the shell and the message box.
#include <windows.h>

#include "platform/picture_box.h"
#include "platform/printer.h"
#include "resident/capture/capture_output.h"
#include "resident/output/frm_exec_win.h"

namespace vistrane {

class WindowsCaptureHost final : public CaptureHost {
 public:
  // quitRequested is the form's flag, set while the capture runs.
  WindowsCaptureHost(HWND form, PictureBox& Picture1, Printer& printer, FrmExec& frmExec,
                     const bool& quitRequested)
      : form_(form),
        Picture1(Picture1),
        printer_(printer),
        frmExec(frmExec),
        quitRequested_(quitRequested) {}

  bool HoldClipboardBitmap() override;
  PixelSize PictureSize() const override;
  void ReduceColors(Common& common) override;
  ImageCheckInput ScreenFacts() const override;
  void frmExec_Show(const ExecRows& rows) override;
  void PrintImage(const Common& common, const Clock& clock) override;
  bool StartMailSender() override;
  void ShowError(const std::wstring& text) override;
  bool QuitRequested() const override { return quitRequested_; }
  void ResetPicture() noexcept override;
  void TrimWorkingSet() noexcept override;
  void WriteFullColourBitmap(const std::wstring& path) override;
  void WriteReducedColourBitmap(const std::wstring& path, const std::vector<std::uint8_t>& headers,
                                const std::vector<std::uint8_t>& pixelRows) override;
  void WriteJpeg(const std::wstring& path) override;
  void WritePng(const std::wstring& path) override;
  void WriteReducedPng(const std::wstring& path, const Common& common) override;
  bool FileExists(const std::wstring& path) const override;

 private:
  HWND form_;
  PictureBox& Picture1;
  Printer& printer_;
  FrmExec& frmExec;
  const bool& quitRequested_;
};

}  // namespace vistrane
