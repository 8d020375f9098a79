#include "resident/output/frm_exec_win.h"

#include <algorithm>
#include <utility>

#include "platform/win32_error.h"
#include "platform/window_placement.h"
#include "resident/output/exec_pictograms_win.h"

namespace vistrane {
namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION;
// Topmost so it is seen over the window that was copied; never activated.
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_NOACTIVATE;

constexpr COLORREF kBackColor = RGB(128, 128, 255);
constexpr COLORREF kMonitorColor = RGB(64, 64, 64);
constexpr int kFrameThickness = 3;

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  const UniqueHbrush brush(CreateSolidBrush(colour));
  if (!brush) ThrowLastError(L"CreateSolidBrush");
  if (!FillRect(dc, &rect, brush.get())) ThrowLastError(L"FillRect");
}

RECT ToRect(const Box& box) {
  return RECT{box.left, box.top, box.left + box.width, box.top + box.height};
}

// A frame line as a bar centred on its segment, the corners filled.
RECT ToRect(const Segment& s) {
  const int before = kFrameThickness / 2;
  const int after = kFrameThickness - before;
  return RECT{std::min(s.x1, s.x2) - before, std::min(s.y1, s.y2) - before,
              std::max(s.x1, s.x2) + after, std::max(s.y1, s.y2) + after};
}

}  // namespace

void FrmExec::Form_Load() {
  if (Window() != nullptr) return;
  Create(kExecTitle, kStyle, kExStyle, 0, 0, 0, 0);
}

void FrmExec::frmExec_Show(const ExecRows& rows, const PictureBox& Picture1) {
  const UINT dpi = GetDpiForWindow(Window());
  layout_ = LayOutExecForm(rows, dpi, dpi);
  TakeImage1(Picture1);
  // The timer first: a form that could not hide itself must not appear.
  if (SetTimer(Window(), kTimer1, kExecShowMilliseconds, nullptr) == 0) {
    Image1.reset();  // keeps the last error
    ThrowLastError(L"SetTimer");
  }
  try {
    CentreOnWorkArea(Window(), layout_.client, HWND_TOPMOST, SWP_SHOWWINDOW);
  } catch (...) {
    Timer1_Timer();
    throw;
  }
  // The outputs that follow keep this thread busy: paint now, not when the
  // message loop next runs.
  InvalidateRect(Window(), nullptr, FALSE);
  UpdateWindow(Window());
}

void FrmExec::TakeImage1(const PictureBox& Picture1) {
  Image1.reset();
  if (!Picture1.Holds()) return;
  const WindowDc screen(nullptr);
  UniqueHbitmap copy(CreateCompatibleBitmap(screen.get(), layout_.Image1.width,
                                            layout_.Image1.height));
  if (!copy) ThrowLastError(L"CreateCompatibleBitmap");
  const UniqueHdc memory(CreateCompatibleDC(screen.get()));
  if (!memory) ThrowLastError(L"CreateCompatibleDC");
  {
    const SelectObjectScope selected(memory.get(), copy.get());
    Picture1.DrawStretched(memory.get(), 0, 0, layout_.Image1.width, layout_.Image1.height);
  }
  Image1 = std::move(copy);
}

void FrmExec::Timer1_Timer() noexcept {
  KillTimer(Window(), kTimer1);
  ShowWindow(Window(), SW_HIDE);
  Image1.reset();
}

LRESULT FrmExec::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;  // Paint covers every pixel
    case WM_PAINT: {
      const PaintScope paint(Window());
      if (paint.get() == nullptr) ThrowLastError(L"BeginPaint");
      Paint(paint.get());
      return 0;
    }
    case WM_PRINTCLIENT:  // PrintWindow and other copies of the form
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_TIMER:
      if (wParam == kTimer1) Timer1_Timer();
      return 0;
    case WM_CLOSE:
      Timer1_Timer();  // closing only hides: the form stays loaded
      return 0;
    default:
      return DefaultProc(message, wParam, lParam);
  }
}

void FrmExec::Paint(HDC dc) const {
  Fill(dc, RECT{0, 0, layout_.client.width, layout_.client.height}, kBackColor);
  if (Image1) {
    const UniqueHdc memory(CreateCompatibleDC(dc));
    if (!memory) ThrowLastError(L"CreateCompatibleDC");
    const SelectObjectScope selected(memory.get(), Image1.get());
    const Box& at = layout_.Image1;
    if (!BitBlt(dc, at.left, at.top, at.width, at.height, memory.get(), 0, 0, SRCCOPY)) {
      ThrowLastError(L"BitBlt");
    }
  }
  for (const Segment& line : layout_.frame) Fill(dc, ToRect(line), kMonitorColor);
  Fill(dc, ToRect(layout_.Shape1), kMonitorColor);
  Fill(dc, ToRect(layout_.Shape2), kMonitorColor);

  const struct {
    const ExecRowBoxes& row;
    void (*pictogram)(HDC, const Box&);
  } rows[] = {{layout_.file, DrawFilePictogram},
              {layout_.printer, DrawPrinterPictogram},
              {layout_.mail, DrawMailPictogram}};
  for (const auto& r : rows) {
    if (!r.row.visible) continue;
    DrawArrow(dc, r.row.arrow);
    r.pictogram(dc, r.row.pictogram);
  }
}

}  // namespace vistrane
