#include "resident/output/exec_layout.h"

namespace vistrane {
namespace {

// The form's design, in twips.
constexpr int kClientWidth = 5370;
constexpr int kClientHeight = 2355;
constexpr Box kImage1{360, 240, 2535, 1695};
constexpr Segment kFrame[4] = {
    {240, 120, 3000, 120}, {240, 120, 240, 2040}, {3000, 120, 3000, 2040}, {240, 2040, 3000, 2040}};
constexpr Box kShape1{1080, 2040, 1095, 135};
constexpr Box kShape2{600, 2160, 2055, 135};
constexpr int kArrowLeft = 3240;
constexpr int kArrowWidth = 495;
constexpr int kArrowHeight = 735;
constexpr int kPictogramLeft = 3840;
constexpr int kPictogramWidth = 1215;
constexpr int kPictogramHeight = 615;

constexpr int kSingleTop = 840;
constexpr int kPairTops[2] = {480, 1240};
constexpr int kTripleTops[3] = {120, 840, 1560};

ExecRow Shown(int top) { return ExecRow{true, top}; }

ExecRowBoxes RowBoxes(const ExecRow& row, int x, int y) {
  if (!row.visible) return {};
  return ExecRowBoxes{
      true, ToPixels(Box{kArrowLeft, row.top, kArrowWidth, kArrowHeight}, x, y),
      ToPixels(Box{kPictogramLeft, row.top, kPictogramWidth, kPictogramHeight}, x, y)};
}

}  // namespace

ExecRows ExecRowLayout(std::int16_t PrtOutputMode, std::int16_t FileOutputMode,
                       std::int16_t MailSendMode) {
  const int n = PrtOutputMode + FileOutputMode + MailSendMode;
  ExecRows rows;
  if (n == 1) {
    ExecRow& only = FileOutputMode == 1 ? rows.file
                    : PrtOutputMode == 1 ? rows.printer
                                         : rows.mail;
    only = Shown(kSingleTop);
  } else if (n == 2) {
    if (FileOutputMode == 1) {
      rows.file = Shown(kPairTops[0]);
      (PrtOutputMode == 1 ? rows.printer : rows.mail) = Shown(kPairTops[1]);
    } else {
      rows.printer = Shown(kPairTops[0]);
      rows.mail = Shown(kPairTops[1]);
    }
  } else {
    rows.file = Shown(kTripleTops[0]);
    rows.printer = Shown(kTripleTops[1]);
    rows.mail = Shown(kTripleTops[2]);
  }
  return rows;
}

ExecFormLayout LayOutExecForm(const ExecRows& rows, int x, int y) {
  ExecFormLayout layout;
  layout.client = PixelSize{TwipsToPixels(kClientWidth, x), TwipsToPixels(kClientHeight, y)};
  layout.Image1 = ToPixels(kImage1, x, y);
  for (int i = 0; i < 4; ++i) {
    const Segment& s = kFrame[i];
    layout.frame[i] = Segment{TwipsToPixels(s.x1, x), TwipsToPixels(s.y1, y),
                              TwipsToPixels(s.x2, x), TwipsToPixels(s.y2, y)};
  }
  layout.Shape1 = ToPixels(kShape1, x, y);
  layout.Shape2 = ToPixels(kShape2, x, y);
  layout.file = RowBoxes(rows.file, x, y);
  layout.printer = RowBoxes(rows.printer, x, y);
  layout.mail = RowBoxes(rows.mail, x, y);
  return layout;
}

}  // namespace vistrane
