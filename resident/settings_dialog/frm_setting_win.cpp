#include "resident/settings_dialog/frm_setting_win.h"

#include <commctrl.h>
#include <richedit.h>

#include "platform/message_box.h"
#include "platform/unique_handle.h"
#include "platform/window_placement.h"
#include "resident/res/program_icon_win.h"
#include "resident/settings_dialog/file_name_preview.h"
#include "resident/settings_dialog/output_folder.h"
#include "resident/settings_dialog/printer_choice.h"
#include "resident/settings_dialog/settings_commit.h"
#include "resident/settings_dialog/text_field_checks.h"
#include "shared/errors.h"
#include "shared/scope_exit.h"

namespace vistrane {
namespace {

constexpr wchar_t kCaption[] = L"Vistrane 設定画面";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

// Posted when a text field refused its text on losing the focus: by the time
// it arrives the focus has settled, so the dialog knows where it went.
constexpr UINT kRefuseTextMessage = WM_APP + 1;

PathKind KindOf(const std::wstring& path) {
  if (path.empty()) return PathKind::Missing;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

DriveList FixedDrives(const std::wstring& drive) {
  // Only a letter that names a drive is asked for its type: for one that
  // names none, GetDriveTypeW asks the mount manager, which costs more than
  // the rest of the opening. A drive is in the system's drive mask or has a
  // root that answers (Wine adds a drive linked in while it runs only to the
  // latter).
  const DWORD inUse = GetLogicalDrives();
  return FixedDriveList(
      [inUse](const std::wstring& root) {
        const bool named = (inUse >> (root[0] - L'A') & 1) != 0 ||
                           GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES;
        return named && GetDriveTypeW(root.c_str()) == DRIVE_FIXED;
      },
      drive);
}

}  // namespace

void FrmSetting::CustomizeClass(WNDCLASSEXW& windowClass) {
  SetProgramIcons(windowClass);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
}

void FrmSetting::PopSetting() {
  if (Window() != nullptr) {
    if (IsIconic(Window())) ShowWindow(Window(), SW_RESTORE);
    SetForegroundWindow(Window());
    return;
  }
  closing_ = false;
  refusing_ = false;
  lastFocus_ = nullptr;
  // Made in its place at the DPI of the cursor's monitor: a move would be a
  // round of size messages, and under Wine of X requests too.
  const CursorMonitor monitor = MonitorAtCursor();
  const Box client = ToPixels(kSettingClient, static_cast<int>(monitor.dpi),
                              static_cast<int>(monitor.dpi));
  const ScreenRect frame = CentredFrame(monitor.monitor, PixelSize{client.width, client.height},
                                        kStyle, kExStyle, monitor.dpi);
  Create(kCaption, kStyle, kExStyle, frame.left, frame.top, frame.right - frame.left,
         frame.bottom - frame.top);
  try {
    const UINT dpi = GetDpiForWindow(Window());
    if (dpi != monitor.dpi) {
      // The system scales the window to a DPI of its own (no per-monitor
      // awareness): sized again for that one.
      const Box scaled = ToPixels(kSettingClient, static_cast<int>(dpi), static_cast<int>(dpi));
      CentreOnWorkArea(Window(), PixelSize{scaled.width, scaled.height}, nullptr, SWP_NOZORDER);
    }
    waitingChoices_.clear();
    controls_.Create(
        Window(), dpi,
        [this](ctl::Id id) {
          const OptionGroup* group = GroupOfButton(id);
          return group != nullptr && ShownOption(*group, record_).id == id;
        },
        [this](ctl::Id id) {
          if (const auto waiting = waitingChoices_.find(id); waiting != waitingChoices_.end()) {
            FillChoices(id, waiting->second);
            waitingChoices_.erase(waiting);
          }
        });
    dirList_.Attach(controls_[ctl::dirList]);
    dirList_.ApplyDpi(dpi);
    Form_Load();
  } catch (...) {
    Form_Unload();
    throw;
  }
  ShowWindow(Window(), SW_SHOW);
  SetForegroundWindow(Window());
  SetFocus(GetNextDlgTabItem(Window(), nullptr, FALSE));
}

void FrmSetting::Form_Load() {
  // The fixed drives are asked once: the folder list's stand-in and drvBox
  // both come from them, and Drive does not change while the dialog opens.
  DriveList drives = FixedDrives(record_.Drive);
  Init_Save(drives.roots);
  // Disp_PrtOutputMode .. Disp_MailComp: each group shows its field.
  for (const OptionGroup& group : OptionGroups()) OptionClick(group, ShownOption(group, record_));
  SetText(ctl::txtMailAdd, record_.MailAdd);
  SetText(ctl::txtMailKenmei, record_.MailKenmei);
  SetText(ctl::txtMailNote, record_.MailNote);
  SetText(ctl::txtFileName, record_.Filename);
  // Shown as stored, also outside 1 to 999, until the user edits it.
  SetText(ctl::numAutoDelDate, std::to_wstring(record_.AutoDelDate));
  // A printer that cannot be asked leaves its lists empty; the rest of the
  // dialog works all the same.
  try {
    Disp_PrtName();
    Disp_PaperSize();
  } catch (...) {
    ReportCurrentException(Window());
  }
  // The stored drive is selected without drvBox_Click: it would change nothing.
  ShowChoices(ctl::drvBox, ChoiceList{std::move(drives.roots), {}, drives.selected});
}

void FrmSetting::Init_Save(std::span<const std::wstring> fixedDrives) {
  try {
    CheckDirName(record_, store_, KindOf(record_.DirName) != PathKind::Missing);
  } catch (const StoreError& e) {
    ShowErrorMessage(Window(), e.message());
  }
  const FolderListStart start =
      FolderListStartFor(record_.DirName, KindOf(record_.DirName), fixedDrives);
  dirList_.SetPath(start.path);
  if (start.isDirName) dirList_Change();
  snapshot_ = record_;
}

void FrmSetting::OptionClick(const OptionGroup& group, const OptionButton& button) {
  // Tab enters a group at its checked button, as in a dialog. Only what
  // differs is set: each setting is a round of messages for the button.
  for (const OptionButton& other : group.buttons) {
    const HWND window = controls_[other.id];
    const bool checked = other.id == button.id;
    const WPARAM check = checked ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageW(window, BM_GETCHECK, 0, 0)) != check) {
      SendMessageW(window, BM_SETCHECK, check, 0);
    }
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR wanted = checked ? style | WS_TABSTOP : style & ~WS_TABSTOP;
    if (wanted != style) SetWindowLongPtrW(window, GWL_STYLE, wanted);
  }
  const OptionEffect effect = SelectOption(record_, group, button);
  switch (effect) {
    case OptionEffect::None:
      break;
    case OptionEffect::FileNamePreview:
      Disp_FileName();
      break;
    case OptionEffect::DaysFieldOn:
    case OptionEffect::DaysFieldOff: {
      const DaysFieldLook look = DaysFieldLookFor(effect);
      const HWND days = controls_[ctl::numAutoDelDate];
      daysBackColor_ = look.backColor;
      EnableWindow(days, look.enabled);
      InvalidateRect(days, nullptr, TRUE);
      break;
    }
  }
}

