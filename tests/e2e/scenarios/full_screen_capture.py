#!/usr/bin/env python3
"""A copy of the whole screen, as the screen-copy key leaves it on the
clipboard, is written as C:\\VstrnTmp\\Vstrn<mmdd>-001.bmp with the screen's
pixels; the next one as -002, and the counter is kept in the store. A copy
already on the clipboard at start-up is not taken, and with mail off
tmpfile keeps its earlier value."""

from vistrane_e2e import (PatternWindow, Viewer, Vistrane, check, check_no_error_box,
                          check_stays, expect_capture, scenario, test_settings, today_mmdd,
                          today_yyyymmdd)


def capture_twice(s, artifacts, viewer):
    names = []
    for number in (1, 2):
        reference = artifacts / f"clipboard-{number}.bmp"
        seen = len(viewer.notices())
        s.screencopy("--save", s.win_path(reference))
        names.append(f"Vstrn{today_mmdd()}-{number:03}.bmp")
        expect_capture(s, artifacts, names[-1], reference)
        # Vistrane passes the notice on once its capture is done.
        check(len(viewer.wait_notices(seen + 1)) == seen + 1,
              f"the viewer behind Vistrane got {viewer.notices()[seen:]}")
    check(s.output_files() == names, f"the output folder holds {s.output_files()}")


def main(s, artifacts):
    earlier = "C:\\VstrnTmp\\earlier.bmp"
    s.reset_settings(test_settings(tmpfile=earlier))
    s.reset_output_dir()
    with PatternWindow(s, artifacts, (200, 150, 700, 550)), Viewer(s, artifacts) as viewer:
        s.screencopy()
        with Vistrane(s, artifacts):
            # The start-up, done now, has had the notice of the copy in hand.
            check_stays(lambda: s.output_files() == [],
                        lambda: f"the copy made before the start was taken: {s.output_files()}")
            capture_twice(s, artifacts, viewer)
            check_no_error_box(s)
            settings = s.read_settings()
            check(settings["SaveCont"] == ("REG_SZ", "2"), f"SaveCont is {settings['SaveCont']}")
            check(settings["GDate"] == ("REG_SZ", today_yyyymmdd()), f"GDate is {settings['GDate']}")
            check(settings["tmpfile"] == ("REG_SZ", earlier),
                  f"tmpfile is {settings['tmpfile']} with mail off")


scenario(main)
