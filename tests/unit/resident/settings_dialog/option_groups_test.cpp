#include "resident/settings_dialog/option_groups.h"

#include <gtest/gtest.h>

#include <set>

namespace vistrane {
namespace {

const OptionGroup& Group(ctl::Id frame) {
  const OptionGroup* group = GroupOfFrame(frame);
  EXPECT_NE(group, nullptr);
  return *group;
}

// Disp_* followed by the handler it calls: the value the record holds after.
std::int16_t ShownAndWritten(ctl::Id frame, std::int16_t stored, ctl::Id* shown) {
  const OptionGroup& group = Group(frame);
  SettingsRecord record;
  record.*group.field = stored;
  const OptionButton& button = ShownOption(group, record);
  *shown = button.id;
  SelectOption(record, group, button);
  return record.*group.field;
}

TEST(OptionGroups, DisplayNormalisesValuesNoButtonHas) {
  struct Case {
    ctl::Id frame;
    std::int16_t stored;
    ctl::Id shown;
    std::int16_t written;
  };
  const Case cases[] = {
      {ctl::frmZoom, 9, ctl::rbtnZoomOff, 0},
      {ctl::frmAutoDelete, 0, ctl::rbtnAutoDelNo, 2},
      {ctl::frmOutputColor, 0, ctl::rbtnColor2, 4},
      {ctl::frmOutputColor, -1, ctl::rbtnColor2, 4},
      {ctl::frmOrientation, 3, ctl::rbtnAuto, 0},
      {ctl::frmPrtYoko, 0, ctl::rbtnYokoRight, 3},
      {ctl::frmPrtTate, 7, ctl::rbtnTateBottom, 3},
      {ctl::frmFileNamePlus, 3, ctl::rbtnPlusNo, 0},
      {ctl::frmFileType, 4, ctl::rbtnJPEG, 2},
      {ctl::frmPrinterOut, 2, ctl::rbtnPrt_No, 0},
      {ctl::frmMailSend, -5, ctl::rbtnMail_No, 0},
      {ctl::frmCompress, 3, ctl::rbtnComp_no, 0},
      {ctl::frmCompress, -1, ctl::rbtnComp_no, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "frame " << c.frame << " stored " << c.stored);
    ctl::Id shown{};
    EXPECT_EQ(ShownAndWritten(c.frame, c.stored, &shown), c.written);
    EXPECT_EQ(shown, c.shown);
  }
}

TEST(OptionGroups, EveryButtonShowsItsOwnValueAndHasOneGroup) {
  std::set<int> ids;
  for (const OptionGroup& group : OptionGroups()) {
    for (const OptionButton& button : group.buttons) {
      SCOPED_TRACE(testing::Message() << "button " << button.id);
      EXPECT_TRUE(ids.insert(button.id).second);
      EXPECT_EQ(GroupOfButton(button.id), &group);
      ctl::Id shown{};
      EXPECT_EQ(ShownAndWritten(group.frame, button.value, &shown), button.value);
      EXPECT_EQ(shown, button.id);
    }
  }
  EXPECT_EQ(GroupOfButton(ctl::btnOK), nullptr);
}

TEST(OptionGroups, AutoDeleteButtonsSwitchTheDaysField) {
  SettingsRecord record;
  const OptionGroup& group = Group(ctl::frmAutoDelete);
  const DaysFieldLook off = DaysFieldLookFor(SelectOption(record, group, group.buttons[1]));
  EXPECT_EQ(record.AutoDel, 2);
  EXPECT_FALSE(off.enabled);
  EXPECT_EQ(off.backColor, kSystemColorBtnFace);
  const DaysFieldLook on = DaysFieldLookFor(SelectOption(record, group, group.buttons[0]));
  EXPECT_EQ(record.AutoDel, 1);
  EXPECT_TRUE(on.enabled);
  EXPECT_EQ(on.backColor, kSystemColorWindow);
}

}  // namespace
}  // namespace vistrane