void FrmSetting::Disp_FileName() { SetText(ctl::lblDirName, FileNamePreview(record_)); }

void FrmSetting::Disp_PrtName() { ShowChoices(ctl::PrtName, ListPrinters(record_, printer_)); }

void FrmSetting::Disp_PaperSize() {
  ShowChoices(ctl::PaperSize, ListPaperSizes(record_, printer_));
}

void FrmSetting::ShowChoices(ctl::Id id, const ChoiceList& choices) {
  // A list on a page not shown yet is filled when the page makes it.
  if (!controls_.Has(id)) {
    waitingChoices_.insert_or_assign(id, choices);
    return;
  }
  FillChoices(id, choices);
}

void FrmSetting::FillChoices(ctl::Id id, const ChoiceList& choices) {
  const HWND list = controls_[id];
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (std::size_t i = 0; i < choices.texts.size(); ++i) {
    const std::wstring& text = choices.texts[i];
    if (SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())) < 0) {
      throw Win32Error(ERROR_NOT_ENOUGH_MEMORY, L"CB_ADDSTRING");
    }
    if (i < choices.itemData.size()) {
      SendMessageW(list, CB_SETITEMDATA, i, static_cast<LPARAM>(choices.itemData[i]));
    }
  }
  SendMessageW(list, CB_SETCURSEL,
               choices.selected ? static_cast<WPARAM>(*choices.selected) : static_cast<WPARAM>(-1),
               0);
}

std::optional<std::wstring> FrmSetting::SelectedText(ctl::Id id) const {
  const HWND list = controls_[id];
  const LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (index < 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, index, 0)), L'\0');
  SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  return text;
}

void FrmSetting::drvBox_Click() {
  const std::optional<std::wstring> root = SelectedText(ctl::drvBox);
  if (!root || !ChooseDrive(record_, *root)) return;
  dirList_.SetPath(record_.Drive);
  dirList_Change();
}

