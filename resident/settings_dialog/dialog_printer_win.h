#pragma once
// The program's current printer as the settings dialog's printer page sees it.
#include "platform/printer.h"
#include "resident/settings_dialog/printer_choice.h"

namespace vistrane {

class WindowsDialogPrinter final : public DialogPrinter {
 public:
  explicit WindowsDialogPrinter(Printer& printer) : printer_(printer) {}

  std::vector<InstalledPrinterName> Printers() override;
  std::optional<std::wstring> CurrentName() override { return printer_.DeviceName(); }
  void MakeCurrent(const std::wstring& deviceName) override { printer_.Select(deviceName); }
  void MakeDefaultCurrent() override { printer_.SelectDefault(); }
  std::vector<std::int16_t> PaperSizes() override;
  std::int16_t PaperSize() override { return printer_.PaperSize(); }
  bool SetPaperSize(std::int16_t code) override;

 private:
  Printer& printer_;
};

}  // namespace vistrane
