#pragma once
// The capture pipeline: one accepted clipboard change in, the configured
// outputs out, in a fixed order.
#include <cstdint>
#include <optional>
#include <string>

#include "resident/capture/image_check.h"
#include "resident/output/capture_image.h"
#include "resident/output/exec_layout.h"
#include "resident/output/save_image_file.h"
#include "shared/clock.h"
#include "shared/settings_record.h"
#include "shared/settings_store.h"

namespace vistrane {

// What only the windows and devices around the pipeline can do. The resident
// shell implements it over the picture box, the screen and the shell.
class CaptureHost : public ImageFileWriter {
 public:
  // The pixels of the screen copy this capture is for, as its clipboard
  // notice found it, which stay valid until ReleasePicture; nullopt when the clipboard offered none. Throws
  // UserFacingError when the clipboard could not be opened or the bitmap
  // could not be taken.
  virtual std::optional<Picture> HoldScreenCopy() = 0;
  // Gives the picture and its memory back.
  virtual void ReleasePicture() noexcept = 0;
  // The screen, the virtual screen and the foreground window when the copy
  // arrived, for the check.
  virtual ImageCheckInput ScreenFacts() const = 0;
  // Shows the progress form frmExec with these rows and the picture, without
  // taking the focus; it hides itself. Throws UserFacingError when it cannot
  // be shown.
  virtual void frmExec_Show(const ExecRows& rows) = 0;
  // Prints the picture on one page of the current printer. Throws
  // UserFacingError when it cannot; a started job is aborted then.
  virtual void PrintImage(const SettingsRecord& settings, const Clock& clock) = 0;
  // Starts VstnMailSend.exe from the program's folder; false when it cannot.
  virtual bool StartMailSender() = 0;
  virtual void ShowError(const std::wstring& text) = 0;
  // True once the user chose to quit (the tray menu, a log-off), which a
  // message box of the capture lets in: no further step runs then.
  virtual bool QuitRequested() const = 0;
  virtual void TrimWorkingSet() noexcept = 0;
};

inline constexpr wchar_t kMailSenderMissingMessage[] = L"VstnMailSend.exeが見つかりませんでした。";

// What a capture did: the path of the file written last (empty when none was)
// and the daily counter after it, which the shell keeps in its live record.
struct CaptureResult {
  std::wstring OutFilePath;
  std::int16_t SaveCont = 0;
};

// The outputs of one capture, in this order: the normal file, the mail copy,
// the print, the hand-off of the mail copy. A failing step is reported with
// its message and the steps that do not depend on it still run; a mail copy
// that was not written is never handed on. After the user chose to quit, the
// step in hand finishes and no other runs.
CaptureResult CaptureOutput(const SettingsRecord& settings, const Capture& capture,
                            CaptureHost& host, SettingsStore& store, const Clock& clock);

// Takes the screen copy's bitmap, checks it when ownerIsZero (no window owns the
// clipboard; a desktop-owned bitmap is taken unchecked), reduces its colours
// unless the settings ask for full colour, shows it in the progress window and
// runs CaptureOutput. A failed colour reduction stops the capture's outputs:
// they would not show what the user asked for. The picture and the reduced
// image are released and the working set trimmed on every way out, also when
// an exception leaves (a message box that cannot be shown).
CaptureResult TakeCapture(bool ownerIsZero, const SettingsRecord& settings, CaptureHost& host,
                          SettingsStore& store, const Clock& clock);

}  // namespace vistrane
