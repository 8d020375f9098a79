#include "resident/settings_dialog/printer_choice.h"

#include <algorithm>

namespace vistrane {
namespace {

constexpr std::wstring_view kPaperTexts[] = {
    L"レター、8 1/2 x 11 インチ",
    L"+A611 レター スモール、8 1/2 x 11 インチ",
    L"タブロイド、11 x 17 インチ",
    L"レジャー、17 x 11 インチ",
    L"リーガル、8 1/2 x 14 インチ",
    L"ステートメント、5 1/2 x 8 1/2 インチ",
    L"エグゼクティブ、7 1/2 x 10 1/2 インチ",
    L"A3、297 x 420 mm",
    L"A4、210 x 297 mm",
    L"A4 Small、210 x 297 mm",
    L"A5、148 x 210 mm",
    L"B4、250 x 354 mm",
    L"B5、182 x 257 mm",
    L"フォリオ、8 1/2 x 13 インチ",
    L"クォート、215 x 275 mm",
    L"10 x 14 インチ",
    L"11 x 17 インチ",
    L"ノート、8 1/2 x 11 インチ",
};
constexpr std::int16_t kLastListedPaper = 18;

// A print server's shared queue is not offered.
constexpr std::wstring_view kExcludedPort = L"PUB:";

}  // namespace

std::wstring_view PaperSizeText(std::int16_t code) {
  if (code < 1 || code > kLastListedPaper) return {};
  return kPaperTexts[code - 1];
}

ChoiceList ListPrinters(SettingsRecord& record, DialogPrinter& printer) {
  ChoiceList list;
  const std::optional<std::wstring> current = printer.CurrentName();
  std::optional<std::wstring> chosen;
  for (const InstalledPrinterName& installed : printer.Printers()) {
    if (installed.portName == kExcludedPort) continue;
    list.texts.push_back(installed.deviceName);
    const bool match = record.PrtDeviceName.empty() ? installed.deviceName == current
                                                    : installed.deviceName == record.PrtDeviceName;
    if (match) {
      list.selected = list.texts.size() - 1;
      chosen = installed.deviceName;
    }
  }
  if (chosen) {
    record.PrtDeviceName = *chosen;
    if (chosen != current) printer.MakeCurrent(*chosen);
  }
  return list;
}

ChoiceList ListPaperSizes(SettingsRecord& record, DialogPrinter& printer) {
  ChoiceList list;
  if (!printer.CurrentName()) return list;
  const std::int16_t target = record.PrtPaperSize != 0 ? record.PrtPaperSize : printer.PaperSize();
  // Asked once: each question goes through the printer's driver.
  const std::vector<std::int16_t> accepted = printer.PaperSizes();
  for (std::int16_t code = 1; code <= kLastListedPaper; ++code) {
    if (std::find(accepted.begin(), accepted.end(), code) == accepted.end()) continue;
    if (code == target) list.selected = list.texts.size();
    list.texts.emplace_back(PaperSizeText(code));
    list.itemData.push_back(code);
  }
  printer.SetPaperSize(target);
  record.PrtPaperSize = printer.PaperSize();
  return list;
}

std::optional<ChoiceList> ChoosePrinter(SettingsRecord& record, DialogPrinter& printer,
                                        const std::wstring& deviceName) {
  if (deviceName == record.PrtDeviceName) return std::nullopt;
  for (const InstalledPrinterName& installed : printer.Printers()) {
    if (installed.deviceName != deviceName) continue;
    record.PrtDeviceName = deviceName;
    printer.MakeCurrent(deviceName);
    break;
  }
  record.PrtPaperSize = 0;
  return ListPaperSizes(record, printer);
}

void ChoosePaperSize(SettingsRecord& record, DialogPrinter& printer, std::int16_t code) {
  record.PrtPaperSize = printer.SetPaperSize(code) ? code : printer.PaperSize();
}

void RestorePrinter(const SettingsRecord& snapshot, DialogPrinter& printer) {
  if (snapshot.PrtDeviceName.empty()) {
    printer.MakeDefaultCurrent();
  } else if (printer.CurrentName() != snapshot.PrtDeviceName) {
    printer.MakeCurrent(snapshot.PrtDeviceName);
  }
  if (snapshot.PrtPaperSize != 0) printer.SetPaperSize(snapshot.PrtPaperSize);
}

}  // namespace vistrane
