#include "resident/capture/image_check.h"

#include <gtest/gtest.h>

namespace vistrane {
namespace {

constexpr PixelSize kScreen{1024, 768};
constexpr PixelSize kTwoMonitors{2048, 768};
constexpr ScreenRect kMaximised{-4, -4, 1028, 740};

ImageCheckInput Ownerless(PixelSize image, std::optional<ScreenRect> foreground) {
  return {image, true, kScreen, kTwoMonitors, foreground};
}

TEST(CheckCapturedImage, AcceptsScreenOrClampedForegroundSizesOnly) {
  struct Case {
    const char* what;
    ImageCheckInput input;
    ImageVerdict expected;
  };
  const auto accept = ImageVerdict::Accept;
  const auto reject = ImageVerdict::Reject;
  const Case cases[] = {
      {"maximised window", Ownerless({1024, 740}, kMaximised), accept},
      {"whole screen, maximised window in front", Ownerless({1024, 768}, kMaximised), accept},
      {"whole screen, small window in front", Ownerless({1024, 768}, ScreenRect{10, 10, 50, 50}), accept},
      {"all monitors", Ownerless({2048, 768}, ScreenRect{10, 10, 50, 50}), accept},
      {"window inside the screen", Ownerless({40, 30}, ScreenRect{10, 20, 50, 50}), accept},
      {"window past the left", Ownerless({50, 30}, ScreenRect{-20, 20, 50, 50}), accept},
      {"window past the top", Ownerless({40, 50}, ScreenRect{10, -20, 50, 50}), accept},
      {"window past the right", Ownerless({24, 30}, ScreenRect{1000, 20, 1100, 50}), accept},
      {"window past the bottom", Ownerless({40, 18}, ScreenRect{10, 750, 50, 800}), accept},
      {"unclamped size of a window past the edge", Ownerless({70, 30}, ScreenRect{-20, 20, 50, 50}), reject},
      {"one pixel off", Ownerless({41, 30}, ScreenRect{10, 20, 50, 50}), reject},
      {"width right, height wrong", Ownerless({1024, 700}, kMaximised), reject},
      {"window on the second monitor", Ownerless({100, 100}, ScreenRect{1100, 0, 1200, 100}), reject},
      {"extreme coordinates", Ownerless({0, 0}, ScreenRect{INT32_MAX, 0, INT32_MIN, 0}), reject},
      {"no foreground window", Ownerless({123, 45}, std::nullopt), accept},
      {"desktop owner, any size", {{123, 45}, false, kScreen, kTwoMonitors, ScreenRect{0, 0, 10, 10}}, accept},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(CheckCapturedImage(c.input), c.expected);
  }
}

}  // namespace
}  // namespace vistrane
