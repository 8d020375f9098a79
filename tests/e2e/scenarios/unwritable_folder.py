#!/usr/bin/env python3
"""An output folder that cannot take files (a plain file named C:\\VstrnTmp):
the start-up takes the name as existing and says nothing, the capture shows
the error box naming the file,
Vistrane keeps running and passes the notice on; a copy taken while the box
is open (the folder repaired meanwhile) is written once the box is closed,
not in the middle of the failed capture. The counter was used by the failed
file, so the next one is -002."""

import json
import re

from vistrane_e2e import (PatternWindow, Viewer, Vistrane, check, check_no_error_box,
                          expect_capture, scenario, test_settings, today_mmdd)

ERROR_TITLE = "VISTRANE エラーダイアログ"


def main(s, artifacts):
    s.reset_settings(test_settings())
    # Root ignores Linux permissions, so a file takes the folder's place.
    s.reset_output_dir(create=False)
    s.output_dir().write_text("a file where the output folder should be\n")

    with PatternWindow(s, artifacts, (100, 80, 500, 380)), Viewer(s, artifacts) as viewer, \
            Vistrane(s, artifacts) as vistrane:
        # The start-up, done now, said nothing.
        check_no_error_box(s)
        seen = len(viewer.notices())
        s.screencopy("--save", s.win_path(artifacts / "failed.bmp"))
        report = s.vtest_json("msgbox", "--timeout", "20")
        s.screenshot(artifacts / "error-box.png")
        (artifacts / "error-box.json").write_text(json.dumps(report, ensure_ascii=False),
                                                  encoding="utf-8")
        check(report["title"] == ERROR_TITLE and report["icon"] == "exclamation"
              and report["buttons"] == ["OK"], f"the error box is {report}")
        name = f"Vstrn{today_mmdd()}-001.bmp"
        check(f"C:\\VstrnTmp\\{name}" in report["text"],
              f"the error text does not name C:\\VstrnTmp\\{name}: {report['text']}")
        check(re.search("[\u3040-\u30ff\u4e00-\u9fff]", report["text"]),
              f"the error text is not Japanese: {report['text']}")

        # A copy taken while the box is open waits for the capture in hand:
        # its notice is passed on at once, its file is written after OK.
        s.reset_output_dir(create=True)
        reference = artifacts / "after-repair.bmp"
        s.screencopy("--save", s.win_path(reference))
        check(len(viewer.wait_notices(seen + 1)) == seen + 1,
              "the notice of the copy taken during the error box was not passed on")
        check(s.output_files() == [],
              f"a capture ran inside the one showing its error: {s.output_files()}")

        s.vtest("msgbox", "--ok")
        check(len(viewer.wait_notices(seen + 2)) == seen + 2,
              "the notice was not passed on after the error")
        check(vistrane.running(), "Vistrane ended after the failed capture")
        s.vtest("wait-window", "VistraneMainForm", "Vistrane", 0)

        name = f"Vstrn{today_mmdd()}-002.bmp"
        expect_capture(s, artifacts, name, reference)
        check(s.output_files() == [name], f"the output folder holds {s.output_files()}")
        check_no_error_box(s)


scenario(main)
