#include "resident/output/print_image_win.h"

#include <optional>
#include <string>

#include "platform/account_names.h"
#include "platform/locale_separators.h"
#include "platform/screen_metrics.h"
#include "platform/win32_error.h"
#include "resident/output/print_header.h"
#include "resident/output/print_layout.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

// A Japanese UI face, whose line is about one em high: two lines of about
// 8 pt fit above a picture placed at the top. Where the system lacks it, the
// face it substitutes is measured all the same (PrintJob::SetFont).
constexpr wchar_t kHeaderFace[] = L"MS UI Gothic";
constexpr int kHeaderLines = 2;  // a line holding one space, then the header

std::wstring Because(const wchar_t* reason) {
  return std::wstring(reason) + kPrintFailedMessage;
}

void PrintPicture(const SettingsRecord& settings, const PictureBox& Picture1, Printer& printer,
                  const Clock& clock) {
  if (!printer.DeviceName()) throw OutputError(Because(L"プリンタが設定されていないため、"));
  if (settings.PrtPaperSize != 0) printer.SetPaperSize(settings.PrtPaperSize);
  const std::wstring userName = UserName();
  const std::wstring computerName = ComputerName();

  // The picture's size in twips: as large as the screen showed it.
  const auto SW = static_cast<float>(Picture1.PixelWidth() * TwipsPerPixelX());
  const auto SH = static_cast<float>(Picture1.PixelHeight() * TwipsPerPixelY());
  // The orientation comes first: the printable size below belongs to it.
  printer.SetOrientation(ChoosePaperOrientation(settings.Orientation, SW, SH) ==
                                 PaperOrientation::Landscape
                             ? Printer::Orientation::Landscape
                             : Printer::Orientation::Portrait);

  PrintJob job(printer, L"Vistrane");
  const std::optional<PrintLayout> layout =
      ComputePrintLayout({settings.ZoomMode, settings.PrtYokoHaichi, settings.PrtTateHaichi, SW, SH,
                          job.ScaleWidth(), job.ScaleHeight()});
  if (!layout) throw OutputError(Because(L"プリンタの印刷できる範囲が狭すぎるため、"));

  job.PaintPicture(Picture1, layout->X, layout->Y, layout->DW, layout->DH);
  job.SetFont(kHeaderFace, [&](double lineHeightPerEm) {
    return HeaderFontEmPixels(job.DpiY(), lineHeightPerEm, kHeaderLines);
  });
  job.Print(L" ");
  job.Print(PrintHeaderLine(clock, computerName, userName, {DateSeparator(), TimeSeparator()}));
  job.EndDoc();
}

}  // namespace

void PrintImage(const SettingsRecord& settings, const PictureBox& Picture1, Printer& printer,
                const Clock& clock) {
  try {
    PrintPicture(settings, Picture1, printer, clock);
  } catch (const Win32Error& e) {
    throw OutputError(WithReason(kPrintFailedMessage, e.message()));
  }
}

}  // namespace vistrane
