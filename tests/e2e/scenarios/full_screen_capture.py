#!/usr/bin/env python3
"""A copy of the whole screen, as the screen-copy key leaves it on the
clipboard, is written as C:\\VstrnTmp\\Vstrn<mmdd>-001.bmp with the screen's
pixels; the next one as -002, and the counter is kept in the store."""

from vistrane_e2e import (PatternWindow, Viewer, Vistrane, check, check_no_error_box,
                          expect_capture, scenario, test_settings, today_mmdd, today_yyyymmdd)


def main(s, artifacts):
    s.reset_settings(test_settings())
    s.reset_output_dir()
    names = []
    with PatternWindow(s, artifacts, (200, 150, 700, 550)), Viewer(s, artifacts) as viewer, \
            Vistrane(s, artifacts):
        for number in (1, 2):
            reference = artifacts / f"clipboard-{number}.bmp"
            seen = len(viewer.notices())
            s.screencopy("--save", s.win_path(reference))
            name = f"Vstrn{today_mmdd()}-{number:03}.bmp"
            expect_capture(s, artifacts, name, reference)
            names.append(name)
            # Vistrane passes the notice on once its capture is done.
            check(len(viewer.wait_notices(seen + 1)) == seen + 1,
                  f"the viewer behind Vistrane got {viewer.notices()[seen:]}")
        check(s.output_files() == names, f"the output folder holds {s.output_files()}")
        check_no_error_box(s)
        settings = s.read_settings()
        check(settings["SaveCont"] == ("REG_SZ", "2"), f"SaveCont is {settings['SaveCont']}")
        check(settings["GDate"] == ("REG_SZ", today_yyyymmdd()), f"GDate is {settings['GDate']}")


scenario(main)