void FrmSetting::dirList_Open() {
  const std::wstring path = dirList_.HighlightedOtherPath();
  if (path.empty()) return;
  dirList_.SetPath(path);
  dirList_Change();
}

void FrmSetting::dirList_Change() {
  record_.DirName = dirList_.Path();
  Disp_FileName();
}

void FrmSetting::PrtName_Click() {
  const std::optional<std::wstring> name = SelectedText(ctl::PrtName);
  if (!name) return;
  if (const std::optional<ChoiceList> papers = ChoosePrinter(record_, printer_, *name)) {
    ShowChoices(ctl::PaperSize, *papers);
  }
}

void FrmSetting::PaperSize_Click() {
  const HWND list = controls_[ctl::PaperSize];
  const LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (index < 0) return;
  const auto code = static_cast<std::int16_t>(SendMessageW(list, CB_GETITEMDATA, index, 0));
  ChoosePaperSize(record_, printer_, code);
}

std::wstring_view FrmSetting::ApplyText(ctl::Id id) {
  const std::wstring text = TextOf(id);
  switch (id) {
    case ctl::txtFileName: {
      const std::wstring_view refusal = ApplyFileName(record_, text);
      if (refusal.empty()) Disp_FileName();
      return refusal;
    }
    case ctl::numAutoDelDate:
      // A disabled field is not checked; its text stays as it is.
      if (!IsWindowEnabled(controls_[id])) return {};
      return ApplyAutoDelDate(record_, text);
    case ctl::txtMailAdd:
      record_.MailAdd = text;
      return {};
    case ctl::txtMailKenmei:
      record_.MailKenmei = text;
      return {};
    case ctl::txtMailNote:
      record_.MailNote = text;
      return {};
    default:
      return {};
  }
}

void FrmSetting::TextLostFocus(ctl::Id id) {
  if (closing_ || refusing_) return;
  if (!ApplyText(id).empty()) PostMessageW(Window(), kRefuseTextMessage, id, 0);
}

void FrmSetting::RefuseText(ctl::Id id) {
  if (closing_) return;
  const HWND field = controls_[id];
  const std::wstring_view refusal = ApplyText(id);
  if (refusal.empty()) return;
  // Focus gone to another program: the field is checked again when the user
  // comes back and leaves it. A click on キャンセル takes the focus first:
  // checking then would lose the click, and Cancel throws the text away.
  const HWND focus = GetFocus();
  if (focus == field || focus == nullptr || !IsChild(Window(), focus) ||
      focus == controls_[ctl::btnCancel]) {
    return;
  }
  refusing_ = true;
  const ScopeExit done([this] { refusing_ = false; });
  ShowErrorMessage(Window(), refusal);
  controls_.ShowTabOf(field);
  SetFocus(field);
  SendMessageW(field, EM_SETSEL, 0, -1);
}

void FrmSetting::btnOK_Click() {
  if (!AnyOutputOn(record_)) {
    ShowErrorMessage(Window(), kNoOutputMessage);
    return;
  }
  // A refused write is reported (the error boundary) and the dialog stays
  // open, so the user knows nothing was stored.
  StoreDialogSettings(record_, store_);
  Form_Unload();
}

void FrmSetting::btnCancel_Click() {
  RestoreSnapshot(record_, snapshot_);
  // The dialog closes all the same; the printer that could not be put back
  // is named in the message.
  try {
    RestorePrinter(snapshot_, printer_);
  } catch (...) {
    ReportCurrentException(Window());
  }
  Form_Unload();
}

void FrmSetting::OnEnter() {
  // Enter presses the focused button and opens the highlighted folder; in a
  // single-line text box it does nothing (the dialog has no default button).
  const HWND focus = GetFocus();
  if (focus == controls_[ctl::btnOK]) {
    btnOK_Click();
  } else if (focus == controls_[ctl::btnCancel]) {
    btnCancel_Click();
  } else if (focus == controls_[ctl::dirList]) {
    dirList_Open();
  }
}

