#pragma once
// The program's current printer and the print job that puts one page on it.
//
// The current printer is the system's default printer until Select() names
// another for this run. Its paper size and orientation live in the printer's
// DEVMODE and stay set for the later jobs of the run. The job measures and
// draws in twips (1/1440 inch) from the top left of the printable area.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/picture_box.h"
#include "platform/unique_handle.h"

namespace vistrane {

struct InstalledPrinter {
  std::wstring deviceName;
  std::wstring portName;
};

// The installed printers (local ones and connections) in the spooler's order.
// Throws Win32Error when the spooler cannot be asked.
std::vector<InstalledPrinter> InstalledPrinters();

class Printer {
 public:
  enum class Orientation : short { Portrait = DMORIENT_PORTRAIT, Landscape = DMORIENT_LANDSCAPE };

  Printer() = default;
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;

  // The selected printer, else the system's default printer; nullopt when
  // none was selected and the system has no default printer.
  std::optional<std::wstring> DeviceName() const;

  // Makes the named printer current with its own default paper and
  // orientation. Throws Win32Error when it cannot be opened.
  void Select(const std::wstring& deviceName);
  // Makes the system's default printer current again, with its own default
  // paper and orientation.
  void SelectDefault() noexcept {
    selected_.clear();
    current_.reset();
  }

  // The functions below work on the current printer and throw Win32Error
  // when there is none or the spooler refuses.

  // The DEVMODE paper codes (DMPAPER_...) the printer lists.
  std::vector<std::int16_t> PaperSizes();
  bool AcceptsPaperSize(std::int16_t code);
  std::int16_t PaperSize();
  // Throws Win32Error (ERROR_NOT_SUPPORTED) when the printer does not accept
  // the code; the paper size is then unchanged.
  void SetPaperSize(std::int16_t code);
  void SetOrientation(Orientation orientation);

 private:
  friend class PrintJob;

  struct Current {
    std::wstring deviceName;
    std::wstring portName;
    std::vector<BYTE> devMode;  // a DEVMODEW with the driver's private part
    DEVMODEW& Mode() noexcept { return *reinterpret_cast<DEVMODEW*>(devMode.data()); }
  };

  // Loads the printer's default settings when the current printer is new
  // (first use, Select(), or another default printer).
  Current& Load();

  std::wstring selected_;
  std::optional<Current> current_;
};

// One document of one page on the current printer. The document starts with
// the first drawing; a started document that is not ended by EndDoc() is
// aborted, so a failure never leaves a job open in the spooler.
class PrintJob {
 public:
  // A device context with the printer's current paper and orientation.
  // Throws Win32Error when there is no printer, the device context cannot be
  // made or the driver reports no printable area.
  PrintJob(Printer& printer, std::wstring documentName);
  ~PrintJob();
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  // The printer's device context, for reading its capabilities.
  HDC Dc() const noexcept { return dc_.get(); }

  // The printable area in twips.
  double ScaleWidth() const noexcept { return width_ * 1440.0 / dpiX_; }
  double ScaleHeight() const noexcept { return height_ * 1440.0 / dpiY_; }

  // Draws the whole picture stretched into the rectangle (twips; it may
  // reach beyond the page, which clips it).
  void PaintPicture(const PictureBox& picture, int x, int y, int width, int height);

  // Prints the text at the current text position in the printer's font and
  // moves the position to the start of the next line. The position starts at
  // the top left of the printable area; drawing pictures does not move it.
  void Print(std::wstring_view line);

  // The printer's vertical resolution, dots per inch.
  int DpiY() const noexcept { return dpiY_; }

  // Prints from now on in this face, at the em height in device pixels that
  // emPixels gives for the face's line height in ems (its text metrics). Throws
  // Win32Error when the font cannot be made or measured.
  void SetFont(std::wstring_view face, const std::function<int(double lineHeightPerEm)>& emPixels);

  // Ends the page and the document, which hands it to the printer.
  void EndDoc();

 private:
  void StartIfNeeded();
  // The distance between two printed lines in the font, device pixels.
  int LineHeight(HFONT font) const;
  int DeviceX(int twips) const noexcept;
  int DeviceY(int twips) const noexcept;

  UniqueHdc dc_;
  UniqueHfont font_;
  std::wstring documentName_;
  int dpiX_ = 0;
  int dpiY_ = 0;
  int width_ = 0;   // printable area in device pixels
  int height_ = 0;
  int textY_ = 0;   // current text line, device pixels
  bool started_ = false;
  bool ended_ = false;
};

}  // namespace vistrane
