#include "platform/printer.h"

#include <winspool.h>

#include <algorithm>
#include <utility>

#include "platform/win32_error.h"
#include "shared/twips.h"

namespace vistrane {
namespace {

using UniquePrinter = UniqueHandle<HANDLE, ClosePrinter>;

// The printer's default text: the face of the system's message font (one that
// shows Japanese on a Japanese system) at 10 points.
constexpr int kFontPoints = 10;

UniquePrinter OpenPrinterNamed(const std::wstring& deviceName) {
  UniquePrinter printer;
  if (!OpenPrinterW(const_cast<wchar_t*>(deviceName.c_str()), printer.put(), nullptr)) {
    ThrowLastError(L"OpenPrinter(" + deviceName + L")");
  }
  return printer;
}

std::wstring PortName(HANDLE printer, const std::wstring& deviceName) {
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  if (needed == 0) ThrowLastError(L"GetPrinter(" + deviceName + L")");
  std::vector<BYTE> buffer(needed);
  if (!GetPrinterW(printer, 2, buffer.data(), needed, &needed)) {
    ThrowLastError(L"GetPrinter(" + deviceName + L")");
  }
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  return info->pPortName != nullptr ? info->pPortName : L"";
}

std::vector<BYTE> DefaultDevMode(HANDLE printer, const std::wstring& deviceName) {
  auto* name = const_cast<wchar_t*>(deviceName.c_str());
  const LONG size = DocumentPropertiesW(nullptr, printer, name, nullptr, nullptr, 0);
  if (size < static_cast<LONG>(sizeof(DEVMODEW))) {
    ThrowLastError(L"DocumentProperties(" + deviceName + L")");
  }
  std::vector<BYTE> devMode(static_cast<std::size_t>(size));
  auto* mode = reinterpret_cast<DEVMODEW*>(devMode.data());
  if (DocumentPropertiesW(nullptr, printer, name, mode, nullptr, DM_OUT_BUFFER) != IDOK) {
    ThrowLastError(L"DocumentProperties(" + deviceName + L")");
  }
  return devMode;
}

int Caps(HDC dc, int index) {
  const int value = GetDeviceCaps(dc, index);
  // Some virtual printers report zeros; nothing can be placed then.
  if (value <= 0) throw Win32Error(ERROR_INVALID_DATA, L"GetDeviceCaps");
  return value;
}

}  // namespace

std::vector<InstalledPrinter> InstalledPrinters() {
  constexpr DWORD kFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0;
  DWORD count = 0;
  if (!EnumPrintersW(kFlags, nullptr, 2, nullptr, 0, &needed, &count) &&
      GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    ThrowLastError(L"EnumPrinters");
  }
  std::vector<InstalledPrinter> printers;
  if (needed == 0) return printers;
  std::vector<BYTE> buffer(needed);
  if (!EnumPrintersW(kFlags, nullptr, 2, buffer.data(), needed, &needed, &count)) {
    ThrowLastError(L"EnumPrinters");
  }
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    printers.push_back({info[i].pPrinterName != nullptr ? info[i].pPrinterName : L"",
                        info[i].pPortName != nullptr ? info[i].pPortName : L""});
  }
  return printers;
}

std::optional<std::wstring> Printer::DeviceName() const {
  if (!selected_.empty()) return selected_;
  DWORD size = 0;
  if (GetDefaultPrinterW(nullptr, &size) || GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    return std::nullopt;  // ERROR_FILE_NOT_FOUND: no default printer
  }
  std::wstring name(size, L'\0');
  if (!GetDefaultPrinterW(name.data(), &size)) return std::nullopt;
  name.resize(wcsnlen(name.c_str(), name.size()));
  if (name.empty()) return std::nullopt;
  return name;
}

void Printer::Select(const std::wstring& deviceName) {
  const UniquePrinter printer = OpenPrinterNamed(deviceName);
  Current current{deviceName, PortName(printer.get(), deviceName),
                  DefaultDevMode(printer.get(), deviceName)};
  selected_ = deviceName;
  current_ = std::move(current);
}

Printer::Current& Printer::Load() {
  const std::optional<std::wstring> name = DeviceName();
  if (!name) throw Win32Error(ERROR_INVALID_PRINTER_NAME, L"GetDefaultPrinter");
  if (current_ && current_->deviceName == *name) return *current_;
  const UniquePrinter printer = OpenPrinterNamed(*name);
  current_ = Current{*name, PortName(printer.get(), *name), DefaultDevMode(printer.get(), *name)};
  return *current_;
}

std::vector<std::int16_t> Printer::PaperSizes() {
  const Current& current = Load();
  const int count = DeviceCapabilitiesW(current.deviceName.c_str(), current.portName.c_str(),
                                        DC_PAPERS, nullptr, nullptr);
  if (count < 0) ThrowLastError(L"DeviceCapabilities(" + current.deviceName + L")");
  std::vector<WORD> papers(static_cast<std::size_t>(count));
  if (count > 0 &&
      DeviceCapabilitiesW(current.deviceName.c_str(), current.portName.c_str(), DC_PAPERS,
                          reinterpret_cast<wchar_t*>(papers.data()), nullptr) < 0) {
    ThrowLastError(L"DeviceCapabilities(" + current.deviceName + L")");
  }
  return std::vector<std::int16_t>(papers.begin(), papers.end());
}

