#pragma once
// The capture pipeline: one accepted clipboard change in, the configured
// outputs out, in a fixed order.
#include <string>

#include "resident/capture/image_check.h"
#include "resident/common.h"
#include "resident/output/exec_layout.h"
#include "resident/output/save_image_file.h"
#include "shared/clock.h"
#include "shared/settings_store.h"

namespace vistrane {

// What the pipeline needs from the windows and devices around it. The resident
// shell implements it over the picture box, the screen and the shell.
class CaptureHost : public ImageFileWriter {
 public:
  // Picture1 takes the clipboard's bitmap; false when the clipboard no longer
  // offers one. Throws UserFacingError when the clipboard cannot be opened or
  // the bitmap cannot be taken.
  virtual bool HoldClipboardBitmap() = 0;
  virtual PixelSize PictureSize() const = 0;
  // Reduces Picture1 to the depth of ColorMode, leaves the reduced bitmap in
  // common (records, DibBits, DibSize) and draws it back over the picture, so
  // every later output shows it. Throws UserFacingError when it cannot.
  virtual void ReduceColors(Common& common) = 0;
  // The screen, the virtual screen and the foreground window, for the check.
  virtual ImageCheckInput ScreenFacts() const = 0;
  // Shows the progress form frmExec with these rows and the picture, without
  // taking the focus; it hides itself. Throws UserFacingError when it cannot
  // be shown.
  virtual void frmExec_Show(const ExecRows& rows) = 0;
  // Prints Picture1 on one page of the current printer. Throws
  // UserFacingError when it cannot; a started job is aborted then.
  virtual void PrintImage(const Common& common, const Clock& clock) = 0;
  // Starts VstnMailSend.exe from the program's folder; false when it cannot.
  virtual bool StartMailSender() = 0;
  virtual void ShowError(const std::wstring& text) = 0;
  // True once the user chose to quit (the tray menu, a log-off), which a
  // message box of the capture lets in: no further step runs then.
  virtual bool QuitRequested() const = 0;
  // Releases the picture and its memory, puts the scale modes back to pixels.
  virtual void ResetPicture() noexcept = 0;
  virtual void TrimWorkingSet() noexcept = 0;
};

inline constexpr wchar_t kMailSenderMissingMessage[] = L"VstnMailSend.exeが見つかりませんでした。";

// Takes the clipboard bitmap, checks it when ownerIsZero (no window owns the
// clipboard; a desktop-owned bitmap is taken unchecked) and runs the outputs.
// A failing step is reported with its message and the steps that do not depend
// on it still run; a mail copy that was not written is never handed on. After
// the user chose to quit, the step in hand finishes and no other runs. A
// failed colour reduction stops the capture's outputs: they would not show
// what the user asked for. The picture and the reduced rows are released and
// the working set trimmed on every way out: after a rejection, and also when
// an exception leaves (a message box that cannot be shown).
void CaptureOutput(bool ownerIsZero, CaptureHost& host, Common& common, SettingsStore& store,
                   const Clock& clock);

}  // namespace vistrane
