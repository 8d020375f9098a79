#!/usr/bin/env python3
"""Vistrane as a member of the clipboard-viewer chain: viewers that joined
before it get every notice while it runs, also after viewers behind it leave
(both ways of handling WM_CHANGECBCHAIN); only a right-click opens the tray
menu; after quitting through the menu its window and process are gone and
the chain still reaches the viewer behind it."""

from vistrane_e2e import (MAIN_CLASS, MAIN_TITLE, Viewer, Vistrane, check, expect_capture,
                          scenario, test_settings, today_mmdd)

TEXT_NOTICE = "draw owner=none formats=text"


def expect_notice(viewers, action, notice):
    """Runs the action; each viewer must receive exactly one notice, `notice`."""
    seen = [len(v.notices()) for v in viewers]
    action()
    for viewer, count in zip(viewers, seen):
        got = viewer.wait_notices(count + 1)[count:]
        check(got == [notice], f"{viewer.name} got {got}, expected [{notice!r}]")


def main(s, artifacts):
    s.reset_settings(test_settings())
    s.reset_output_dir()
    copy_text = lambda: s.screencopy("--text", "chain")

    # Joined in this order, the chain is Vistrane -> c -> b -> a.
    with Viewer(s, artifacts, "a") as a, Viewer(s, artifacts, "b") as b, \
            Viewer(s, artifacts, "c") as c:
        with Vistrane(s, artifacts) as vistrane:
            expect_notice([a, b, c], copy_text, TEXT_NOTICE)

            # b is not next to Vistrane: Vistrane must pass WM_CHANGECBCHAIN on to c.
            b.stop()
            check(c.lines()[-1] == "chain next-left", f"c was not told that b left: {c.lines()}")
            expect_notice([a, c], copy_text, TEXT_NOTICE)

            # c is next to Vistrane: Vistrane must now send its notices to a.
            c.stop()
            reference = artifacts / "clipboard.bmp"
            expect_notice([a], lambda: s.screencopy("--save", s.win_path(reference)),
                          "draw owner=none formats=bitmap")
            expect_capture(s, artifacts, f"Vstrn{today_mmdd()}-001.bmp", reference)

            for mouse in ("left", "double", "move"):
                s.vtest("tray-open", "--mouse", mouse, expect=1)
            vistrane.quit_via_tray(screenshot="tray-menu.png")

        s.vtest("wait-window", "--gone", MAIN_CLASS, MAIN_TITLE, 0)
        check(not vistrane.running(), "Vistrane's process still runs")
        expect_notice([a], copy_text, TEXT_NOTICE)


scenario(main)
