#!/usr/bin/env python3
"""OutputFileMode 3 writes C:\\VstrnTmp\\Vstrn<mmdd>-001.png, a PNG that
ImageMagick reads with the screen's size and the very pixels of the
clipboard's copy. After "２５６色" is chosen in the settings dialog the next
capture, -002.png, is an indexed PNG of 8 bits with at most 256 colours
that looks like the screen: its PSNR against the clipboard's copy may not
fall far below that of ImageMagick's own reduction."""

import subprocess

from image_quality import identify, psnr, reduced_by_imagemagick
from setting_dialog import SettingDialog
from vistrane_e2e import (SCREEN_SIZE, PatternWindow, Viewer, Vistrane, check, check_no_error_box,
                          scenario, test_settings, today_mmdd)

PNG_INDEXED = "3"  # the colour type of a PNG with a palette


def capture(artifacts, viewer, number, name):
    """One screen copy; returns the clipboard's bitmap and a copy of the PNG
    written for it."""
    reference, kept = viewer.capture(artifacts, name, f"Vstrn{today_mmdd()}-{number:03}.png")
    form, width, height, _, _ = identify(kept)
    check((form, width, height) == ("PNG", *SCREEN_SIZE),
          f"{name}: identify reads {form} {width}x{height}")
    return reference, kept


def png_header(path):
    """(bit depth, colour type) as the file's IHDR chunk states them."""
    result = subprocess.run(["identify", "-format",
                             "%[png:IHDR.bit-depth-orig] %[png:IHDR.color-type-orig]", str(path)],
                            capture_output=True, text=True, timeout=60)
    check(result.returncode == 0, f"identify cannot read {path.name}: {result.stderr}")
    return tuple(result.stdout.split())


def main(s, artifacts):
    s.reset_settings(test_settings(OutputFileMode=3, ColorMode=1))
    s.reset_output_dir()
    with PatternWindow(s, artifacts, (200, 150, 700, 550)), Viewer(s, artifacts) as viewer, \
            Vistrane(s, artifacts) as vistrane:
        reference, full = capture(artifacts, viewer, 1, "full-colour")
        differing = s.same_pixels(full, reference)
        check(differing == 0, f"the full-colour PNG differs from the screen in {differing} pixels")

        SettingDialog(s, vistrane).store_options("rbtnColor256")
        reference, reduced = capture(artifacts, viewer, 2, "256-colours")
        check_no_error_box(s)

    header = png_header(reduced)
    check(header == ("8", PNG_INDEXED), f"the 256-colour PNG has bit depth and colour type {header}")
    used = identify(reduced)[4]
    check(used <= 256, f"the 256-colour PNG uses {used} colours")
    ours = psnr(reference, reduced)
    theirs = psnr(reference, reduced_by_imagemagick(reference, 256,
                                                    artifacts / "256-colours-imagemagick.png"))
    report = (f"256-colour PNG ({used} colours used, {reduced.stat().st_size} bytes; full colour "
              f"{full.stat().st_size} bytes): PSNR {ours:.2f} dB, ImageMagick {theirs:.2f} dB")
    (artifacts / "psnr.txt").write_text(report + "\n")
    print(report)
    check(ours >= theirs - 1.0, f"the 256-colour PNG is far from the screen: {report}")


scenario(main)
