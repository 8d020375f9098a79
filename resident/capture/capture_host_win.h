#pragma once
// The capture pipeline's surroundings on Windows: the main form's picture box,
// the screen and the foreground window, files, the printer, the shell and the
// message box.
#include <windows.h>

#include <cstdint>
#include <exception>

#include "platform/picture_box.h"
#include "platform/printer.h"
#include "resident/capture/capture_output.h"
#include "resident/output/frm_exec_win.h"

namespace vistrane {

// One screen copy as its clipboard notice found it: the clipboard holds the
// bitmap only until the next copy, and the screen and the foreground window
// it was checked against may have changed by the time its capture runs.
struct ScreenCopy {
  bool ownerIsZero = false;
  ImageCheckInput screen;
  PictureBox picture;          // empty when the clipboard no longer offered a bitmap
  std::exception_ptr failure;  // why the bitmap could not be taken

  // The image memory it holds.
  std::uint64_t Bytes() const noexcept;
};

// Takes the clipboard's bitmap and the screen's facts now; a failure is kept
// in the copy and reported when its capture starts.
ScreenCopy TakeScreenCopy(HWND form, bool ownerIsZero);

class WindowsCaptureHost final : public CaptureHost {
 public:
  // The capture of `copy`, whose picture is Picture1; quitRequested is the
  // form's flag, set while the capture runs.
  WindowsCaptureHost(HWND form, ScreenCopy& copy, Printer& printer, FrmExec& progress,
                     const bool& quitRequested)
      : form_(form),
        copy_(copy),
        Picture1(copy.picture),
        printer_(printer),
        frmExec(progress),
        quitRequested_(quitRequested) {}

  std::optional<Picture> HoldScreenCopy() override;
  void ReleasePicture() noexcept override { Picture1.Release(); }
  ImageCheckInput ScreenFacts() const override { return copy_.screen; }
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
  ScreenCopy& copy_;
  PictureBox& Picture1;
  Printer& printer_;
  FrmExec& frmExec;
  const bool& quitRequested_;
};

}  // namespace vistrane
