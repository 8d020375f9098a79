#!/usr/bin/env python3
"""Clipboard changes that are not screen copies write nothing: a bitmap an
application owns, texts, and an ownerless bitmap that matches neither the
screen nor the foreground window. A copy of the foreground window is
written, also when the window reaches past the screen's edges."""

from vistrane_e2e import (PatternWindow, Viewer, Vistrane, check, check_no_error_box,
                          check_stays, expect_capture, scenario, test_settings, today_mmdd)

REJECTED = [
    ("an application-owned copy of the screen", ["--owner", "app", "--hold", "1"],
     "draw owner=window:VistraneScreencopyOwner formats=bitmap"),
    ("an application-owned text", ["--owner", "app", "--hold", "1", "--text", "文字列"],
     "draw owner=window:VistraneScreencopyOwner formats=text"),
    ("an ownerless text", ["--text", "ownerless"], "draw owner=none formats=text"),
    ("a desktop-owned text", ["--owner", "desktop", "--text", "desktop"],
     "draw owner=desktop formats=text"),
    ("an ownerless 300x200 bitmap", ["--size", "300x200"], "draw owner=none formats=bitmap"),
]


def main(s, artifacts):
    s.reset_settings(test_settings())
    s.reset_output_dir()
    with PatternWindow(s, artifacts, (100, 80, 500, 380)), Viewer(s, artifacts) as viewer, \
            Vistrane(s, artifacts):
        for what, args, notice in REJECTED:
            seen = len(viewer.notices())
            s.screencopy(*args)
            # The notice reaches the viewer after Vistrane has handled it.
            got = viewer.wait_notices(seen + 1)[seen:]
            check(got == [notice], f"{what}: the viewer behind Vistrane got {got}")
            check_stays(lambda: s.output_files() == [],
                        lambda: f"{what} was written: {s.output_files()}")
            check_no_error_box(s)

        reference = artifacts / "window.bmp"
        s.screencopy("--window", "--save", s.win_path(reference))
        expect_capture(s, artifacts, f"Vstrn{today_mmdd()}-001.bmp", reference)

        # A maximised window's rectangle reaches past the screen; its copy is
        # the rectangle clamped to the screen: 1024x740 here.
        with PatternWindow(s, artifacts, (-4, -4, 1028, 740), name="maximised"):
            reference = artifacts / "maximised.bmp"
            seen = len(viewer.notices())
            s.screencopy("--window", "--save", s.win_path(reference))
            expect_capture(s, artifacts, f"Vstrn{today_mmdd()}-002.bmp", reference)
            viewer.wait_notices(seen + 1)
        names = [f"Vstrn{today_mmdd()}-001.bmp", f"Vstrn{today_mmdd()}-002.bmp"]
        check_stays(lambda: s.output_files() == names,
                    lambda: f"the output folder holds {s.output_files()}")


scenario(main)
