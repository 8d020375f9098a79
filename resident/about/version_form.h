#pragma once
// The about box frmVersion: its texts and where every control sits. The
// positions are designed in twips and drawn in pixels at the DPI of the
// monitor that shows the box.
#include <string>

#include "shared/pixel_geometry.h"
#include "shared/twips.h"

namespace vistrane {

inline constexpr wchar_t kVersionCaption[] = L"Vistrane ﾊﾞｰｼﾞｮﾝ情報";
inline constexpr wchar_t kLblFor[] = L"For WindowsXP/2000/NT/Me/98";
inline constexpr wchar_t kLblCorp[] = L"Copyright (C) the Vistrane project";
// The contact line stays empty until the project has an address of its own.
inline constexpr wchar_t kLblMail[] = L"";
inline constexpr wchar_t kBtnOK[] = L"O K";

// "Vistrane Version " and the about box's version text.
std::wstring VersionLabelText();

// The light yellow behind the picture, as red, green, blue.
inline constexpr unsigned char kShape1Colour[3] = {255, 255, 192};

// Every control of the box, in client pixels.
struct VersionFormLayout {
  PixelSize client;
  Box Shape1;
  Box Image1;
  Box Lbl_Ver;
  Box Lbl_For;
  Box Lbl_Corp;
  Box lbl_Mail;
  Box Lbl_Computer;
  Box Lbl_User;
  Box btnOK;
};

VersionFormLayout LayOutVersionForm(int dpi);

}  // namespace vistrane
