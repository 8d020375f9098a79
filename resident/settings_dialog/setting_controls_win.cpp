#include "resident/settings_dialog/setting_controls_win.h"

#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/message_font.h"
#include "platform/win32_error.h"
#include "resident/settings_dialog/option_groups.h"

namespace vistrane {
namespace {

constexpr wchar_t kPageClass[] = L"VistraneSettingPage";

// Distances inside a group frame, pixels at 96 dpi.
constexpr int kOptionLeft = 10;
constexpr int kRowTop = 14;
constexpr int kColumnTop = 15;
constexpr int kOptionHeight = 16;
constexpr int kOptionGap = 10;
constexpr int kDropDownList = 200;  // the opened list of a drop-down
constexpr int kDriveIconSize = 32;
constexpr int kTabLine = 2;  // the tab control's frame line under the tabs

// A page of SSTab1: the tab control shows the row of tabs only, and the page
// below it draws the rest of the tab's frame, so neither paints over the
// other. What the page's controls report goes to the dialog, which handles
// every control in one place, and so does a close message: the note's rich
// edit posts one to its parent on Esc, and a page must not be destroyed.
LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_PAINT: {
      const PaintScope paint(page);
      RECT frame{};
      GetClientRect(page, &frame);
      if (paint.get() != nullptr) DrawEdge(paint.get(), &frame, EDGE_RAISED, BF_LEFT | BF_RIGHT | BF_BOTTOM);
      return 0;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CLOSE:
      return SendMessageW(GetParent(page), message, wParam, lParam);
    default:
      return DefWindowProcW(page, message, wParam, lParam);
  }
}

void RegisterPageClass() {
  static const ATOM atom = [] {
    WNDCLASSEXW pageClass{};
    pageClass.cbSize = sizeof(pageClass);
    pageClass.lpfnWndProc = PageProc;
    pageClass.hInstance = GetModuleHandleW(nullptr);
    pageClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    pageClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    pageClass.lpszClassName = kPageClass;
    const ATOM registered = RegisterClassExW(&pageClass);
    if (registered == 0) ThrowLastError(L"RegisterClassExW(VistraneSettingPage)");
    return registered;
  }();
  static_cast<void>(atom);
}

// A child made where it belongs, in its font: moving or refitting it
// afterwards would cost each control a round of size messages.
HWND CreateChild(const wchar_t* windowClass, const std::wstring& text, DWORD style, DWORD exStyle,
                 HWND parent, int id, const Box& place, HFONT font) {
  const HWND created = CreateWindowExW(
      exStyle, windowClass, text.c_str(), WS_CHILD | style, place.left, place.top,
      place.width, place.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleW(nullptr), nullptr);
  if (created == nullptr) ThrowLastError(std::wstring(L"CreateWindowExW(") + windowClass + L")");
  SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return created;
}

void Move(HWND window, const Box& place) {
  if (!MoveWindow(window, place.left, place.top, place.width, place.height, TRUE)) {
    ThrowLastError(L"MoveWindow");
  }
}

const ControlLayout* FindLayout(int id) {
  for (const ControlLayout& layout : SettingLayout()) {
    if (layout.id == id) return &layout;
  }
  return nullptr;
}

// Under Wine a drop-down list's list is a top-level window of its own, the
// costliest control to make (about 2 ms each): on a page the dialog does not
// open on, it is made when its page is first shown.
bool WaitsForItsPage(const ControlLayout& layout) {
  return layout.kind == ControlKind::DropDown && layout.container != Container::Dialog &&
         static_cast<int>(layout.container) - 1 != kOpeningTab;
}

// The option group a frame holds; nullptr for any other control.
const OptionGroup* GroupOf(const ControlLayout& layout) {
  return layout.kind == ControlKind::Frame ? GroupOfFrame(layout.id) : nullptr;
}

// The last window made for the layout entry: an option group's last button,
// or else its own window.
ctl::Id LastIdOf(const ControlLayout& layout) {
  const OptionGroup* group = GroupOf(layout);
  return group != nullptr ? group->buttons.back().id : layout.id;
}

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) {
  return std::memcmp(&a, &b, offsetof(LOGFONTW, lfFaceName)) == 0 &&
         std::wcsncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

int TextWidth(HDC dc, std::wstring_view text) {
  SIZE size{};
  if (!GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size)) {
    ThrowLastError(L"GetTextExtentPoint32W");
  }
  return size.cx;
}

}  // namespace

