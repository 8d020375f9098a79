#include "resident/settings_dialog/option_groups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

namespace vistrane {
namespace {

using namespace ctl;
using R = SettingsRecord;

// Every option button as the dialog shows it, group by group in the order the
// opening sequence shows them, each group in reading order. `other`: the
// button shown, and whose value is written, for a value no button has.
struct Row {
  ctl::Id frame;
  std::int16_t R::*field;
  ctl::Id button;
  std::wstring_view caption;
  std::int16_t value;
  bool other = false;
};
const Row kButtons[] = {
    {frmPrinterOut, &R::PrtOutputMode, rbtnPrt_Yes, L"する", 1},
    {frmPrinterOut, &R::PrtOutputMode, rbtnPrt_No, L"しない", 0, true},
    {frmFileOut, &R::FileOutputMode, rbtnFile_Yes, L"する", 1},
    {frmFileOut, &R::FileOutputMode, rbtnFile_No, L"しない", 0, true},
    {frmMailSend, &R::MailSendMode, rbtnMail_Yes, L"する", 1},
    {frmMailSend, &R::MailSendMode, rbtnMail_No, L"しない", 0, true},
    {frmCompress, &R::MailComp, rbtnComp_Yes, L"圧縮（ＬＨＡ）して添付する", 1},
    {frmCompress, &R::MailComp, rbtnComp_Zip, L"圧縮（ＺＩＰ）して添付する", 2},  // our ZIP packing
    {frmCompress, &R::MailComp, rbtnComp_no, L"ビットマップのまま添付（圧縮しない）", 0, true},
    {frmOrientation, &R::Orientation, rbtnYoko, L"横", 1},
    {frmOrientation, &R::Orientation, rbtnTate, L"縦", 2},
    {frmOrientation, &R::Orientation, rbtnAuto, L"自動", 0, true},
    {frmZoom, &R::ZoomMode, rbtnZoomIn, L"自動縮小する", 1},
    {frmZoom, &R::ZoomMode, rbtnZoomOut, L"自動拡大する", 2},
    {frmZoom, &R::ZoomMode, rbtnZoomAuto, L"自動縮小・拡大する", 3},
    {frmZoom, &R::ZoomMode, rbtnZoomOff, L"縮小・拡大しない", 0, true},
    {frmPrtYoko, &R::PrtYokoHaichi, rbtnYokoLeft, L"左揃え", 1},
    {frmPrtYoko, &R::PrtYokoHaichi, rbtnYokoCenter, L"中央", 2},
    {frmPrtYoko, &R::PrtYokoHaichi, rbtnYokoRight, L"右揃え", 3, true},
    {frmPrtTate, &R::PrtTateHaichi, rbtnTateTop, L"上揃え", 1},
    {frmPrtTate, &R::PrtTateHaichi, rbtnTateCenter, L"中央", 2},
    {frmPrtTate, &R::PrtTateHaichi, rbtnTateBottom, L"下揃え", 3, true},
    {frmFileNamePlus, &R::FileOutMode, rbtnMDNo, L"月日＋ＮＯ", 1},
    {frmFileNamePlus, &R::FileOutMode, rbtnMDTime, L"月日＋時刻", 2},
    {frmFileNamePlus, &R::FileOutMode, rbtnPlusNo, L"付加しない", 0, true},
    {frmOutputColor, &R::ColorMode, rbtnColorFull, L"フルカラー", 1},
    {frmOutputColor, &R::ColorMode, rbtnColor256, L"２５６色", 2},
    {frmOutputColor, &R::ColorMode, rbtnColor16, L"１６色", 3},
    {frmOutputColor, &R::ColorMode, rbtnColor2, L"２色", 4, true},
    {frmAutoDelete, &R::AutoDel, rbtnAutoDelYes, L"する", 1},
    {frmAutoDelete, &R::AutoDel, rbtnAutoDelNo, L"しない", 2, true},
    {frmFileType, &R::OutputFileMode, rbtnBit, L"ビットマップ", 1},
    {frmFileType, &R::OutputFileMode, rbtnJPEG, L"ＪＰＥＧ", 2, true},
    {frmFileType, &R::OutputFileMode, rbtnPNG, L"ＰＮＧ", 3},  // our third file type
};

// Disp_* with `stored` in the row's field, then the handler it calls: the
// button shown and the value the field holds after.
std::pair<ctl::Id, std::int16_t> ShownAndWritten(const Row& row, std::int16_t stored) {
  const OptionGroup* group = GroupOfFrame(row.frame);
  if (group == nullptr) return {};
  R record;
  record.*row.field = stored;
  const OptionButton& button = ShownOption(*group, record);
  SelectOption(record, *group, button);
  return {button.id, record.*row.field};
}

TEST(OptionGroups, EveryButtonHasItsCaptionAndShowsAndWritesItsValue) {
  std::size_t i = 0;
  for (const OptionGroup& group : OptionGroups()) {
    for (const OptionButton& button : group.buttons) {
      ASSERT_LT(i, std::size(kButtons)) << "unlisted button " << button.id;
      const Row& row = kButtons[i++];
      EXPECT_EQ(std::tuple(group.frame, button.id, button.caption, button.value),
                std::tuple(row.frame, row.button, row.caption, row.value));
      EXPECT_EQ(GroupOfButton(row.button), &group) << row.button;
    }
  }
  ASSERT_EQ(i, std::size(kButtons));
  for (const Row& row : kButtons) {
    EXPECT_EQ(ShownAndWritten(row, row.value), std::pair(row.button, row.value));
    for (const std::int16_t stored : {-1, 0, 2, 3, 4, 9}) {
      const auto listed = [&](const Row& r) { return r.frame == row.frame && r.value == stored; };
      if (row.other && std::none_of(std::begin(kButtons), std::end(kButtons), listed)) {
        EXPECT_EQ(ShownAndWritten(row, stored), std::pair(row.button, row.value))
            << "stored " << stored;
      }
    }
  }
}

TEST(OptionGroups, AutoDeleteButtonsSwitchTheDaysField) {
  SettingsRecord record;
  const OptionGroup& group = *GroupOfFrame(frmAutoDelete);
  const DaysFieldLook off = DaysFieldLookFor(SelectOption(record, group, group.buttons[1]));
  EXPECT_EQ(std::pair(off.enabled, off.backColor), std::pair(false, 15));  // COLOR_BTNFACE
  const DaysFieldLook on = DaysFieldLookFor(SelectOption(record, group, group.buttons[0]));
  EXPECT_EQ(std::pair(on.enabled, on.backColor), std::pair(true, 5));  // COLOR_WINDOW
}

}  // namespace
}  // namespace vistrane
