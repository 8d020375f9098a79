#include "resident/settings_dialog/dialog_printer_win.h"

#include "platform/win32_error.h"

namespace vistrane {

std::vector<InstalledPrinterName> WindowsDialogPrinter::Printers() {
  std::vector<InstalledPrinterName> names;
  for (InstalledPrinter& installed : InstalledPrinters()) {
    names.push_back({std::move(installed.deviceName), std::move(installed.portName)});
  }
  return names;
}

std::vector<std::int16_t> WindowsDialogPrinter::PaperSizes() {
  // A printer that cannot be asked offers no paper; the list stays empty
  // rather than the dialog failing to open.
  try {
    return printer_.PaperSizes();
  } catch (const Win32Error&) {
    return {};
  }
}

bool WindowsDialogPrinter::SetPaperSize(std::int16_t code) {
  try {
    printer_.SetPaperSize(code);
    return true;
  } catch (const Win32Error& e) {
    if (e.code() == ERROR_NOT_SUPPORTED) return false;
    throw;
  }
}

}  // namespace vistrane
