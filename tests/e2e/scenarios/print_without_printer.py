#!/usr/bin/env python3
"""Printing on while the system has no printer: each capture's file is still
written, the error box says the capture could not be printed, and Vistrane
keeps running. Three copies taken while the first capture's box is open are
captured one after another as the boxes are closed, each into its own file."""

import re

from printing import PdfPrinter
from vistrane_e2e import (Viewer, Vistrane, check, check_no_error_box, expect_capture,
                          expect_error_box, scenario, test_settings, today_mmdd)


def copy(s, artifacts, number):
    """A screen copy of its own size, kept as capture-<number>.bmp."""
    reference = artifacts / f"capture-{number}.bmp"
    s.screencopy("--owner", "desktop", "--size", f"{300 + 20 * number}x{220 + 20 * number}",
                 "--save", s.win_path(reference))
    return reference


def main(s, artifacts):
    printer = PdfPrinter(s)
    s.reset_settings(test_settings(PrtOutputMode=1))
    s.reset_output_dir()
    printer.clear()
    # Before any Wine program starts: the first one to start takes the list.
    printer.remove()
    try:
        with Viewer(s, artifacts) as viewer, Vistrane(s, artifacts) as vistrane:
            seen = len(viewer.notices())
            references = [copy(s, artifacts, 1)]
            first_box = expect_error_box(s, artifacts, "error-box-1")
            # Copies taken while the box is open each become a capture of
            # their own, after this one; their notices are passed on at once.
            for number in (2, 3, 4):
                references.append(copy(s, artifacts, number))
                check(len(viewer.wait_notices(seen + number - 1)) == seen + number - 1,
                      f"the notice of copy {number}, taken during the box, was not passed on")
            for number, reference in enumerate(references, 1):
                report = first_box if number == 1 else expect_error_box(
                    s, artifacts, f"error-box-{number}")
                check("印刷できませんでした" in report["text"],
                      f"the error box does not say the capture was not printed: {report['text']}")
                check(re.search("プリンタ", report["text"]),
                      f"the error box does not name the printer: {report['text']}")
                expect_capture(s, artifacts, f"Vstrn{today_mmdd()}-{number:03}.bmp", reference)
                s.vtest("msgbox", "--ok")
            check(len(viewer.wait_notices(seen + 4)) == seen + 4,
                  "the notice was not passed on after the failed prints")
            check(vistrane.running(), "Vistrane ended after the failed prints")
            names = [f"Vstrn{today_mmdd()}-{n:03}.bmp" for n in (1, 2, 3, 4)]
            check(s.output_files() == names, f"the output folder holds {s.output_files()}")
            check_no_error_box(s)
            check(not printer.page_file.exists(), "a page was printed without a printer")
    finally:
        printer.add()


scenario(main)
