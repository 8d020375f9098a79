#pragma once
// The progress form frmExec: a monitor showing the capture and one row per
// enabled output, shown for a moment after each capture. It never takes the
// focus, so the window the user works in stays the foreground window (the
// next window copy is checked against it).
#include <windows.h>

#include "platform/base_window.h"
#include "platform/picture_box.h"
#include "platform/unique_handle.h"
#include "resident/output/exec_layout.h"

namespace vistrane {

class FrmExec final : public BaseWindow<FrmExec> {
 public:
  static const wchar_t* ClassName() { return L"VistraneExecForm"; }

  FrmExec() = default;

  // Creates the form hidden on the primary monitor. Throws Win32Error.
  void Form_Load();

  // Lays the rows out, shows the capture held in Picture1 stretched into the
  // monitor and shows the form without activating it; Timer1 hides it again
  // after kExecShowMilliseconds, counted anew on each call. Throws Win32Error.
  void frmExec_Show(const ExecRows& rows, const PictureBox& Picture1);

  // Destroys the form; nothing happens when it is not loaded.
  void Form_Unload() noexcept { Destroy(); }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // Hides the form and gives the copy of the capture back.
  void Timer1_Timer() noexcept;
  void Paint(HDC dc) const;
  // A copy of the capture at Image1's size: all the form keeps of it.
  void TakeImage1(const PictureBox& Picture1);

  ExecFormLayout layout_;
  UniqueHbitmap Image1;
};

}  // namespace vistrane
