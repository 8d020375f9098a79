// Times the JPEG or the PNG writer on a screenshot under Wine or Windows: the
// picture box holds the screenshot as a capture would, and each run encodes
// it (JPEG through the Windows Imaging Component, PNG with our own writer)
// and writes the file. The output's extension, .jpg or .png, chooses.
//   image_file_bench <screenshot.bmp> <output.jpg|.png> [runs]
// Prints the minimum and median time and the file's size.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>

#include "platform/com_apartment.h"
#include "platform/picture_box.h"
#include "platform/printer.h"
#include "platform/unique_handle.h"
#include "resident/capture/capture_host_win.h"
#include "resident/output/png_file.h"
#include "shared/errors.h"
#include "tools/bench/run_times.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: image_file_bench <screenshot.bmp> <output.jpg|.png> [runs]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 10;
  const std::wstring output = argv[2];
  const bool png = output.size() > 4 && _wcsicmp(output.c_str() + output.size() - 4, L".png") == 0;
  const vistrane::ComApartment com;
  vistrane::UniqueHbitmap bitmap(static_cast<HBITMAP>(
      LoadImageW(nullptr, argv[1], IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (!bitmap) {
    std::fwprintf(stderr, L"image_file_bench: cannot load %ls\n", argv[1]);
    return 1;
  }
  vistrane::ScreenCopy copy;
  vistrane::PictureBox& picture = copy.picture;
  vistrane::Printer printer;
  vistrane::FrmExec frmExec;
  const bool quit = false;
  // The file as a capture writes it: through the host's file, PNG by our own
  // writer, JPEG by the host's encoder.
  vistrane::WindowsCaptureHost host(nullptr, copy, printer, frmExec, quit);
  try {
    picture.HoldBitmap(bitmap.get());
    const vistrane::Picture pixels{picture.Pixels(), picture.PixelWidth(), picture.PixelHeight()};
    vistrane::bench::RunTimes times;
    for (int i = 0; i < runs; ++i) {
      // A new file each time, as a capture makes one.
      DeleteFileW(output.c_str());
      times.Measure([&] {
        host.WriteFile(output, [&](vistrane::ByteSink& sink) {
          if (png) {
            vistrane::WritePng24(pixels.pixels, pixels.width, pixels.height,
                                 std::ptrdiff_t{pixels.width} * 4, sink);
          } else {
            host.EncodeJpeg(pixels, output, sink);
          }
        });
      });
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(argv[2], GetFileExInfoStandard, &data);
    std::wprintf(L"%dx%d: %ls file: min %.1f ms, median %.1f ms (%d runs), %lu bytes\n",
                 picture.PixelWidth(), picture.PixelHeight(), png ? L"PNG" : L"JPEG", times.Min(),
                 times.Median(), runs, data.nFileSizeLow);
  } catch (const vistrane::UserFacingError& e) {
    std::fwprintf(stderr, L"image_file_bench: %ls\n", e.message().c_str());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "image_file_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
