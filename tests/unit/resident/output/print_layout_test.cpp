#include "resident/output/print_layout.h"

#include <gtest/gtest.h>

namespace vistrane {
namespace {

// A4 portrait printable area of a typical printer, in twips.
constexpr double kPW = 11000;
constexpr double kPH = 16000;

PrintLayoutInput Input(std::int16_t zoom, float SW, float SH, std::int16_t yoko = 1,
                       std::int16_t tate = 1, double PW = kPW, double PH = kPH) {
  return {zoom, yoko, tate, SW, SH, PW, PH};
}

TEST(ChoosePaperOrientation, SettingOrPictureShapeDecides) {
  struct Case {
    const char* name;
    std::int16_t setting;
    float width;
    float height;
    PaperOrientation expected;
  };
  const Case cases[] = {
      {"automatic, square", 0, 4500, 4500, PaperOrientation::Landscape},
      {"automatic, wide", 0, 15360, 11520, PaperOrientation::Landscape},
      {"automatic, tall", 0, 4500, 4515, PaperOrientation::Portrait},
      {"landscape, tall picture", 1, 100, 9000, PaperOrientation::Landscape},
      {"portrait, wide picture", 2, 9000, 100, PaperOrientation::Portrait},
      {"unknown value prints portrait", 7, 9000, 100, PaperOrientation::Portrait},
      {"negative value prints portrait", -1, 9000, 100, PaperOrientation::Portrait},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ChoosePaperOrientation(c.setting, c.width, c.height), c.expected);
  }
}

TEST(ComputePrintLayout, ZoomDecisionForEveryMode) {
  struct Case {
    const char* name;
    PrintLayoutInput in;
    ZoomDecision expected;
  };
  // Room for the picture: 10400 x 15260.
  const Case cases[] = {
      {"no zoom keeps an oversized picture", Input(0, 20000, 30000), ZoomDecision::None},
      {"unknown mode acts as no zoom", Input(9, 20000, 30000), ZoomDecision::None},
      {"shrink: too high only", Input(1, 5000, 20000), ZoomDecision::FitHeight},
      {"shrink: too wide only", Input(1, 15000, 5000), ZoomDecision::FitWidth},
      {"shrink: both, width ratio larger", Input(1, 20800, 16000), ZoomDecision::FitWidth},
      {"shrink: both, height ratio larger", Input(1, 11000, 30520), ZoomDecision::FitHeight},
      {"shrink: both, equal ratios fit the height", Input(1, 20800, 30520), ZoomDecision::FitHeight},
      {"shrink: fits", Input(1, 5000, 5000), ZoomDecision::None},
      {"shrink never enlarges", Input(1, 100, 100), ZoomDecision::None},
      {"enlarge: smaller both ways, wide", Input(2, 5200, 1000), ZoomDecision::FitWidth},
      {"enlarge: smaller both ways, tall", Input(2, 1000, 7630), ZoomDecision::FitHeight},
      {"enlarge: larger both ways", Input(2, 20000, 30000), ZoomDecision::None},
      {"enlarge: larger one way", Input(2, 5000, 20000), ZoomDecision::None},
      {"both: shrinks", Input(3, 5000, 20000), ZoomDecision::FitHeight},
      {"both: enlarges", Input(3, 5200, 1000), ZoomDecision::FitWidth},
      {"both: exact width, smaller height", Input(3, 10400, 5000), ZoomDecision::None},
      {"both: exact height, smaller width", Input(3, 5000, 15260), ZoomDecision::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto layout = ComputePrintLayout(c.in);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->zoom, c.expected);
  }
}

TEST(ComputePrintLayout, SizeAndPosition) {
  struct Case {
    const char* name;
    PrintLayoutInput in;
    PrintLayout expected;
  };
  const Case cases[] = {
      {"no zoom: own size at the offsets", Input(0, 15360, 11520),
       {ZoomDecision::None, 300, 370, 15360, 11520}},
      {"shrink to height keeps the proportions", Input(1, 5000, 20000),
       {ZoomDecision::FitHeight, 300, 370, 3815, 15260}},
      {"fit to width", Input(1, 15000, 5000), {ZoomDecision::FitWidth, 300, 370, 10400, 3467}},
      {"enlarge-only with an oversized picture ignores the placement",
       Input(2, 20000, 30000, 3, 3), {ZoomDecision::None, 300, 370, 20000, 30000}},
      {"centre of a width-fitted picture is X = 0", Input(1, 15000, 5000, 2, 1),
       {ZoomDecision::FitWidth, 0, 370, 10400, 3467}},
      {"right placement between PW - 600 and PW is negative", Input(0, 10700, 1000, 3, 1),
       {ZoomDecision::None, -300, 370, 10700, 1000}},
      {"centre placement, vertically", Input(0, 1000, 5000, 1, 2),
       {ZoomDecision::None, 300, 5130, 1000, 5000}},
      {"bottom placement", Input(0, 1000, 5000, 1, 3), {ZoomDecision::None, 300, 10260, 1000, 5000}},
      {"any value above 2 is right and bottom", Input(0, 1000, 5000, 9, 9),
       {ZoomDecision::None, 9400, 10260, 1000, 5000}},
      {"placement 0 is left and top", Input(0, 1000, 5000, 0, 0),
       {ZoomDecision::None, 300, 370, 1000, 5000}},
      {"centre with a picture as wide as the page stays at 300", Input(0, 11000, 1000, 2, 1),
       {ZoomDecision::None, 300, 370, 11000, 1000}},
      {"right with a picture wider than the page stays at 300", Input(0, 12000, 1000, 3, 1),
       {ZoomDecision::None, 300, 370, 12000, 1000}},
      {"bottom with a picture as high as the page stays at 370", Input(0, 1000, 16000, 1, 3),
       {ZoomDecision::None, 300, 370, 1000, 16000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto layout = ComputePrintLayout(c.in);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(*layout, c.expected) << "zoom " << static_cast<int>(layout->zoom) << " X "
                                   << layout->X << " Y " << layout->Y << " DW " << layout->DW
                                   << " DH " << layout->DH;
  }
}

TEST(ComputePrintLayout, RoundsHalvesToEven) {
  struct Case {
    const char* name;
    PrintLayoutInput in;
    std::int32_t X, DW, DH;
  };
  const Case cases[] = {
      {"own size 100.5 rounds down", Input(0, 100.5f, 201.5f), 300, 100, 202},
      {"centre room 4699.5 rounds up to even", Input(0, 1001, 1000, 2), 4700, 1001, 1000},
      {"centre room 4698.5 rounds down to even", Input(0, 1003, 1000, 2), 4698, 1003, 1000},
      {"fractional printable width", Input(1, 20000, 1000, 1, 1, 11000.5, kPH), 300, 10400, 520},
      {"height 10400 / 20000 * 1001 = 520.52", Input(1, 20000, 1001), 300, 10400, 521},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto layout = ComputePrintLayout(c.in);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->X, c.X);
    EXPECT_EQ(layout->DW, c.DW);
    EXPECT_EQ(layout->DH, c.DH);
  }
}

TEST(ComputePrintLayout, PrintableAreaWithinTheAllowancesHasNoLayout) {
  struct Case {
    const char* name;
    double PW, PH;
    bool laidOut;
  };
  const Case cases[] = {
      {"width exactly the allowance", 600, kPH, false},
      {"height exactly the allowance", kPW, 740, false},
      {"narrower than the allowance", 300, kPH, false},
      {"nothing printable", 0, 0, false},
      {"one twip more each way", 601, 741, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (std::int16_t zoom = 0; zoom <= 3; ++zoom) {
      EXPECT_EQ(ComputePrintLayout(Input(zoom, 5000, 5000, 2, 2, c.PW, c.PH)).has_value(),
                c.laidOut)
          << "zoom mode " << zoom;
    }
  }
}

TEST(ComputePrintLayout, EmptyPictureHasNoLayout) {
  EXPECT_FALSE(ComputePrintLayout(Input(3, 0, 0)).has_value());
  EXPECT_FALSE(ComputePrintLayout(Input(2, 0, 500)).has_value());
}

}  // namespace
}  // namespace vistrane
