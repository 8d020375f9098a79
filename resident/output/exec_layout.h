#pragma once
// The progress form frmExec: which output rows it shows, and where every
// control sits. Positions are designed in twips and drawn in pixels at the
// DPI of the monitor that shows the form.
#include <cstdint>

#include "shared/pixel_geometry.h"
#include "shared/twips.h"

namespace vistrane {

// One row of the form: the arrow and the pictogram of one output, both at
// the same top (twips).
struct ExecRow {
  bool visible = false;
  int top = 0;

  bool operator==(const ExecRow&) const = default;
};

struct ExecRows {
  ExecRow file;
  ExecRow printer;
  ExecRow mail;

  bool operator==(const ExecRows&) const = default;
};

// The rows for the output switches (1 = on). The count is their sum, so
// hand-edited values other than 0 and 1 fall to the three-row layout like
// "no output at all" does.
ExecRows ExecRowLayout(std::int16_t PrtOutputMode, std::int16_t FileOutputMode,
                       std::int16_t MailSendMode);

struct Segment {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;

  bool operator==(const Segment&) const = default;
};

// A shown row in pixels; hidden rows are absent (visible false).
struct ExecRowBoxes {
  bool visible = false;
  Box arrow;
  Box pictogram;
};

// Everything the form draws, in client pixels.
struct ExecFormLayout {
  PixelSize client;
  Box Image1;
  Segment frame[4];  // Line1 to Line4: the monitor's frame around Image1
  Box Shape1;        // the neck
  Box Shape2;        // the foot
  ExecRowBoxes file;
  ExecRowBoxes printer;
  ExecRowBoxes mail;
};

inline constexpr wchar_t kExecTitle[] = L"Vistrane Ver 3.2.1";
// How long the form shows after each capture.
inline constexpr unsigned kExecShowMilliseconds = 1500;

ExecFormLayout LayOutExecForm(const ExecRows& rows, int dpiX, int dpiY);

}  // namespace vistrane
