#include "resident/shell/frm_vistrane_win.h"

#include <cstdint>
#include <utility>

#include "platform/error_report.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/win32_error.h"
#include "platform/working_set.h"
#include "resident/capture/auto_delete_win.h"
#include "resident/res/program_icon_win.h"
#include "resident/res/resource_ids.h"
#include "resident/shell/print_screen_key_win.h"
#include "shared/errors.h"
#include "shared/folder_path.h"
#include "shared/load_settings.h"
#include "shared/scope_exit.h"

namespace vistrane {
namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1IntervalMs = 3000;

}  // namespace

void FrmVistrane::CustomizeClass(WNDCLASSEXW& windowClass) { SetProgramIcons(windowClass); }

FrmVistrane::~FrmVistrane() { Form_QueryUnload(); }

void FrmVistrane::Form_Load() {
  // A hidden top-level window: the tray and the viewer chain need one, and it
  // is never shown.
  Create(L"Vistrane", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0);
  taskbarCreated_ = TaskbarCreatedMessage();
  AddTrayIcon();
  viewer_.Join(Window());
  LoadSettingsOrDefaults();
  // Quit during a start-up message: the start-up shows no further one.
  if (!quitRequested_) CreateOutputFolderIfMissing();
  if (!quitRequested_ && record_.AutoDel == 1) AutoDeleteFiles();
  frmExec.Form_Load();
  if (SetTimer(Window(), kTimer1, kTimer1IntervalMs, nullptr) == 0) ThrowLastError(L"SetTimer");
  TrimWorkingSet();
  // Asked from the message loop, once the start-up has finished: captures
  // work while the question waits for its answer. Should the post fail, the
  // question comes at the next start.
  PostMessageW(Window(), kOfferPrintScreenKeyMessage, 0, 0);
  // A start-up message lets clipboard notices and the tray menu in; what they
  // asked for runs now that the start-up is complete.
  startingUp_ = false;
  if (quitRequested_) {
    PopExit_Click();
  } else {
    RunCaptures(std::nullopt);
  }
}

void FrmVistrane::AddTrayIcon() {
  PopMenu.reset(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_POPMENU)));
  if (!PopMenu) ThrowLastError(L"LoadMenuW");
  // The shell may still be starting; TaskbarCreated adds the icon later then.
  tray_.Add(Window(), kTrayIconId, kTrayCallbackMessage,
            LoadProgramIcon(GetSystemMetrics(SM_CXSMICON)), L"Vistrane");
}

void FrmVistrane::LoadSettingsOrDefaults() {
  const LoadedSettings loaded = LoadSettings(store_, clock_, ProgramFolder());
  record_ = loaded.record;
  // The registry refused a write: the run goes on with what it holds and the
  // defaults of what is missing, and the user learns why nothing will be
  // remembered.
  if (!loaded.refusedWrite.empty()) ShowErrorMessage(Window(), loaded.refusedWrite);
}

void FrmVistrane::CreateOutputFolderIfMissing() {
  // A relative folder would land under whatever folder the program was
  // started from; the capture refuses it with its own message.
  if (!IsAbsoluteFolder(record_.DirName) || PathExists(record_.DirName)) return;
  try {
    CreateFolder(record_.DirName);
  } catch (const Win32Error& e) {
    ShowErrorMessage(Window(),
                     WithReason(L"出力フォルダ「" + record_.DirName + L"」を作成できませんでした。",
                                Win32ErrorText(e.code())));
  }
}

void FrmVistrane::AutoDeleteFiles() noexcept {
  // A file that stays is no reason to end the start-up.
  try {
    DeleteExpiredImageFiles(record_, clock_);
  } catch (...) {
    ReportCurrentException(Window());
  }
}

LRESULT FrmVistrane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWCLIPBOARD:
    case WM_CHANGECBCHAIN:
      return ViewerWndProc(message, wParam, lParam);
    case kTrayCallbackMessage:
      OnTrayMouse(LOWORD(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == kTimer1) TrimWorkingSet();
      return 0;
    case kOfferPrintScreenKeyMessage:
      OfferPrintScreenKey(Window(), store_);
      return 0;
    case kFrmVersionUnloadedMessage:
      // A box opened again since then has a window and stays.
      if (frmVersion && frmVersion->Window() == nullptr) frmVersion.reset();
      return 0;
    case WM_ENDSESSION:
      // The session may end the process as soon as this returns: a capture in
      // hand runs no further step and its message box does not wait.
      if (wParam) {
        quitRequested_ = true;
        Form_QueryUnload();
        EndErrorMessages(Window());
      }
      return 0;
    case WM_CLOSE:
      // From another program (an installer), or from the form itself once the
      // captures have finished after a quit.
      CloseFromOutside();
      return 0;
    case WM_DESTROY:
      Form_QueryUnload();
      PostQuitMessage(0);
      return 0;
    default:
      if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        tray_.ReAdd();
        return 0;
      }
      return DefaultProc(message, wParam, lParam);
  }
}

