#include "resident/about/version_form.h"

#include "vistrane_version.h"

namespace vistrane {
namespace {

// The box's design, in twips. Lbl_Ver and Lbl_For were drawn 2295 and 2775
// wide and 375 high, Lbl_Computer 255 high: Lbl_Ver then reached under
// Lbl_For, Lbl_For past the client area, both into Lbl_Corp's line and
// Lbl_Computer into Lbl_User's. Each now ends where its neighbour or the
// client area begins, so a text that does not fit ends in an ellipsis instead
// of running into the next one.
constexpr Box kClient{0, 0, 6240, 2280};
constexpr Box kShape1{120, 240, 1095, 975};
constexpr Box kImage1{240, 360, 825, 720};
constexpr Box kLblVerBox{1560, 240, 2040, 240};
constexpr Box kLblForBox{3600, 240, 2640, 240};
constexpr Box kLblCorpBox{1560, 480, 4575, 255};
constexpr Box kLblMailBox{2880, 840, 3135, 255};
constexpr Box kLblComputerBox{2040, 1440, 3855, 240};
constexpr Box kLblUserBox{2040, 1680, 3855, 255};
constexpr Box kBtnOKBox{240, 1560, 1455, 375};

}  // namespace

std::wstring VersionLabelText() {
  return L"Vistrane Version " + std::wstring(kAboutVersionText);
}

VersionFormLayout LayOutVersionForm(int dpi) {
  const auto px = [dpi](const Box& twips) { return ToPixels(twips, dpi, dpi); };
  const Box client = px(kClient);
  return VersionFormLayout{PixelSize{client.width, client.height},
                           px(kShape1),
                           px(kImage1),
                           px(kLblVerBox),
                           px(kLblForBox),
                           px(kLblCorpBox),
                           px(kLblMailBox),
                           px(kLblComputerBox),
                           px(kLblUserBox),
                           px(kBtnOKBox)};
}

}  // namespace vistrane
