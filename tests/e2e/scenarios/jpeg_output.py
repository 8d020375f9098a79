#!/usr/bin/env python3
"""OutputFileMode 2 writes C:\\VstrnTmp\\Vstrn<mmdd>-001.jpg, a JPEG of the
screen's size that ImageMagick reads and that stays close to the screen.
(Vistrane asks the encoder for the highest quality, 4:4:4; Wine 8's encoder
ignores both and writes quality 75 at 4:2:0, so the figure checked here is
what that encoder reaches on the noisy test pattern.) With ColorMode 4 the JPEG is made from the reduced
picture: it shows two colours (bar the encoder's small ringing), where the
full-colour JPEG of the same screen does not."""

import subprocess

from image_quality import identify, psnr, reduced_by_imagemagick
from vistrane_e2e import (SCREEN_SIZE, PatternWindow, Viewer, Vistrane, check, check_no_error_box,
                          scenario, test_settings, today_mmdd)


def capture_jpeg(s, artifacts, name, **settings):
    s.reset_settings(test_settings(OutputFileMode=2, **settings))
    s.reset_output_dir()
    expected = f"Vstrn{today_mmdd()}-001.jpg"
    with PatternWindow(s, artifacts, (200, 150, 700, 550)), Viewer(s, artifacts) as viewer, \
            Vistrane(s, artifacts):
        reference, kept = viewer.capture(artifacts, name, expected)
        check_no_error_box(s)
    check(s.output_files() == [expected], f"the output folder holds {s.output_files()}")
    form, width, height, _, _ = identify(kept)
    check((form, width, height) == ("JPEG", *SCREEN_SIZE),
          f"{name}: identify reads {form} {width}x{height}")
    return reference, kept


def jpeg_quality(path):
    """The quality ImageMagick estimates from the file's quantisation tables."""
    return subprocess.run(["identify", "-format", "%Q", str(path)], capture_output=True,
                          text=True, timeout=60).stdout


def two_colour_likeness(artifacts, jpeg):
    """PSNR of the JPEG against its own best two-colour version: high when
    the JPEG holds two colours, low when it holds many."""
    return psnr(jpeg, reduced_by_imagemagick(jpeg, 2, artifacts / f"{jpeg.stem}-2colours.png"))


def main(s, artifacts):
    reference, full = capture_jpeg(s, artifacts, "full-colour", ColorMode=1)
    fidelity = psnr(reference, full)
    check(fidelity >= 25, f"the full-colour JPEG is only {fidelity:.2f} dB from the screen")

    _, reduced = capture_jpeg(s, artifacts, "two-colours", ColorMode=4)
    full_likeness = two_colour_likeness(artifacts, full)
    reduced_likeness = two_colour_likeness(artifacts, reduced)
    report = (f"full-colour JPEG (quality {jpeg_quality(full)}): {fidelity:.2f} dB from the screen, "
              f"{full_likeness:.2f} dB from "
              f"two colours; ColorMode 4 JPEG: {reduced_likeness:.2f} dB from two colours")
    (artifacts / "psnr.txt").write_text(report + "\n")
    print(report)
    check(reduced_likeness >= 30 and reduced_likeness > full_likeness + 10,
          f"the ColorMode 4 JPEG does not show two colours: {report}")


scenario(main)
