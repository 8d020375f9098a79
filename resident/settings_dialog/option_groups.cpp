#include "resident/settings_dialog/option_groups.h"

#include <algorithm>

namespace vistrane {
namespace {

using E = OptionEffect;
using R = SettingsRecord;

constexpr OptionButton kPrinterOut[] = {
    {ctl::rbtnPrt_Yes, L"する", 1, E::None},
    {ctl::rbtnPrt_No, L"しない", 0, E::None},
};
constexpr OptionButton kFileOut[] = {
    {ctl::rbtnFile_Yes, L"する", 1, E::None},
    {ctl::rbtnFile_No, L"しない", 0, E::None},
};
constexpr OptionButton kMailSend[] = {
    {ctl::rbtnMail_Yes, L"する", 1, E::None},
    {ctl::rbtnMail_No, L"しない", 0, E::None},
};
constexpr OptionButton kCompress[] = {
    {ctl::rbtnComp_Yes, L"圧縮（ＬＨＡ）して添付する", 1, E::None},
    {ctl::rbtnComp_Zip, L"圧縮（ＺＩＰ）して添付する", 2, E::None},
    {ctl::rbtnComp_no, L"ビットマップのまま添付（圧縮しない）", 0, E::None},
};
constexpr OptionButton kOrientation[] = {
    {ctl::rbtnYoko, L"横", 1, E::None},
    {ctl::rbtnTate, L"縦", 2, E::None},
    {ctl::rbtnAuto, L"自動", 0, E::None},
};
constexpr OptionButton kZoom[] = {
    {ctl::rbtnZoomIn, L"自動縮小する", 1, E::None},
    {ctl::rbtnZoomOut, L"自動拡大する", 2, E::None},
    {ctl::rbtnZoomAuto, L"自動縮小・拡大する", 3, E::None},
    {ctl::rbtnZoomOff, L"縮小・拡大しない", 0, E::None},
};
constexpr OptionButton kYoko[] = {
    {ctl::rbtnYokoLeft, L"左揃え", 1, E::None},
    {ctl::rbtnYokoCenter, L"中央", 2, E::None},
    {ctl::rbtnYokoRight, L"右揃え", 3, E::None},
};
constexpr OptionButton kTate[] = {
    {ctl::rbtnTateTop, L"上揃え", 1, E::None},
    {ctl::rbtnTateCenter, L"中央", 2, E::None},
    {ctl::rbtnTateBottom, L"下揃え", 3, E::None},
};
constexpr OptionButton kFileNamePlus[] = {
    {ctl::rbtnMDNo, L"月日＋ＮＯ", 1, E::FileNamePreview},
    {ctl::rbtnMDTime, L"月日＋時刻", 2, E::FileNamePreview},
    {ctl::rbtnPlusNo, L"付加しない", 0, E::FileNamePreview},
};
constexpr OptionButton kColor[] = {
    {ctl::rbtnColorFull, L"フルカラー", 1, E::None},
    {ctl::rbtnColor256, L"２５６色", 2, E::None},
    {ctl::rbtnColor16, L"１６色", 3, E::None},
    {ctl::rbtnColor2, L"２色", 4, E::None},
};
constexpr OptionButton kAutoDelete[] = {
    {ctl::rbtnAutoDelYes, L"する", 1, E::DaysFieldOn},
    {ctl::rbtnAutoDelNo, L"しない", 2, E::DaysFieldOff},
};
constexpr OptionButton kFileType[] = {
    {ctl::rbtnBit, L"ビットマップ", 1, E::FileNamePreview},
    {ctl::rbtnJPEG, L"ＪＰＥＧ", 2, E::FileNamePreview},
    {ctl::rbtnPNG, L"ＰＮＧ", 3, E::FileNamePreview},
};

// Disp_PrtOutputMode .. Disp_MailComp as the opening sequence calls them.
const OptionGroup kGroups[] = {
    {ctl::frmPrinterOut, &R::PrtOutputMode, kPrinterOut, 1},
    {ctl::frmFileOut, &R::FileOutputMode, kFileOut, 1},
    {ctl::frmMailSend, &R::MailSendMode, kMailSend, 1},
    {ctl::frmCompress, &R::MailComp, kCompress, 2},
    {ctl::frmOrientation, &R::Orientation, kOrientation, 2},
    {ctl::frmZoom, &R::ZoomMode, kZoom, 3},
    {ctl::frmPrtYoko, &R::PrtYokoHaichi, kYoko, 2},
    {ctl::frmPrtTate, &R::PrtTateHaichi, kTate, 2},
    {ctl::frmFileNamePlus, &R::FileOutMode, kFileNamePlus, 2},
    {ctl::frmOutputColor, &R::ColorMode, kColor, 3},
    {ctl::frmAutoDelete, &R::AutoDel, kAutoDelete, 1},
    {ctl::frmFileType, &R::OutputFileMode, kFileType, 1},
};

}  // namespace

std::span<const OptionGroup> OptionGroups() { return kGroups; }

const OptionGroup* GroupOfFrame(ctl::Id frame) {
  const auto* found = std::find_if(std::begin(kGroups), std::end(kGroups),
                                   [&](const OptionGroup& g) { return g.frame == frame; });
  return found == std::end(kGroups) ? nullptr : found;
}

const OptionGroup* GroupOfButton(ctl::Id id) {
  for (const OptionGroup& group : kGroups) {
    for (const OptionButton& button : group.buttons) {
      if (button.id == id) return &group;
    }
  }
  return nullptr;
}

const OptionButton& ShownOption(const OptionGroup& group, const SettingsRecord& record) {
  const std::int16_t value = record.*group.field;
  for (const OptionButton& button : group.buttons) {
    if (button.value == value) return button;
  }
  return group.buttons[group.fallback];
}

OptionEffect SelectOption(SettingsRecord& record, const OptionGroup& group,
                          const OptionButton& button) {
  record.*group.field = button.value;
  return button.effect;
}

DaysFieldLook DaysFieldLookFor(OptionEffect effect) {
  return effect == OptionEffect::DaysFieldOn ? DaysFieldLook{true, kSystemColorWindow}
                                             : DaysFieldLook{false, kSystemColorBtnFace};
}

}  // namespace vistrane
