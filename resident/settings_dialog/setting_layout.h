#pragma once
// Where the settings dialog's controls sit, in reading order (the order they
// are created in, which is also the Tab order; a label comes before the field
// it names). Positions are pixels at 96
// dpi within the control's container; the view scales them to the monitor.
// Option buttons are not listed: each group frame lays out the buttons of its
// OptionGroup in a row or a column, so a new option is one line there.
#include <span>
#include <string_view>

#include "resident/settings_dialog/control_ids.h"
#include "shared/twips.h"

namespace vistrane {

// The client area, in twips.
inline constexpr Box kSettingClient{0, 0, 8985, 5145};

// The dialog's client area and the three pages of SSTab1, in tab order.
enum class Container { Dialog, PrinterPage, FilePage, MailPage };

enum class ControlKind {
  Frame,       // a group box; with an option group when one belongs to it
  Label,
  Text,        // single-line text box
  RichText,    // multi-line rich-text box used as plain text
  DropDown,    // drop-down list
  FolderList,  // dirList
  DriveIcon,   // the hard-disk picture
  Tabs,        // SSTab1
  Button,
};

enum class Ink { Normal, Blue, Red, DarkRed, Navy };

enum class Flow { None, Row, Column };

struct ControlLayout {
  ctl::Id id;
  ControlKind kind;
  Container container;
  std::wstring_view text;
  Box box;
  Ink ink = Ink::Normal;
  bool bold = false;
  int maxChars = 0;   // text boxes: how many characters can be typed; 0 = no limit
  Flow flow = Flow::None;
  int flowStep = 0;   // a column's distance between buttons
};

std::span<const ControlLayout> SettingLayout();

// The tab captions of SSTab1 with the page each tab shows, in order.
struct TabPage {
  std::wstring_view caption;
  Container page;
  ctl::Id frame;  // the caption-less frame that is the page
};
std::span<const TabPage> SettingTabs();

// The page shown when the dialog opens: "ファイル出力設定".
inline constexpr int kOpeningTab = 1;

}  // namespace vistrane
