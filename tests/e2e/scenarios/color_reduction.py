#!/usr/bin/env python3
"""ColorMode 2, 3 and 4 write bitmap files of the screen's size that
ImageMagick reads as 8-, 4- and 1-bit bitmaps with at most 256, 16 and 2
colours, laid out as a standard bitmap file (pixel offset 1078, 118, 62; the
size field the file's size). Each looks like the screen: its PSNR against the
full-colour copy on the clipboard is reported beside ImageMagick's own
reduction of the same copy, and may not fall far below it."""

import struct

from image_quality import identify, psnr, reduced_by_imagemagick
from vistrane_e2e import (SCREEN_SIZE, PatternWindow, Viewer, Vistrane, check, check_no_error_box,
                          scenario, test_settings, today_mmdd)

MODES = {2: (8, 256, 1078), 3: (4, 16, 118), 4: (1, 2, 62)}


def check_layout(path, bits, pixel_offset):
    data = path.read_bytes()
    width, height = SCREEN_SIZE
    rows = ((width * bits + 31) // 32) * 4 * height
    check(data[:2] == b"BM", f"{path.name} does not start with BM")
    size, offset = struct.unpack_from("<I", data, 2)[0], struct.unpack_from("<I", data, 10)[0]
    check(offset == pixel_offset, f"{path.name}: pixel offset {offset}, expected {pixel_offset}")
    check(size == len(data) == pixel_offset + rows,
          f"{path.name}: size field {size}, file {len(data)} bytes, expected {pixel_offset + rows}")


def main(s, artifacts):
    report = []
    for mode, (bits, colours, pixel_offset) in MODES.items():
        s.reset_settings(test_settings(ColorMode=mode))
        s.reset_output_dir()
        with PatternWindow(s, artifacts, (200, 150, 700, 550)), Viewer(s, artifacts) as viewer, \
                Vistrane(s, artifacts):
            reference, written = viewer.capture(artifacts, f"colormode-{mode}",
                                                f"Vstrn{today_mmdd()}-001.bmp")
            check_no_error_box(s)
        check(s.output_files() == [f"Vstrn{today_mmdd()}-001.bmp"],
              f"the output folder holds {s.output_files()}")
        form, width, height, depth, used = identify(written)
        check(form in ("BMP", "BMP3") and (width, height, depth) == (*SCREEN_SIZE, bits),
              f"ColorMode {mode}: identify reads {form} {width}x{height} at {depth} bits")
        check(used <= colours, f"ColorMode {mode}: {used} colours in the file")
        check_layout(written, bits, pixel_offset)
        ours = psnr(reference, written)
        theirs = psnr(reference, reduced_by_imagemagick(
            reference, colours, artifacts / f"colormode-{mode}-imagemagick.png"))
        report.append(f"ColorMode {mode} ({colours} colours, {used} used): PSNR {ours:.2f} dB, "
                      f"ImageMagick without dithering {theirs:.2f} dB")
        check(ours >= theirs - 1.0,
              f"ColorMode {mode}: PSNR {ours:.2f} dB, far below ImageMagick's {theirs:.2f} dB")
    (artifacts / "psnr.txt").write_text("\n".join(report) + "\n")
    print("\n".join(report))


scenario(main)