LRESULT FrmVistrane::ViewerWndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWCLIPBOARD) {
    // The notice that arrives while the form joins the chain is not a new
    // copy: a bitmap already on the clipboard at start-up is not captured.
    if (!viewer_.Joined()) return 0;
    // The viewers after this one get the notice also when the capture throws.
    const ScopeExit passOn([&] { viewer_.PassOnDraw(wParam, lParam); });
    if (IsClipboardFormatAvailable(CF_BITMAP)) ClipbordCapture();
  } else {
    viewer_.OnChangeChain(wParam, lParam);
  }
  return 0;
}

void FrmVistrane::ClipbordCapture() {
  // Only the screen-copy key leaves a bitmap that no application window owns.
  const HWND owner = GetClipboardOwner();
  if (owner != nullptr && owner != GetDesktopWindow()) return;
  // The clipboard holds this copy only until the next one: it is taken now.
  ScreenCopy copy = TakeScreenCopy(Window(), owner == nullptr);
  // A capture's or the start-up's message box lets the next notices in. Their
  // copies wait until that has finished, never run in the middle of it, where
  // they would replace the picture and the path the capture still uses.
  if (capturing_ || startingUp_) {
    const std::uint64_t bytes = copy.Bytes();
    waiting_.Offer(std::move(copy), bytes);
    return;
  }
  RunCaptures(std::move(copy));
}

void FrmVistrane::RunCaptures(std::optional<ScreenCopy> next) {
  capturing_ = true;
  // After a quit nothing stays held.
  const ScopeExit done([this] {
    capturing_ = false;
    waiting_.Clear();
  });
  while (!quitRequested_) {
    if (!next) next = waiting_.Next();
    if (!next) {
      // Copies that arrive while this message is open are captured after it.
      const int notKept = waiting_.TakeNotKept();
      if (notKept == 0) break;
      ShowErrorMessage(Window(), NotKeptMessage(notKept));
      continue;
    }
    RunCapture(*next);
    next.reset();
  }
  // The form is destroyed outside the capture, once this notice is passed on.
  if (quitRequested_) PostMessageW(Window(), WM_CLOSE, 0, 0);
}

void FrmVistrane::RunCapture(ScreenCopy& copy) noexcept {
  // A capture that fails is reported; the copies that wait are still taken.
  try {
    WindowsCaptureHost host(Window(), copy, printer_, frmExec, quitRequested_);
    // The dialog may change the live settings while a message box of this
    // capture is open: the capture keeps the ones it started with.
    const SettingsRecord settings = record_;
    record_.SaveCont = TakeCapture(copy.ownerIsZero, settings, host, store_, clock_).SaveCont;
  } catch (...) {
    ReportCurrentException(Window());
  }
}

void FrmVistrane::OnTrayMouse(UINT mouseMessage) {
  if (mouseMessage == WM_RBUTTONDOWN) ShowPopMenu();
  TrimWorkingSet();
}

void FrmVistrane::ShowPopMenu() {
  POINT at{};
  GetCursorPos(&at);
  // Without the foreground the menu would not close when the user clicks
  // elsewhere.
  SetForegroundWindow(Window());
  const HMENU popup = GetSubMenu(PopMenu.get(), 0);
  const UINT command = static_cast<UINT>(TrackPopupMenuEx(
      popup, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, Window(), nullptr));
  PostMessageW(Window(), WM_NULL, 0, 0);
  if (command == ID_POPSETTING) PopSetting_Click();
  if (command == ID_POPVERSION) PopVersion_Click();
  if (command == ID_POPEXIT) PopExit_Click();
}

void FrmVistrane::PopVersion_Click() {
  if (!frmVersion || frmVersion->Window() == nullptr) {
    frmVersion = std::make_unique<FrmVersion>(Window(), kFrmVersionUnloadedMessage);
  }
  frmVersion->Show();
}

void FrmVistrane::PopSetting_Click() {
  try {
    frmSetting.PopSetting();
  } catch (...) {
    ReportCurrentException(Window());
  }
}

void FrmVistrane::PopExit_Click() {
  // Chosen during a capture's or the start-up's message: the program ends
  // when that has finished its current step.
  if (capturing_ || startingUp_) {
    quitRequested_ = true;
    return;
  }
  frmExec.Form_Unload();
  frmSetting.Form_Unload();
  frmVersion.reset();
  Destroy();
}

void FrmVistrane::CloseFromOutside() {
  EndErrorMessages(Window());
  PopExit_Click();
}

void FrmVistrane::Form_QueryUnload() noexcept {
  viewer_.Leave();
  tray_.Delete();
}

}  // namespace vistrane
