#!/usr/bin/env python3
"""An output folder that cannot take files (a plain file named C:\\VstrnTmp):
the start-up takes the name as existing and says nothing, the capture shows
the error box naming the file,
Vistrane keeps running and passes the notice on; a copy taken while the box
is open (the folder repaired meanwhile) is written once the box is closed,
not in the middle of the failed capture. The counter was used by the failed
file, so the next one is -002.

An output folder below that file cannot be created: the start-up says so,
and a copy taken while its box is open (the folder made meanwhile) waits
until the start-up has finished: before OK no file and no second box, after
it the file -001 and no message."""

import json
import re

from vistrane_e2e import (ERROR_TITLE, Failure, PatternWindow, Viewer, Vistrane, check,
                          check_no_error_box, check_stays, expect_capture, expect_error_box,
                          scenario, test_settings, today_mmdd)


def put_file_in_place_of_output_folder(s):
    # Root ignores Linux permissions, so a file takes the folder's place.
    s.reset_output_dir(create=False)
    s.output_dir().write_text("a file where the output folder should be\n")


def error_boxes(s):
    report = s.vtest("dlg-dump", "--timeout", "0", "#32770", ERROR_TITLE, expect=None)
    return json.loads(report)["windows"] if report else 0


def main(s, artifacts):
    with PatternWindow(s, artifacts, (100, 80, 500, 380)), Viewer(s, artifacts) as viewer:
        failed_capture(s, artifacts, viewer)
        copy_during_startup_message(s, artifacts, viewer)


def failed_capture(s, artifacts, viewer):
    s.reset_settings(test_settings())
    put_file_in_place_of_output_folder(s)
    with Vistrane(s, artifacts) as vistrane:
        # The start-up, done now, said nothing.
        check_no_error_box(s)
        seen = len(viewer.notices())
        s.screencopy("--save", s.win_path(artifacts / "failed.bmp"))
        report = expect_error_box(s, artifacts, "error-box")
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


def copy_during_startup_message(s, artifacts, viewer):
    s.reset_settings(test_settings(DirName=r"C:\VstrnTmp\sub"))
    put_file_in_place_of_output_folder(s)
    with Vistrane(s, artifacts, startup_message=True):
        report = expect_error_box(s, artifacts, "startup-box")
        check("出力フォルダ「C:\\VstrnTmp\\sub」を作成できませんでした。" in report["text"],
              f"the start-up's box is {report}")

        # The folder is made while the box is open, so a capture run inside
        # the start-up would leave its file.
        s.reset_output_dir(create=False)
        folder = s.output_dir() / "sub"
        folder.mkdir(parents=True)
        seen = len(viewer.notices())
        reference = artifacts / "during-startup.bmp"
        s.screencopy("--save", s.win_path(reference))

        def inside():
            return (f"a capture ran inside the start-up: the folder holds "
                    f"{s.output_files(folder)}, {error_boxes(s)} boxes are open")

        # A capture run now would hold the notice back behind its own box.
        if len(viewer.wait_notices(seen + 1)) != seen + 1:
            raise Failure(inside())
        check_stays(lambda: s.output_files(folder) == [] and error_boxes(s) == 1, inside)

        s.vtest("msgbox", "--ok")
        name = f"Vstrn{today_mmdd()}-001.bmp"
        expect_capture(s, artifacts, name, reference, folder)
        check_stays(lambda: error_boxes(s) == 0, lambda: "a box came with the capture: "
                    + s.vtest("msgbox", "--timeout", "0", expect=None))
        check(s.output_files(folder) == [name], f"the output folder holds {s.output_files(folder)}")


scenario(main)
