#pragma once
// The dialog's option buttons as data: one group per frame, each button with
// its caption, the value its click handler writes and the handler's side
// effect. The display procedures (Disp_*) and the click handlers are the two
// functions below; the view only creates, checks and reports the buttons.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "resident/settings_dialog/control_ids.h"
#include "shared/settings_record.h"

namespace vistrane {

// What a click handler does after writing its value.
enum class OptionEffect {
  None,
  FileNamePreview,  // Disp_FileName
  DaysFieldOn,      // numAutoDelDate enabled, on the window colour
  DaysFieldOff,     // numAutoDelDate disabled, on the button-face colour
};

struct OptionButton {
  ctl::Id id;
  std::wstring_view caption;
  std::int16_t value;
  OptionEffect effect;
};

struct OptionGroup {
  ctl::Id frame;
  std::int16_t SettingsRecord::*field;
  std::span<const OptionButton> buttons;
  // The button shown, and whose value is written, for a value no button has.
  std::size_t fallback;
};

// The twelve groups, one per display procedure, in the order the opening
// sequence shows them.
std::span<const OptionGroup> OptionGroups();

// The group whose frame is `frame`, or null.
const OptionGroup* GroupOfFrame(ctl::Id frame);

// The group that holds the button, or null when `id` is no option button.
const OptionGroup* GroupOfButton(ctl::Id id);

// Disp_*: the button whose handler shows the field's current value.
const OptionButton& ShownOption(const OptionGroup& group, const SettingsRecord& record);

// The record part of a click handler: writes the button's value (also when
// the field holds it already) and returns the side effect to perform.
OptionEffect SelectOption(SettingsRecord& record, const OptionGroup& group,
                          const OptionButton& button);

// System colour indices of the days field's background.
inline constexpr int kSystemColorWindow = 5;   // COLOR_WINDOW
inline constexpr int kSystemColorBtnFace = 15;  // COLOR_BTNFACE

struct DaysFieldLook {
  bool enabled;
  int backColor;  // a system colour index
};

// The days field as DaysFieldOn or DaysFieldOff leaves it.
DaysFieldLook DaysFieldLookFor(OptionEffect effect);

}  // namespace vistrane