void FrmSetting::OnCommand(int id, int code, HWND) {
  switch (id) {
    case IDOK:  // the dialog manager's Enter
      OnEnter();
      return;
    case IDCANCEL:  // the dialog manager's Esc
      btnCancel_Click();
      return;
    case ctl::btnOK:
      if (code == BN_CLICKED) btnOK_Click();
      return;
    case ctl::btnCancel:
      if (code == BN_CLICKED) btnCancel_Click();
      return;
    case ctl::drvBox:
      if (code == CBN_SELCHANGE) drvBox_Click();
      return;
    case ctl::PrtName:
      if (code == CBN_SELCHANGE) PrtName_Click();
      return;
    case ctl::PaperSize:
      if (code == CBN_SELCHANGE) PaperSize_Click();
      return;
    case ctl::dirList:
      if (code == LBN_DBLCLK) dirList_Open();
      return;
    default:
      break;
  }
  // Only the text fields send EN_KILLFOCUS; ApplyText lists them.
  if (code == EN_KILLFOCUS) {
    TextLostFocus(static_cast<ctl::Id>(id));
    return;
  }
  if (code != BN_CLICKED) return;
  if (const OptionGroup* group = GroupOfButton(static_cast<ctl::Id>(id))) {
    for (const OptionButton& button : group->buttons) {
      if (button.id == id) OptionClick(*group, button);
    }
  }
}

LRESULT FrmSetting::OnControlColor(UINT message, HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  if (id == ctl::numAutoDelDate) {
    SetBkColor(dc, GetSysColor(daysBackColor_));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(daysBackColor_));
  }
  if (message == WM_CTLCOLOREDIT)
    return DefaultProc(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  if (const std::optional<COLORREF> ink = controls_.InkOf(id)) SetTextColor(dc, *ink);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void FrmSetting::OnDpiChanged(UINT dpi, const RECT& suggested) {
  FollowDpiChange(Window(), suggested);
  controls_.ApplyDpi(dpi);
  dirList_.ApplyDpi(dpi);
}

bool FrmSetting::PreTranslateMessage(MSG& message) {
  const HWND dialog = Window();
  if (dialog == nullptr || (message.hwnd != dialog && !IsChild(dialog, message.hwnd))) {
    return false;
  }
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (GetKeyState(VK_CONTROL) < 0) {
      // Ctrl+Tab turns the pages, as in other tabbed dialogs.
      const int count = static_cast<int>(SettingTabs().size());
      controls_.ShowTab((controls_.SelectedTab() + (shift ? count - 1 : 1)) % count);
      SetFocus(controls_[ctl::SSTab1]);
      return true;
    }
    if (message.hwnd == controls_[ctl::txtMailNote]) {
      // The note takes line breaks, not tabs: Tab leaves it like any field.
      SetFocus(GetNextDlgTabItem(dialog, message.hwnd, shift));
      return true;
    }
  }
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE &&
      message.hwnd == controls_[ctl::txtMailNote]) {
    // The note wants every key, so the dialog manager would hand Esc to it
    // rather than cancel.
    btnCancel_Click();
    return true;
  }
  return IsDialogMessageW(dialog, &message) != FALSE;
}

LRESULT FrmSetting::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_NOTIFY: {
      const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
      if (notice->idFrom == ctl::SSTab1 && notice->code == TCN_SELCHANGE) {
        controls_.ShowTab(controls_.SelectedTab());
      }
      return 0;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID == ctl::dirList) dirList_.DrawItem(*item);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return OnControlColor(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case kRefuseTextMessage:
      RefuseText(static_cast<ctl::Id>(wParam));
      return 0;
    case WM_ACTIVATE:
      // Like a dialog: the control that had the focus gets it back.
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(Window(), focus)) lastFocus_ = focus;
      } else if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsWindowVisible(lastFocus_)) {
        SetFocus(lastFocus_);
      } else {
        SetFocus(GetNextDlgTabItem(Window(), nullptr, FALSE));
      }
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      // The close button and Alt+F4 cancel: edits that are neither stored nor
      // put back would hold for this run only.
      btnCancel_Click();
      return 0;
    case WM_DESTROY:
      closing_ = true;
      return 0;
    default:
      return DefaultProc(message, wParam, lParam);
  }
}

std::wstring FrmSetting::TextOf(ctl::Id id) const {
  const HWND control = controls_[id];
  if (id == ctl::txtMailNote) {
    GETTEXTLENGTHEX length{GTL_USECRLF | GTL_NUMCHARS, 1200};
    const LRESULT count =
        SendMessageW(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    std::wstring text(static_cast<std::size_t>(count) + 1, L'\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    get.flags = GT_USECRLF;
    get.codepage = 1200;  // UTF-16
    const LRESULT copied = SendMessageW(control, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
  }
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

void FrmSetting::SetText(ctl::Id id, const std::wstring& text) {
  if (!SetWindowTextW(controls_[id], text.c_str())) ThrowLastError(L"SetWindowTextW");
}

}  // namespace vistrane
