#pragma once
// Colour reduction of the picture box: the reduced bitmap is left in Common
// and drawn back over the picture.
#include "platform/picture_box.h"
#include "resident/common.h"

namespace vistrane {

// Reduces Picture1 to the depth of ColorMode (the records, DibBits and
// DibSize in common) and draws the reduced bitmap over it, so every later
// output shows the reduced colours. Throws OutputError when it cannot.
void ReduceColors(PictureBox& Picture1, Common& common);

}  // namespace vistrane
