#!/usr/bin/env python3
"""Vistrane as a member of the clipboard-viewer chain: viewers that joined
before it get every notice while it runs, also after viewers behind it leave
(both ways of handling WM_CHANGECBCHAIN); only a right-click opens the tray
menu; after quitting through the menu its window and process are gone, the
notification area no longer holds its icon, and the chain still reaches the
viewer behind it."""

from vistrane_e2e import (MAIN_CLASS, MAIN_TITLE, Background, Viewer, Vistrane, check,
                          expect_capture, scenario, test_settings, today_mmdd, wait_for)

TEXT_NOTICE = "draw owner=none formats=text"
TRAY_ICON_ID = 1


class Tray(Background):
    """vtest's notification area in front of Wine's: Wine's drops the icons of
    a destroyed window by itself, so only one that keeps them shows whether
    Vistrane deleted its own."""

    def __init__(self, session, artifacts):
        self.log = artifacts / "tray.log"
        self.log.unlink(missing_ok=True)
        super().__init__(session, artifacts, "tray", "tray", session.win_path(self.log))
        self._starting(lambda: check(wait_for(lambda: "ready" in self.lines(), 15),
                                     "the test's notification area did not start"))

    def lines(self):
        return self.log.read_text(encoding="utf-8").splitlines() if self.log.exists() else []

    def icons(self):
        """The (window, id) pairs it holds, from the requests it granted."""
        held = set()
        for fields in (line.split() for line in self.lines()):
            if len(fields) != 4 or fields[3] != "ok":
                continue
            icon = (int(fields[1]), int(fields[2]))
            if fields[0] == "add":
                held.add(icon)
            elif fields[0] == "delete":
                held.discard(icon)
        return held


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
            Viewer(s, artifacts, "c") as c, Tray(s, artifacts) as tray:
        with Vistrane(s, artifacts) as vistrane:
            window = s.vtest_json("wait-window", MAIN_CLASS, MAIN_TITLE, 0)["window"]
            check(tray.icons() == {(window, TRAY_ICON_ID)},
                  f"the notification area holds {tray.icons()}, not the icon of {window}")
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
        check(tray.icons() == set(), f"the icon stayed after Quit: {tray.lines()}")
        expect_notice([a], copy_text, TEXT_NOTICE)


scenario(main)
