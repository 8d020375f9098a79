#!/usr/bin/env python3
"""A bitmap owned by the desktop window is written whatever its size, with
no check against the screen or the foreground window."""

from vistrane_e2e import (PatternWindow, Vistrane, check, check_no_error_box, expect_capture,
                          scenario, test_settings, today_mmdd)


def main(s, artifacts):
    s.reset_settings(test_settings())
    s.reset_output_dir()
    names = []
    with PatternWindow(s, artifacts, (100, 80, 500, 380)), Vistrane(s, artifacts):
        for number, size in ((1, "123x45"), (2, "1500x20")):
            reference = artifacts / f"desktop-{size}.bmp"
            s.screencopy("--owner", "desktop", "--size", size, "--save", s.win_path(reference))
            names.append(f"Vstrn{today_mmdd()}-{number:03}.bmp")
            expect_capture(s, artifacts, names[-1], reference)
        check(s.output_files() == names, f"the output folder holds {s.output_files()}")
        check_no_error_box(s)


scenario(main)
