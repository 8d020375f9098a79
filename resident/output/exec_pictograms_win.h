#pragma once
// The pictures of the progress form, drawn with GDI into any box so they stay
// sharp at every screen scale: the green arrow and the pictograms of the
// three outputs.
#include <windows.h>

#include "resident/output/exec_layout.h"

namespace vistrane {

// Each throws Win32Error when GDI cannot make its pens and brushes.
void DrawArrow(HDC dc, const Box& box);
void DrawFilePictogram(HDC dc, const Box& box);
void DrawPrinterPictogram(HDC dc, const Box& box);
void DrawMailPictogram(HDC dc, const Box& box);

}  // namespace vistrane
