#!/usr/bin/env python3
"""Captures printed on the session's PDF printer VPDF. Each capture is one
page; the picture lies where the page geometry puts it in VPDF's printable
area (a wide capture turns the page to landscape by itself, a large one is
shrunk to the width and centred, a small one unzoomed at the top left), and
the header line names the version, the date and time, the computer and the
user. Above a picture placed at the top, the header ends a quarter line before
the picture starts, also in a Latin-only face standing in for the header's, and
reads back whole. The capture's file is written as well."""

import json
import re
from contextlib import contextmanager

from printing import (PdfPrinter, coloured_box, expected_box, header_band, is_landscape,
                      page_count, page_text, read_text, render, to_page_coordinates)
from vistrane_e2e import (Vistrane, check, check_no_error_box, expect_capture, scenario,
                          test_settings, today_mmdd)

# name, settings, capture size in pixels, landscape, zoom decision
CASES = [
    ("wide-automatic", dict(Orientation=0, ZoomMode=1, PrtYokoHaichi=1, PrtTateHaichi=1),
     (900, 300), True, ""),
    ("shrink-centred", dict(Orientation=2, ZoomMode=1, PrtYokoHaichi=2, PrtTateHaichi=2),
     (1024, 768), False, "W"),
    ("no-zoom-top-left", dict(Orientation=2, ZoomMode=0, PrtYokoHaichi=1, PrtTateHaichi=1),
     (300, 200), False, ""),
    ("latin-face", dict(Orientation=2, ZoomMode=0, PrtYokoHaichi=1, PrtTateHaichi=1),
     (300, 200), False, ""),
]
FACES = {"latin-face": "DejaVu Sans"}  # stands in for the header's face
FONT_SUBSTITUTES = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes"
TOLERANCE = 2  # rendered pixels (1/36 inch): halftone and rounding at the edges
HEADER_DPI = 300  # fine enough to see the gap between the header and the picture
HEADER_GAP = 8  # white rows at HEADER_DPI: a quarter of the header's line


def wine_names(s):
    """The computer and user names as Windows programs see them."""
    result = s.run("cmd", "/c", "echo", "%COMPUTERNAME%", "%USERNAME%")
    computer, user = result.stdout.split()
    return computer, user


def check_page(s, artifacts, name, printer, settings, size, landscape, zoom):
    postscript = printer.wait_job()
    (artifacts / f"{name}.ps").write_text(postscript, encoding="latin-1")
    check(page_count(postscript) == 1, f"{name}: {page_count(postscript)} pages printed")
    check(is_landscape(postscript) == landscape,
          f"{name}: the page is {'landscape' if is_landscape(postscript) else 'portrait'}")

    layout = s.vtest_json("print-layout", settings["Orientation"], settings["ZoomMode"],
                          settings["PrtYokoHaichi"], settings["PrtTateHaichi"], *size)
    (artifacts / f"{name}-layout.json").write_text(json.dumps(layout, indent=1))
    check(layout["landscape"] == landscape and layout["zoom"] == zoom,
          f"{name}: the geometry gives {layout}, not the case this scenario means to print")

    width, height, rgb = render(printer.page_file, artifacts / f"{name}.png")
    found = to_page_coordinates(coloured_box(width, height, rgb), width, height, landscape)
    wanted = expected_box(layout)
    check(all(abs(a - b) <= TOLERANCE for a, b in zip(found, wanted)),
          f"{name}: the picture lies at {found} (pixels at 72 dpi), expected {wanted}")
    return page_text(postscript)


@contextmanager
def header_face(s, face):
    """Programs started meanwhile print the header in `face` (None: the session's)."""
    session_face = s.vtest_json("reg-dump", FONT_SUBSTITUTES)["MS UI Gothic"]["data"]
    s.vtest("reg-set", FONT_SUBSTITUTES, f"MS UI Gothic={face or session_face}")
    try:
        yield
    finally:
        s.vtest("reg-set", FONT_SUBSTITUTES, f"MS UI Gothic={session_face}")


def check_header_above_picture(artifacts, name, printer):
    png = artifacts / f"{name}-{HEADER_DPI}dpi.png"
    width, height, rgb = render(printer.page_file, png, HEADER_DPI)
    ink_end, picture_top = header_band(width, height, rgb)
    check(0 < ink_end <= picture_top - HEADER_GAP,
          f"{name}: the header's ink ends at row {ink_end}, the picture starts at {picture_top}")
    text = read_text(png, picture_top)
    (artifacts / f"{name}-header-ocr.txt").write_text(text)
    check("Vistrane Ver4.1" in text, f"{name}: the header reads {text!r}")


def check_header(name, text, computer, user):
    # The first line holds one space; the header line follows.
    header = re.fullmatch(r" \u3000{3}Vistrane Ver4\.1  (\d{4}/\d{2}/\d{2}) (\d{2}:\d{2}:\d{2}) "
                          r"(AM|PM)  (.*)  (.*)", text)
    check(header, f"{name}: the page's text is {text!r}")
    check(header.group(4) == computer and header.group(5) == user,
          f"{name}: the header names {header.group(4)!r} and {header.group(5)!r}, "
          f"expected {computer!r} and {user!r}")


def main(s, artifacts):
    printer = PdfPrinter(s)
    computer, user = wine_names(s)
    for name, overrides, size, landscape, zoom in CASES:
        settings = test_settings(PrtOutputMode=1, **overrides)
        s.reset_settings(settings)
        s.reset_output_dir()
        printer.clear()
        with header_face(s, FACES.get(name)), Vistrane(s, artifacts):
            reference = artifacts / f"{name}.bmp"
            s.screencopy("--owner", "desktop", "--size", f"{size[0]}x{size[1]}",
                         "--save", s.win_path(reference))
            expect_capture(s, artifacts, f"Vstrn{today_mmdd()}-001.bmp", reference)
            text = check_page(s, artifacts, name, printer, overrides, size, landscape, zoom)
            if name not in FACES:  # a Latin-only face has no "　"
                check_header(name, text, computer, user)
            if not landscape and overrides["PrtTateHaichi"] == 1:
                check_header_above_picture(artifacts, name, printer)
            check_no_error_box(s)


scenario(main)