void SettingControls::Create(HWND dialog, UINT dpi, const std::function<bool(ctl::Id)>& isChecked,
                             std::function<void(ctl::Id)> made) {
  dialog_ = dialog;
  dpi_ = dpi;
  windows_.clear();
  made_ = std::move(made);
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
  if (!InitCommonControlsEx(&classes)) ThrowLastError(L"InitCommonControlsEx");
  RegisterPageClass();
  UseFonts();
  LoadDriveIcon();
  for (const ControlLayout& layout : SettingLayout()) {
    if (WaitsForItsPage(layout)) continue;
    windows_[layout.id] = CreateControl(layout);
    const OptionGroup* group = GroupOf(layout);
    if (group == nullptr) continue;
    // The arrow keys move within a group: from the first button (WS_GROUP) to
    // the control after the last. The checked button alone gets WS_TABSTOP.
    // The checked one is made a plain radio button, checked, and then made
    // automatic: checking an automatic one looks for its group's other
    // buttons among all the siblings before it, one window query each, to
    // uncheck and restyle them.
    const std::vector<Box> places = OptionPlaces(layout, *group);
    for (std::size_t i = 0; i < places.size(); ++i) {
      const OptionButton& button = group->buttons[i];
      const bool checked = isChecked(button.id);
      const HWND option = CreateChild(
          L"BUTTON", std::wstring(button.caption),
          WS_VISIBLE | (checked ? BS_RADIOBUTTON : BS_AUTORADIOBUTTON) | (i == 0 ? WS_GROUP : 0),
          0, Container(layout.container), button.id, places[i], font_.get());
      if (checked) {
        SendMessageW(option, BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(option, BM_SETSTYLE, BS_AUTORADIOBUTTON, FALSE);
      }
      windows_[button.id] = option;
    }
  }
  // The opening page was made shown and the others hidden; its tab alone is
  // left to choose (which leaves it alone pressed): each item set on the tab
  // control lays out the whole row again.
  SendMessageW((*this)[ctl::SSTab1], TCM_SETCURSEL, kOpeningTab, 0);
}

HWND SettingControls::CreateControl(const ControlLayout& layout) {
  const HWND parent = Container(layout.container);
  const std::wstring text(layout.text);
  const Box place = PlaceOf(layout);
  const HFONT font = layout.bold ? boldFont_.get() : font_.get();
  const auto child = [&](const wchar_t* windowClass, const std::wstring& caption, DWORD style,
                         DWORD exStyle) {
    return CreateChild(windowClass, caption, WS_VISIBLE | style, exStyle, parent, layout.id, place,
                       font);
  };
  switch (layout.kind) {
    case ControlKind::Frame:
      return child(L"BUTTON", text, BS_GROUPBOX | WS_GROUP, 0);
    case ControlKind::Label:
      return child(L"STATIC", text, SS_LEFT | SS_NOPREFIX | WS_GROUP, 0);
    case ControlKind::Text: {
      const HWND edit =
          child(L"EDIT", text, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE);
      if (layout.maxChars > 0) SendMessageW(edit, EM_SETLIMITTEXT, layout.maxChars, 0);
      return edit;
    }
    case ControlKind::RichText: {
      if (!richEdit_) {
        richEdit_.reset(LoadLibraryW(L"Msftedit.dll"));
        if (!richEdit_) ThrowLastError(L"LoadLibrary(Msftedit.dll)");
      }
      const HWND rich = child(
          MSFTEDIT_CLASS, L"",
          ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
          WS_EX_CLIENTEDGE);
      // Plain text: the note is mailed as it is typed, without formatting.
      SendMessageW(rich, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO, 0);
      return rich;
    }
    case ControlKind::DropDown:
      return child(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 0);
    case ControlKind::FolderList:
      return child(L"LISTBOX", L"",
                   LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                       WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                   WS_EX_CLIENTEDGE);
    case ControlKind::DriveIcon: {
      const HWND picture = child(L"STATIC", L"", SS_ICON | WS_GROUP, 0);
      SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(driveIcon_.get()), 0);
      return picture;
    }
    case ControlKind::Tabs: {
      const HWND tabs = child(WC_TABCONTROLW, L"", WS_TABSTOP | WS_GROUP, 0);
      int index = 0;
      for (const TabPage& tab : SettingTabs()) {
        std::wstring caption(tab.caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        if (SendMessageW(tabs, TCM_INSERTITEMW, index++, reinterpret_cast<LPARAM>(&item)) < 0) {
          ThrowLastError(L"TCM_INSERTITEM");
        }
      }
      // The pages follow the tab control, so the Tab key reaches the shown
      // page's controls right after the tabs. Only the opening page is made
      // visible: hiding a page later is a round of messages for each control.
      const Box pagePlace = FitTabs(tabs);
      for (const TabPage& tab : SettingTabs()) {
        const auto page = static_cast<std::size_t>(tab.page) - 1;
        const DWORD visible = static_cast<int>(page) == kOpeningTab ? WS_VISIBLE : 0;
        pages_[page] = CreateChild(kPageClass, L"", visible, WS_EX_CONTROLPARENT, dialog_,
                                   tab.frame, pagePlace, font);
        windows_[tab.frame] = pages_[page];
      }
      return tabs;
    }
    case ControlKind::Button:
      return child(L"BUTTON", text, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0);
  }
  throw Win32Error(ERROR_INVALID_PARAMETER, L"SettingControls::CreateControl");
}

void SettingControls::MakeWaiting(std::size_t page) {
  const auto container = static_cast<vistrane::Container>(page + 1);
  // Made last, each goes after the control that comes before it in reading
  // order (or first on the page), so that Tab still follows that order.
  HWND before = HWND_TOP;
  for (const ControlLayout& layout : SettingLayout()) {
    if (layout.container != container) continue;
    if (WaitsForItsPage(layout) && !Has(layout.id)) {
      const HWND window = CreateControl(layout);
      windows_[layout.id] = window;
      if (!SetWindowPos(window, before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE)) {
        ThrowLastError(L"SetWindowPos");
      }
      if (made_) made_(layout.id);
    }
    before = (*this)[LastIdOf(layout)];
  }
}

void SettingControls::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  UseFonts();
  for (const auto& [id, window] : windows_) {
    const ControlLayout* layout = FindLayout(id);
    const HFONT font = layout != nullptr && layout->bold ? boldFont_.get() : font_.get();
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  LoadDriveIcon();
  SendMessageW((*this)[ctl::Image1], STM_SETICON, reinterpret_cast<WPARAM>(driveIcon_.get()), 0);
  Place();
  RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SettingControls::UseFonts() {
  // Kept from one opening to the next, with the captions' widths, for as long
  // as the system's message font at the DPI stays the same.
  const LOGFONTW face = MessageLogFont(dpi_);
  if (font_ && SameFont(face, fontFace_)) return;
  UniqueHfont font(CreateFontIndirectW(&face));
  if (!font) ThrowLastError(L"CreateFontIndirectW");
  LOGFONTW bold = face;
  bold.lfWeight = FW_BOLD;
  UniqueHfont boldFont(CreateFontIndirectW(&bold));
  if (!boldFont) ThrowLastError(L"CreateFontIndirectW");
  std::map<int, int> widths;
  {
    const WindowDc screen(nullptr);
    const SelectObjectScope selectFont(screen.get(), font.get());
    for (const ControlLayout& layout : SettingLayout()) {
      const OptionGroup* group = GroupOf(layout);
      if (group == nullptr || layout.flow != Flow::Row) continue;
      for (const OptionButton& button : group->buttons) {
        widths[button.id] = TextWidth(screen.get(), button.caption);
      }
    }
  }
  font_ = std::move(font);
  boldFont_ = std::move(boldFont);
  captionWidths_ = std::move(widths);
  fontFace_ = face;
}

void SettingControls::LoadDriveIcon() {
  // Kept from one opening to the next; only another DPI needs another size.
  if (driveIconDpi_ == dpi_) return;
  // The picture is decoration: without a stock drive icon the place stays empty.
  SHSTOCKICONINFO info{};
  info.cbSize = sizeof(info);
  HICON icon = nullptr;
  const int size = Scale(kDriveIconSize);
  if (SUCCEEDED(SHGetStockIconInfo(SIID_DRIVEFIXED, SHGSI_ICONLOCATION, &info)) &&
      PrivateExtractIconsW(info.szPath, info.iIcon, size, size, &icon, nullptr, 1, 0) != 1) {
    icon = nullptr;
  }
  driveIcon_.reset(icon);
  driveIconDpi_ = dpi_;
}

Box SettingControls::PlaceOf(const ControlLayout& layout) const {
  const Box& box = layout.box;
  int height = Scale(box.height);
  if (layout.kind == ControlKind::DropDown) height += Scale(kDropDownList);
  if (layout.kind == ControlKind::DriveIcon) height = Scale(kDriveIconSize);
  return Box{Scale(box.left), Scale(box.top), Scale(box.width), height};
}

std::vector<Box> SettingControls::OptionPlaces(const ControlLayout& frame,
                                               const OptionGroup& group) const {
  std::vector<Box> places;
  const int checkWidth = GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi_) + Scale(6);
  int x = Scale(frame.box.left + kOptionLeft);
  int y = Scale(frame.box.top + (frame.flow == Flow::Row ? kRowTop : kColumnTop));
  for (const OptionButton& button : group.buttons) {
    const int width = frame.flow == Flow::Row ? checkWidth + captionWidths_.at(button.id)
                                              : Scale(frame.box.width - 2 * kOptionLeft);
    places.push_back(Box{x, y, width, Scale(kOptionHeight)});
    if (frame.flow == Flow::Row) {
      x += width + Scale(kOptionGap);
    } else {
      y += Scale(frame.flowStep);
    }
  }
  return places;
}

void SettingControls::Place() {
  for (const ControlLayout& layout : SettingLayout()) {
    if (!Has(layout.id)) continue;  // made in place when its page is shown
    Move((*this)[layout.id], PlaceOf(layout));
    const OptionGroup* group = GroupOf(layout);
    if (group == nullptr) continue;
    const std::vector<Box> places = OptionPlaces(layout, *group);
    for (std::size_t i = 0; i < places.size(); ++i) Move((*this)[group->buttons[i].id], places[i]);
  }
  const Box pagePlace = FitTabs((*this)[ctl::SSTab1]);
  for (const HWND page : pages_) Move(page, pagePlace);
}

Box SettingControls::FitTabs(HWND tabs) {
  // The tab control keeps its row of tabs and the line under it; the pages
  // take the rest of its place.
  const Box area = PlaceOf(*FindLayout(ctl::SSTab1));
  RECT tab{};
  if (!SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab))) {
    ThrowLastError(L"TCM_GETITEMRECT");
  }
  const int rowHeight = tab.bottom + Scale(kTabLine);
  Move(tabs, Box{area.left, area.top, area.width, rowHeight});
  return Box{area.left, area.top + rowHeight - Scale(kTabLine), area.width,
             area.height - rowHeight + Scale(kTabLine)};
}