bool Printer::AcceptsPaperSize(std::int16_t code) {
  const std::vector<std::int16_t> papers = PaperSizes();
  return std::find(papers.begin(), papers.end(), code) != papers.end();
}

std::int16_t Printer::PaperSize() { return Load().Mode().dmPaperSize; }

void Printer::SetPaperSize(std::int16_t code) {
  if (!AcceptsPaperSize(code)) {
    throw Win32Error(ERROR_NOT_SUPPORTED, L"DMPAPER " + std::to_wstring(code));
  }
  DEVMODEW& mode = Load().Mode();
  mode.dmPaperSize = code;
  mode.dmFields |= DM_PAPERSIZE;
  // A form name or an explicit paper length would override the code.
  mode.dmFields &= ~static_cast<DWORD>(DM_FORMNAME | DM_PAPERLENGTH | DM_PAPERWIDTH);
}

void Printer::SetOrientation(Orientation orientation) {
  DEVMODEW& mode = Load().Mode();
  mode.dmOrientation = static_cast<short>(orientation);
  mode.dmFields |= DM_ORIENTATION;
}

PrintJob::PrintJob(Printer& printer, std::wstring documentName)
    : documentName_(std::move(documentName)) {
  Printer::Current& current = printer.Load();
  dc_.reset(CreateDCW(L"WINSPOOL", current.deviceName.c_str(), nullptr, &current.Mode()));
  if (!dc_) ThrowLastError(L"CreateDC(" + current.deviceName + L")");
  dpiX_ = Caps(dc_.get(), LOGPIXELSX);
  dpiY_ = Caps(dc_.get(), LOGPIXELSY);
  width_ = Caps(dc_.get(), HORZRES);
  height_ = Caps(dc_.get(), VERTRES);

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    ThrowLastError(L"SystemParametersInfo(SPI_GETNONCLIENTMETRICS)");
  }
  LOGFONTW font = metrics.lfMessageFont;
  font.lfHeight = -MulDiv(kFontPoints, dpiY_, 72);
  font.lfWidth = 0;
  font_.reset(CreateFontIndirectW(&font));
  if (!font_) ThrowLastError(L"CreateFontIndirect");
}

PrintJob::~PrintJob() {
  if (started_ && !ended_) AbortDoc(dc_.get());
}

int PrintJob::DeviceX(int twips) const noexcept { return TwipsToPixels(twips, dpiX_); }
int PrintJob::DeviceY(int twips) const noexcept { return TwipsToPixels(twips, dpiY_); }

void PrintJob::StartIfNeeded() {
  if (started_) return;
  DOCINFOW info{};
  info.cbSize = sizeof(info);
  info.lpszDocName = documentName_.c_str();
  if (StartDocW(dc_.get(), &info) <= 0) ThrowLastError(L"StartDoc");
  started_ = true;
  if (StartPage(dc_.get()) <= 0) ThrowLastError(L"StartPage");
}

void PrintJob::PaintPicture(const PictureBox& picture, int x, int y, int width, int height) {
  StartIfNeeded();
  picture.DrawStretched(dc_.get(), DeviceX(x), DeviceY(y), DeviceX(width), DeviceY(height));
}

int PrintJob::LineHeight(HFONT font) const {
  const SelectObjectScope selectFont(dc_.get(), font);
  TEXTMETRICW metrics{};
  if (!GetTextMetricsW(dc_.get(), &metrics)) ThrowLastError(L"GetTextMetrics");
  return metrics.tmHeight + metrics.tmExternalLeading;
}

void PrintJob::SetFont(std::wstring_view face,
                       const std::function<int(double lineHeightPerEm)>& emPixels) {
  const auto make = [&](int em) {
    LOGFONTW font{};
    font.lfHeight = -em;
    font.lfCharSet = DEFAULT_CHARSET;
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    UniqueHfont made(CreateFontIndirectW(&font));
    if (!made) ThrowLastError(L"CreateFontIndirect");
    return made;
  };
  // Measured large, so the rounding of the metrics hardly shows.
  constexpr int kProbeEm = 1000;
  const UniqueHfont probe = make(kProbeEm);
  font_ = make(emPixels(static_cast<double>(LineHeight(probe.get())) / kProbeEm));
}

void PrintJob::Print(std::wstring_view line) {
  StartIfNeeded();
  const int lineHeight = LineHeight(font_.get());
  const SelectObjectScope selectFont(dc_.get(), font_.get());
  SetBkMode(dc_.get(), TRANSPARENT);
  if (!TextOutW(dc_.get(), 0, textY_, line.data(), static_cast<int>(line.size()))) {
    ThrowLastError(L"TextOut");
  }
  textY_ += lineHeight;
}

void PrintJob::EndDoc() {
  if (!started_ || ended_) return;
  if (EndPage(dc_.get()) <= 0) ThrowLastError(L"EndPage");
  if (::EndDoc(dc_.get()) <= 0) ThrowLastError(L"EndDoc");
  ended_ = true;
}

}  // namespace vistrane
