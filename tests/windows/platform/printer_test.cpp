// Runs in the Wine session, whose CUPS scheduler has the PDF printer VPDF
// (tests/e2e/cups.sh) as the only and default printer.
#include "platform/printer.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "platform/win32_error.h"

namespace vistrane {
namespace {

constexpr wchar_t kSessionPrinter[] = L"VPDF";

TEST(InstalledPrinters, ListsDeviceAndPortNames) {
  const auto printers = InstalledPrinters();
  const auto vpdf = std::find_if(printers.begin(), printers.end(),
                                 [](const InstalledPrinter& p) { return p.deviceName == kSessionPrinter; });
  ASSERT_NE(vpdf, printers.end());
  EXPECT_EQ(vpdf->portName, L"CUPS:VPDF");
}

TEST(Printer, FollowsTheDefaultPrinterUntilOneIsSelected) {
  Printer printer;
  EXPECT_EQ(printer.DeviceName(), kSessionPrinter);
  EXPECT_THROW(printer.Select(L"Vistrane no such printer"), Win32Error);
  EXPECT_EQ(printer.DeviceName(), kSessionPrinter) << "a failed choice keeps the printer";
  printer.Select(kSessionPrinter);
  EXPECT_EQ(printer.DeviceName(), kSessionPrinter);
}

TEST(Printer, TakesOnlyPaperSizesThePrinterAccepts) {
  Printer printer;
  struct Case {
    std::int16_t code;
    bool accepted;
  };
  const Case cases[] = {{DMPAPER_A4, true}, {DMPAPER_LETTER, true}, {DMPAPER_A3, true},
                        {0, false}, {-5, false}, {30000, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(printer.AcceptsPaperSize(c.code), c.accepted);
  }

  printer.SetPaperSize(DMPAPER_LETTER);
  EXPECT_EQ(printer.PaperSize(), DMPAPER_LETTER);
  EXPECT_THROW(printer.SetPaperSize(30000), Win32Error);
  EXPECT_EQ(printer.PaperSize(), DMPAPER_LETTER) << "a refused code leaves the paper as it was";
}

TEST(PrintJob, PrintableAreaFollowsPaperAndOrientation) {
  Printer printer;
  printer.SetPaperSize(DMPAPER_A4);
  printer.SetOrientation(Printer::Orientation::Portrait);
  double portraitWidth = 0;
  double portraitHeight = 0;
  {
    const PrintJob job(printer, L"printer_test");
    portraitWidth = job.ScaleWidth();
    portraitHeight = job.ScaleHeight();
  }
  // A4 is 210 x 297 mm, 11906 x 16838 twips; the printable area lies within.
  EXPECT_GT(portraitWidth, 10000);
  EXPECT_LE(portraitWidth, 11906 + 5);
  EXPECT_GT(portraitHeight, portraitWidth);

  printer.SetOrientation(Printer::Orientation::Landscape);
  const PrintJob landscape(printer, L"printer_test");
  EXPECT_NEAR(landscape.ScaleWidth(), portraitHeight, 5);
  EXPECT_NEAR(landscape.ScaleHeight(), portraitWidth, 5);

  printer.SetPaperSize(DMPAPER_A3);
  const PrintJob a3(printer, L"printer_test");
  EXPECT_GT(a3.ScaleWidth(), landscape.ScaleWidth() * 1.3) << "A3 landscape is wider than A4";
}

}  // namespace
}  // namespace vistrane