HWND SettingControls::operator[](ctl::Id id) const {
  const auto found = windows_.find(id);
  if (found == windows_.end()) throw Win32Error(ERROR_INVALID_WINDOW_HANDLE, L"settings control");
  return found->second;
}

HWND SettingControls::Container(vistrane::Container container) const {
  if (container == vistrane::Container::Dialog) return dialog_;
  return pages_[static_cast<std::size_t>(container) - 1];
}

void SettingControls::ShowTab(int tab) {
  const auto shown = static_cast<std::size_t>(tab);
  if (shown < pages_.size()) MakeWaiting(shown);
  const HWND tabs = (*this)[ctl::SSTab1];
  SendMessageW(tabs, TCM_SETCURSEL, tab, 0);
  // Wine's tab control leaves TCIS_BUTTONPRESSED on the tab that TCM_SETCURSEL
  // chose when the arrow keys move on, and then ignores clicks on the tabs;
  // only the shown tab keeps it.
  const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TCITEMW item{};
    item.mask = TCIF_STATE;
    item.dwStateMask = TCIS_BUTTONPRESSED;
    item.dwState = i == tab ? TCIS_BUTTONPRESSED : 0;
    SendMessageW(tabs, TCM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    ShowWindow(pages_[i], static_cast<int>(i) == tab ? SW_SHOW : SW_HIDE);
  }
}

void SettingControls::ShowTabOf(HWND control) {
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (IsChild(pages_[i], control)) {
      ShowTab(static_cast<int>(i));
      return;
    }
  }
}

int SettingControls::SelectedTab() const {
  return static_cast<int>(SendMessageW((*this)[ctl::SSTab1], TCM_GETCURSEL, 0, 0));
}

std::optional<COLORREF> SettingControls::InkOf(int id) const {
  if (const ControlLayout* layout = FindLayout(id)) {
    switch (layout->ink) {
      case Ink::Normal:
        return std::nullopt;
      case Ink::Blue:
        return RGB(0, 0, 255);
      case Ink::Red:
        return RGB(255, 0, 0);
      case Ink::DarkRed:
        return RGB(128, 0, 0);
      case Ink::Navy:
        return RGB(0, 0, 128);
    }
  }
  return std::nullopt;
}

}  // namespace vistrane
