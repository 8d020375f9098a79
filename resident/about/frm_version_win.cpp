#include "resident/about/frm_version_win.h"

#include <string>

#include "platform/account_names.h"
#include "platform/message_font.h"
#include "platform/win32_error.h"
#include "platform/window_placement.h"
#include "resident/res/program_icon_win.h"
#include "resident/res/resource_ids.h"

namespace vistrane {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = 0;

// Child control identifiers; btnOK is IDOK, so Enter presses it.
enum : int {
  kLblVerId = 101,
  kLblForId,
  kLblCorpId,
  kLblMailId,
  kLblComputerId,
  kLblUserId,
};

struct ControlSpec {
  int id;
  const wchar_t* className;
  DWORD style;
  Box VersionFormLayout::*box;
};

// Labels never wrap; a name too long for its label ends in an ellipsis. No
// '&' is taken for an accelerator: names may contain one.
constexpr DWORD kLabel = SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_ENDELLIPSIS;
constexpr ControlSpec kControls[] = {
    {kLblVerId, L"STATIC", kLabel, &VersionFormLayout::Lbl_Ver},
    {kLblForId, L"STATIC", kLabel, &VersionFormLayout::Lbl_For},
    {kLblCorpId, L"STATIC", kLabel, &VersionFormLayout::Lbl_Corp},
    {kLblMailId, L"STATIC", kLabel, &VersionFormLayout::lbl_Mail},
    {kLblComputerId, L"STATIC", kLabel, &VersionFormLayout::Lbl_Computer},
    {kLblUserId, L"STATIC", kLabel, &VersionFormLayout::Lbl_User},
    {IDOK, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, &VersionFormLayout::btnOK},
};

// The label stays empty when the system cannot tell the name.
std::wstring NameOrEmpty(std::wstring (*read)()) {
  try {
    return read();
  } catch (const Win32Error&) {
    return std::wstring();
  }
}

}  // namespace

void FrmVersion::CustomizeClass(WNDCLASSEXW& windowClass) {
  SetProgramIcons(windowClass);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
}

void FrmVersion::Show() {
  if (Window() != nullptr) {
    ShowWindow(Window(), SW_SHOWNORMAL);
    SetForegroundWindow(Window());
    return;
  }
  const POINT at = CursorMonitorCentre();
  Create(kVersionCaption, kStyle, kExStyle, at.x, at.y, 0, 0);
  try {
    Form_Load();
    LayOut(GetDpiForWindow(Window()));
    CentreOnWorkArea(Window(), layout_.client, nullptr, SWP_NOZORDER);
  } catch (...) {
    Destroy();
    throw;
  }
  ShowWindow(Window(), SW_SHOWNORMAL);
  SetForegroundWindow(Window());
}

bool FrmVersion::PreTranslateMessage(MSG& message) {
  const HWND box = Window();
  if (box == nullptr || (message.hwnd != box && !IsChild(box, message.hwnd))) return false;
  return IsDialogMessageW(box, &message) != FALSE;
}

void FrmVersion::Form_Load() {
  Image1.reset(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                               MAKEINTRESOURCEW(IDB_VERSION_IMAGE1), IMAGE_BITMAP,
                                               0, 0, LR_CREATEDIBSECTION)));
  if (!Image1) ThrowLastError(L"LoadImageW (Image1)");
  // In the order of kControls.
  const std::wstring texts[] = {
      VersionLabelText(),     kLblFor, kLblCorp, kLblMail, NameOrEmpty(&ComputerName),
      NameOrEmpty(&UserName), kBtnOK,
  };
  static_assert(sizeof(texts) / sizeof(texts[0]) == sizeof(kControls) / sizeof(kControls[0]));
  for (std::size_t i = 0; i < sizeof(texts) / sizeof(texts[0]); ++i) {
    const ControlSpec& entry = kControls[i];
    const HWND control = CreateWindowExW(0, entry.className, texts[i].c_str(),
                                         WS_CHILD | WS_VISIBLE | entry.style, 0, 0, 0, 0, Window(),
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)),
                                         GetModuleHandleW(nullptr), nullptr);
    if (control == nullptr) ThrowLastError(L"CreateWindowExW");
  }
}

void FrmVersion::LayOut(UINT dpi) {
  layout_ = LayOutVersionForm(dpi);
  // The new font goes to the controls before the old one is deleted.
  UniqueHfont font = CreateMessageFont(dpi);
  for (const ControlSpec& entry : kControls) {
    const HWND control = Control(entry.id);
    const Box& box = layout_.*entry.box;
    if (!SetWindowPos(control, nullptr, box.left, box.top, box.width, box.height,
                      SWP_NOZORDER | SWP_NOACTIVATE)) {
      ThrowLastError(L"SetWindowPos");
    }
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  }
  font_ = std::move(font);
  RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT FrmVersion::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      const PaintScope paint(Window());
      if (paint.get() == nullptr) ThrowLastError(L"BeginPaint");
      Paint(paint.get());
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      // Labels draw only their text, on the window's own background: the
      // design lets some of them overlap.
      const HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    case WM_SETFOCUS:
      SetFocus(Control(IDOK));
      return 0;
    case WM_COMMAND:
      // OK, and Enter and Esc through the message loop's dialog keys.
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) btnOK_Click();
      return 0;
    case WM_DPICHANGED:
      LayOut(HIWORD(wParam));
      FollowDpiChange(Window(), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DESTROY:
      PostMessageW(owner_, unloaded_, 0, 0);
      return 0;
    default:
      return DefaultProc(message, wParam, lParam);
  }
}

void FrmVersion::Paint(HDC dc) const {
  const Box& shape = layout_.Shape1;
  const RECT shapeRect{shape.left, shape.top, shape.left + shape.width, shape.top + shape.height};
  const UniqueHbrush yellow(
      CreateSolidBrush(RGB(kShape1Colour[0], kShape1Colour[1], kShape1Colour[2])));
  if (!yellow) ThrowLastError(L"CreateSolidBrush");
  if (!FillRect(dc, &shapeRect, yellow.get())) ThrowLastError(L"FillRect");

  BITMAP picture{};
  if (GetObjectW(Image1.get(), sizeof(picture), &picture) == 0) ThrowLastError(L"GetObjectW");
  const UniqueHdc memory(CreateCompatibleDC(dc));
  if (!memory) ThrowLastError(L"CreateCompatibleDC");
  const SelectObjectScope selected(memory.get(), Image1.get());
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  const Box& image = layout_.Image1;
  if (!StretchBlt(dc, image.left, image.top, image.width, image.height, memory.get(), 0, 0,
                  picture.bmWidth, picture.bmHeight, SRCCOPY)) {
    ThrowLastError(L"StretchBlt");
  }
}

}  // namespace vistrane
