#pragma once
// Colour reduction of a capture: the 256-, 16- or 2-colour image that the
// reduced bitmap and PNG files are written from, drawn back over the picture.
#include <cstdint>

#include "resident/output/capture_image.h"

namespace vistrane {

// Bits per pixel of a reduced capture: ColorMode 2 gives 8, 3 gives 4, and
// any other reduced value 2 colours (1 bit), as the settings dialog shows it.
int ReducedBitCount(std::int16_t ColorMode);

// The picture at the depth of ColorMode: a colour table chosen for it and the
// index of every pixel. Throws OutputError when the picture has no pixels or
// the rows would be more than a bitmap file can hold.
ReducedImage ReduceColors(const Picture& picture, std::int16_t ColorMode);

// Draws the reduced image over the picture it was made from, so the progress
// window, the print and a JPEG show the reduced colours.
void DrawReducedColours(const ReducedImage& reduced, Picture& picture);

}  // namespace vistrane
