#pragma once
// The printer page's two lists: PrtName, the installed printers, and
// PaperSize, the paper sizes the current printer accepts. A choice is applied
// to the program's current printer at once and kept in PrtDeviceName and
// PrtPaperSize for the rest of the run; it is never stored. Cancel puts back
// the printer and paper that were in use when the dialog opened.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shared/settings_record.h"

namespace vistrane {

struct InstalledPrinterName {
  std::wstring deviceName;
  std::wstring portName;
};

// The program's current printer, as the dialog works it.
class DialogPrinter {
 public:
  virtual ~DialogPrinter() = default;
  // Every installed printer in the spooler's order.
  virtual std::vector<InstalledPrinterName> Printers() = 0;
  // The current printer's device name; nullopt when there is none.
  virtual std::optional<std::wstring> CurrentName() = 0;
  virtual void MakeCurrent(const std::wstring& deviceName) = 0;
  // The system's default printer on its own paper, or none when there is none.
  virtual void MakeDefaultCurrent() = 0;
  // The paper codes the printer lists; none when it cannot be asked.
  virtual std::vector<std::int16_t> PaperSizes() = 0;
  virtual std::int16_t PaperSize() = 0;
  // False, leaving the paper size as it was, when the printer refuses it.
  virtual bool SetPaperSize(std::int16_t code) = 0;
};

// A list's entries, item data and selected entry.
struct ChoiceList {
  std::vector<std::wstring> texts;
  std::vector<std::int16_t> itemData;
  std::optional<std::size_t> selected;
};

// The list text of a paper code from 1 to 18; empty for any other.
std::wstring_view PaperSizeText(std::int16_t code);

// The printer list (Disp_PrtName): the printers in order, without those on
// the port "PUB:". The printer named PrtDeviceName is selected and made
// current; while PrtDeviceName is empty, the current printer is selected and
// its name kept.
ChoiceList ListPrinters(SettingsRecord& record, DialogPrinter& printer);

// The paper list (Disp_PaperSize): codes 1 to 18 that the current printer
// accepts, ascending, with the code as item data. The target, PrtPaperSize or
// else the printer's own paper, is selected when listed and applied to the
// printer; PrtPaperSize then takes the printer's paper code. Empty, changing
// nothing, when there is no current printer.
ChoiceList ListPaperSizes(SettingsRecord& record, DialogPrinter& printer);

// A printer chosen in the list (PrtName_Click): another printer becomes
// current and PrtDeviceName, the paper choice is forgotten and the paper list
// rebuilt, which it returns. nullopt, changing nothing, for the printer
// already chosen.
std::optional<ChoiceList> ChoosePrinter(SettingsRecord& record, DialogPrinter& printer,
                                        const std::wstring& deviceName);

// A paper chosen in the list (PaperSize_Click): the code goes to the printer
// and PrtPaperSize. A code the printer refuses leaves PrtPaperSize at the
// printer's own paper.
void ChoosePaperSize(SettingsRecord& record, DialogPrinter& printer, std::int16_t code);

// Cancel: the printer and paper of the snapshot taken when the dialog opened
// become current again; where the snapshot names no printer (none was chosen
// in this run), the system's default printer on its own paper. A choice the
// user cancelled must not print the next captures.
void RestorePrinter(const SettingsRecord& snapshot, DialogPrinter& printer);

}  // namespace vistrane
