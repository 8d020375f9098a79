// print-layout: where Vistrane puts a picture of the given size on a page of
// the default printer, as JSON, for the scenarios that check printed pages.
// The printable area comes from the printer in the chosen orientation, the
// placement from the core's page geometry.
#include <windows.h>

#include <string>

#include "platform/printer.h"
#include "platform/screen_metrics.h"
#include "resident/output/print_layout.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/json_text.h"
#include "tools/common/console_output.h"

namespace vistrane::vtest {
namespace {

const wchar_t* ZoomName(ZoomDecision zoom) {
  switch (zoom) {
    case ZoomDecision::FitWidth: return L"W";
    case ZoomDecision::FitHeight: return L"H";
    case ZoomDecision::None: break;
  }
  return L"";
}

template <typename Number>
std::wstring Field(const wchar_t* name, Number value) {
  return L"\"" + std::wstring(name) + L"\": " + std::to_wstring(value);
}

}  // namespace

int PrintLayoutCommand(Arguments& args) {
  const auto& positional = args.Positional(6);
  const auto setting = [&](std::size_t i) { return static_cast<std::int16_t>(ParseInt(positional[i])); };
  const float SW = static_cast<float>(ParseInt(positional[4]) * TwipsPerPixelX());
  const float SH = static_cast<float>(ParseInt(positional[5]) * TwipsPerPixelY());
  const PaperOrientation orientation = ChoosePaperOrientation(setting(0), SW, SH);

  Printer printer;
  const auto device = printer.DeviceName();
  if (!device) {
    tools::WriteErr(L"vtest print-layout: no default printer\n");
    return kNotMet;
  }
  printer.SetOrientation(orientation == PaperOrientation::Landscape
                             ? Printer::Orientation::Landscape
                             : Printer::Orientation::Portrait);
  const PrintJob job(printer, L"vtest");
  const auto layout = ComputePrintLayout(
      {setting(1), setting(2), setting(3), SW, SH, job.ScaleWidth(), job.ScaleHeight()});
  const HDC dc = job.Dc();
  std::wstring json = L"{\"device\": " + JsonString(*device) + L", \"landscape\": " +
                      (orientation == PaperOrientation::Landscape ? L"true" : L"false");
  for (const auto& [name, index] : {std::pair{L"dpiX", LOGPIXELSX}, {L"dpiY", LOGPIXELSY},
                                    {L"offsetX", PHYSICALOFFSETX}, {L"offsetY", PHYSICALOFFSETY},
                                    {L"pageWidth", PHYSICALWIDTH}, {L"pageHeight", PHYSICALHEIGHT}}) {
    json += L", " + Field(name, GetDeviceCaps(dc, index));
  }
  json += L", " + Field(L"PW", job.ScaleWidth()) + L", " + Field(L"PH", job.ScaleHeight());
  if (layout) {
    json += L", \"zoom\": " + JsonString(ZoomName(layout->zoom)) + L", " + Field(L"X", layout->X) +
            L", " + Field(L"Y", layout->Y) + L", " + Field(L"DW", layout->DW) + L", " +
            Field(L"DH", layout->DH);
  }
  tools::WriteOut(json + L"}\n");
  return layout ? kOk : kNotMet;
}

}  // namespace vistrane::vtest
