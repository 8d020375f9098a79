#include "shared/twips.h"

#include <gtest/gtest.h>

namespace vistrane {
namespace {

TEST(TwipsToPixels, RoundsToTheNearestPixelHalvesAwayFromZero) {
  const struct {
    int twips, dpi, pixels;
  } cases[] = {
      {5370, 96, 358},   // 15 twips a pixel
      {2535, 96, 169},   // 2535 / 15
      {1215, 96, 81},    // 1215 / 15
      {1575, 96, 105},   // 1575 / 15
      {8985, 120, 749},  // 748.75
      {2535, 120, 211},  // 211.25
      {2355, 144, 236},  // 235.5
      {6240, 192, 832},
      {1080, 134, 101},    // 100.5, which 1440 / 134 twips a pixel puts just below
      {-2355, 144, -236},  // -235.5: a printed image that starts left of the page
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.twips << " twips at " << c.dpi << " dpi");
    EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels);
  }
}

}  // namespace
}  // namespace vistrane
