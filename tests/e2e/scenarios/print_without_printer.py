#!/usr/bin/env python3
"""Printing on while the system has no printer: each capture's file is still
written, the error box says the capture could not be printed, and Vistrane
keeps running. Three copies taken while the first capture's box is open are
captured one after another as the boxes are closed, each into its own file."""

import re

from printing import PdfPrinter
from vistrane_e2e import (Viewer, Vistrane, check, check_no_error_box, expect_capture,
                          expect_error_box, scenario, test_settings, today_mmdd)


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
            references = [artifacts / f"capture-{number}.bmp" for number in (1, 2, 3, 4)]
            for number, reference in enumerate(references, 1):
                s.screencopy("--owner", "desktop", "--size", f"{300 + 20 * number}x240",
                             "--save", s.win_path(reference))
                # The first capture's box stays open; the next copies' notices go on.
                s.vtest("msgbox", "--timeout", "20")
                check(len(viewer.wait_notices(seen + number - 1)) == seen + number - 1,
                      f"the notice of copy {number} was not passed on during the box")
            for number, reference in enumerate(references, 1):
                report = expect_error_box(s, artifacts, f"error-box-{number}")
                check("印刷できませんでした" in report["text"],
                      f"the error box does not say the capture was not printed: {report['text']}")
                check(re.search("プリンタ", report["text"]),
                      f"the error box does not name the printer: {report['text']}")
                expect_capture(s, artifacts, f"Vstrn{today_mmdd()}-{number:03}.bmp", reference)
                s.vtest("msgbox", "--ok")
            check(len(viewer.wait_notices(seen + 4)) == seen + 4,
                  "the notices were not passed on after the failed prints")
            check(vistrane.running(), "Vistrane ended after the failed prints")
            check(len(s.output_files()) == 4, f"the output folder holds {s.output_files()}")
            check_no_error_box(s)
            check(not printer.page_file.exists(), "a page was printed without a printer")
    finally:
        printer.add()


scenario(main)
