#include "resident/about/version_form.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vistrane {
namespace {

bool Inside(const Box& inner, const Box& outer) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

bool Overlap(const Box& a, const Box& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

// Labels are drawn on the window's background, so any overlap would print one
// text across another; a control past the client area would be cut off.
TEST(LayOutVersionForm, ControlsStayApartAndInsideTheClientAreaAtEveryScale) {
  for (const int dpi : {96, 120, 144, 168, 192}) {
    SCOPED_TRACE(dpi);
    const VersionFormLayout layout = LayOutVersionForm(dpi);
    const Box client{0, 0, layout.client.width, layout.client.height};
    const std::vector<std::pair<const char*, Box>> controls = {
        {"Shape1", layout.Shape1},         {"Lbl_Ver", layout.Lbl_Ver},
        {"Lbl_For", layout.Lbl_For},       {"Lbl_Corp", layout.Lbl_Corp},
        {"lbl_Mail", layout.lbl_Mail},     {"Lbl_Computer", layout.Lbl_Computer},
        {"Lbl_User", layout.Lbl_User},     {"btnOK", layout.btnOK},
    };
    EXPECT_TRUE(Inside(layout.Image1, layout.Shape1)) << "Image1 lies on Shape1";
    for (std::size_t i = 0; i < controls.size(); ++i) {
      EXPECT_TRUE(Inside(controls[i].second, client)) << controls[i].first;
      for (std::size_t j = i + 1; j < controls.size(); ++j) {
        EXPECT_FALSE(Overlap(controls[i].second, controls[j].second))
            << controls[i].first << " and " << controls[j].first;
      }
    }
  }
}

}  // namespace
}  // namespace vistrane
