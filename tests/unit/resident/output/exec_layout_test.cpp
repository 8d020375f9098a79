#include "resident/output/exec_layout.h"

#include <gtest/gtest.h>

namespace vistrane {
namespace {

constexpr ExecRow kHidden{};
constexpr ExecRow At(int top) { return ExecRow{true, top}; }

TEST(ExecRowLayout, EveryCombinationOfTheSwitches) {
  struct Case {
    const char* what;
    std::int16_t printer, file, mail;
    ExecRows rows;  // file, printer, mail
  };
  const Case cases[] = {
      {"file only", 0, 1, 0, {At(840), kHidden, kHidden}},
      {"printer only", 1, 0, 0, {kHidden, At(840), kHidden}},
      {"mail only", 0, 0, 1, {kHidden, kHidden, At(840)}},
      {"file and printer", 1, 1, 0, {At(480), At(1240), kHidden}},
      {"file and mail", 0, 1, 1, {At(480), kHidden, At(1240)}},
      {"printer and mail", 1, 0, 1, {kHidden, At(480), At(1240)}},
      {"all three, mail moves up from 1575", 1, 1, 1, {At(120), At(840), At(1560)}},
      {"none shows all three", 0, 0, 0, {At(120), At(840), At(1560)}},
      {"hand-edited 2 counts as two outputs", 0, 2, 0, {kHidden, At(480), At(1240)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ExecRows rows = ExecRowLayout(c.printer, c.file, c.mail);
    EXPECT_EQ(rows.file, c.rows.file);
    EXPECT_EQ(rows.printer, c.rows.printer);
    EXPECT_EQ(rows.mail, c.rows.mail);
  }
}

TEST(LayOutExecForm, TwipsBecomePixelsAtTheMonitorsDpi) {
  const ExecRows rows = ExecRowLayout(0, 1, 1);
  struct Case {
    const char* what;
    int dpiX, dpiY;
    int clientWidth, clientHeight;
    Box image1;
    Box fileArrow;
    Box mailPictogram;
  };
  const Case cases[] = {
      {"96 dpi", 96, 96, 358, 157, {24, 16, 169, 113}, {216, 32, 33, 49}, {256, 83, 81, 41}},
      {"144 dpi", 144, 144, 537, 236, {36, 24, 254, 170}, {324, 48, 50, 74}, {384, 124, 122, 62}},
      {"96 x 144", 96, 144, 358, 236, {24, 24, 169, 170}, {216, 48, 33, 74}, {256, 124, 81, 62}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ExecFormLayout layout = LayOutExecForm(rows, c.dpiX, c.dpiY);
    EXPECT_EQ(layout.client.width, c.clientWidth);
    EXPECT_EQ(layout.client.height, c.clientHeight);
    EXPECT_EQ(layout.Image1, c.image1);
    EXPECT_TRUE(layout.file.visible);
    EXPECT_EQ(layout.file.arrow, c.fileArrow);
    EXPECT_FALSE(layout.printer.visible);
    EXPECT_TRUE(layout.mail.visible);
    EXPECT_EQ(layout.mail.pictogram, c.mailPictogram);
  }
}

TEST(LayOutExecForm, MonitorFrameSurroundsTheImage) {
  const ExecFormLayout layout = LayOutExecForm(ExecRowLayout(1, 1, 1), 96, 96);
  EXPECT_EQ(layout.frame[0], (Segment{16, 8, 200, 8}));
  EXPECT_EQ(layout.frame[1], (Segment{16, 8, 16, 136}));
  EXPECT_EQ(layout.frame[2], (Segment{200, 8, 200, 136}));
  EXPECT_EQ(layout.frame[3], (Segment{16, 136, 200, 136}));
  EXPECT_EQ(layout.Shape1, (Box{72, 136, 73, 9}));
  EXPECT_EQ(layout.Shape2, (Box{40, 144, 137, 9}));
  // The rows sit beside the monitor, right of the frame.
  for (const ExecRowBoxes* row : {&layout.file, &layout.printer, &layout.mail}) {
    EXPECT_GT(row->arrow.left, layout.frame[2].x1);
    EXPECT_GT(row->pictogram.left, row->arrow.left + row->arrow.width);
  }
}

}  // namespace
}  // namespace vistrane
