#include "resident/about/version_form.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

namespace vistrane {
namespace {

using L = VersionFormLayout;

// The box as designed, in twips. Lbl_Ver and Lbl_For were drawn 2295 x 375
// and 2775 x 375, Lbl_Computer 255 high, into their neighbours and past the
// client area: each now ends where the next control or the client area begins.
const std::pair<Box L::*, Box> kDesign[] = {
    {&L::Shape1, {120, 240, 1095, 975}},         {&L::Image1, {240, 360, 825, 720}},
    {&L::Lbl_Ver, {1560, 240, 2040, 240}},       {&L::Lbl_For, {3600, 240, 2640, 240}},
    {&L::Lbl_Corp, {1560, 480, 4575, 255}},      {&L::lbl_Mail, {2880, 840, 3135, 255}},
    {&L::Lbl_Computer, {2040, 1440, 3855, 240}}, {&L::Lbl_User, {2040, 1680, 3855, 255}},
    {&L::btnOK, {240, 1560, 1455, 375}},
};

std::array<int, 4> Sides(const Box& box) { return {box.left, box.top, box.width, box.height}; }

TEST(LayOutVersionForm, PlacesEveryControlAsDesignedAtEveryScale) {
  for (const int dpi : {96, 120, 144, 192}) {
    const auto px = [dpi](const Box& twips) {
      std::array<int, 4> sides = Sides(twips);
      for (int& side : sides) side = (side * dpi + 720) / 1440;
      return sides;
    };
    const L layout = LayOutVersionForm(dpi);
    EXPECT_EQ(Sides({0, 0, layout.client.width, layout.client.height}), px({0, 0, 6240, 2280}))
        << dpi << " dpi";
    for (const auto& [box, twips] : kDesign) {
      SCOPED_TRACE(testing::Message() << "the control at " << twips.left << ", " << twips.top
                                      << " twips, " << dpi << " dpi");
      EXPECT_EQ(Sides(layout.*box), px(twips));
    }
  }
}

}  // namespace
}  // namespace vistrane
