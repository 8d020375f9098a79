#!/usr/bin/env python3
"""Printing on while the system has no printer: each capture's file is still
written, the error box says the capture could not be printed, and Vistrane
keeps running and takes the next capture the same way."""

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
            for number in (1, 2):
                seen = len(viewer.notices())
                reference = artifacts / f"capture-{number}.bmp"
                s.screencopy("--owner", "desktop", "--size", "320x240",
                             "--save", s.win_path(reference))
                report = expect_error_box(s, artifacts, f"error-box-{number}")
                check("印刷できませんでした" in report["text"],
                      f"the error box does not say the capture was not printed: {report['text']}")
                check(re.search("プリンタ", report["text"]),
                      f"the error box does not name the printer: {report['text']}")
                s.vtest("msgbox", "--ok")
                expect_capture(s, artifacts, f"Vstrn{today_mmdd()}-{number:03}.bmp", reference)
                check(len(viewer.wait_notices(seen + 1)) == seen + 1,
                      "the notice was not passed on after the failed print")
                check(vistrane.running(), "Vistrane ended after the failed print")
            check_no_error_box(s)
            check(not printer.page_file.exists(), "a page was printed without a printer")
    finally:
        printer.add()


scenario(main)
