#pragma once
// The settings dialog's windows: the tab control SSTab1, one page per tab and
// every control of the layout, created in reading order so that the Tab key
// follows it (a control made when its page is first shown is put in its place
// in that order). Positions, fonts and pictures follow the window's DPI.
#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/unique_handle.h"
#include "resident/settings_dialog/control_ids.h"
#include "resident/settings_dialog/option_groups.h"
#include "resident/settings_dialog/setting_layout.h"

namespace vistrane {

class SettingControls {
 public:
  SettingControls() = default;
  SettingControls(const SettingControls&) = delete;
  SettingControls& operator=(const SettingControls&) = delete;

  // Creates the windows inside `dialog`, in place and in its font for the
  // DPI, with the option button `isChecked` names checked in each group, and
  // shows the opening tab. The drop-down lists of the other pages are made
  // when their page is first shown, and `made` is then called for each.
  // Throws Win32Error.
  void Create(HWND dialog, UINT dpi, const std::function<bool(ctl::Id)>& isChecked,
              std::function<void(ctl::Id)> made);

  // Fonts, positions and pictures for a new DPI.
  void ApplyDpi(UINT dpi);

  HWND operator[](ctl::Id id) const;
  // False for a control whose page has not been shown yet.
  bool Has(ctl::Id id) const { return windows_.contains(id); }

  // Shows the page of the tab, making what it still lacks, and hides the others.
  void ShowTab(int tab);
  // Shows the page that holds the control, when it is on a page.
  void ShowTabOf(HWND control);
  // Tab index of the selected tab.
  int SelectedTab() const;

  // Text colour of a coloured label; nullopt for every other control.
  std::optional<COLORREF> InkOf(int id) const;

 private:
  HWND CreateControl(const ControlLayout& layout);
  // Makes the page's controls that wait for its first showing and are not
  // made yet, each at its place in the Tab order.
  void MakeWaiting(std::size_t page);
  // The message font and its bold form at the DPI, made only when they differ
  // from the ones in use.
  void UseFonts();
  void LoadDriveIcon();
  // Where the windows go at the DPI, in their container's pixels.
  Box PlaceOf(const ControlLayout& layout) const;
  std::vector<Box> OptionPlaces(const ControlLayout& frame, const OptionGroup& group) const;
  void Place();
  // Fits the tab control to its row of tabs; returns the pages' place.
  Box FitTabs(HWND tabs);
  HWND Container(vistrane::Container container) const;
  int Scale(int pixels) const noexcept { return MulDiv(pixels, static_cast<int>(dpi_), 96); }

  HWND dialog_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::array<HWND, 3> pages_{};
  std::function<void(ctl::Id)> made_;
  std::map<int, HWND> windows_;
  UniqueHfont font_;
  UniqueHfont boldFont_;
  LOGFONTW fontFace_{};  // what font_ was made from
  std::map<int, int> captionWidths_;  // a row's option captions in font_, by id
  UniqueHicon driveIcon_;
  UINT driveIconDpi_ = 0;  // the DPI driveIcon_ was made for; 0 before the first
  UniqueHmodule richEdit_;
};

}  // namespace vistrane
