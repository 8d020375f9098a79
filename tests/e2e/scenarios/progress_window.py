#!/usr/bin/env python3
"""After each accepted capture the progress window shows the capture and one
row per enabled output (three rows, two rows, one row; three also when no
output is on), never takes the focus from the window in front, and hides
itself again. Its visibility is followed through the window itself; the
copies of it stay as progress-*.png."""

import shutil
import subprocess

from printing import PdfPrinter
from vistrane_e2e import (EXEC_CLASS, EXEC_TITLE, INSTALL_DIR_WIN, SCREEN_SIZE, Background,
                          PatternWindow, Vistrane, bmp_shape, check, check_no_error_box,
                          expect_capture, scenario, test_settings, today_mmdd, wait_for)
# At the session's 96 dpi a pixel is 15 twips.
CLIENT_SIZE = (358, 157)
BACK = (128, 128, 255)
MONITOR = (64, 64, 64)
GREEN = (0, 204, 153)
ARROW_SHAFT_X = 224       # the arrows' shaft column: left 3240 twips + 8 px
IMAGE1 = (24, 16, 169, 113)  # left, top, width, height
PATTERN_RECT = (200, 150, 700, 550)


class WindowWatch(Background):
    """vtest watch-window on the progress window: a log line each time it
    shows (with a copy of it) or hides."""

    def __init__(self, session, artifacts, name="watch"):
        self.log = artifacts / f"{name}.log"
        self.log.unlink(missing_ok=True)
        self.shots = artifacts / name
        super().__init__(session, artifacts, name, "watch-window", EXEC_CLASS, EXEC_TITLE,
                         session.win_path(self.log), session.win_path(self.shots))
        self._starting(lambda: check(wait_for(lambda: self.lines(), 15), f"{name} did not start"))

    def lines(self):
        return self.log.read_text(encoding="utf-8").splitlines() if self.log.exists() else []

    def wait_line(self, prefix, timeout):
        found = wait_for(lambda: [l for l in self.lines() if l.startswith(prefix)], timeout)
        check(found, f"no '{prefix}' in the watch log: {self.lines()}")
        return found[0]

    def shown(self, number):
        """The 'shown' record as a dict of its fields, and the path of the copy."""
        line = self.wait_line(f"shown {number} ", 20)
        fields = dict(part.split("=", 1) for part in line.split()[2:])
        return fields, self.shots.parent / f"{self.shots.name}-{number}.bmp"


class VistraneWithStandInSender(Vistrane):
    """Vistrane with a stand-in VstnMailSend.exe, a windowed program that ends
    at once: the mail hand-off succeeds with no window in front of the
    progress window."""

    def install(self):
        super().install()
        shutil.copy2(self.session.bin / "vtest_quiet.exe",
                     self.session.c_path(INSTALL_DIR_WIN) / "VstnMailSend.exe")


class Bmp24:
    """A 24-bit bitmap file's pixels as (r, g, b)."""

    def __init__(self, path):
        data = path.read_bytes()
        check(data[:2] == b"BM", f"{path} is not a bitmap file")
        offset = int.from_bytes(data[10:14], "little")
        self.width = int.from_bytes(data[18:22], "little", signed=True)
        height = int.from_bytes(data[22:26], "little", signed=True)
        self.height = abs(height)
        self.bottom_up = height > 0
        self.stride = (self.width * 3 + 3) & ~3
        self.data = data[offset:]

    def pixel(self, x, y):
        row = self.height - 1 - y if self.bottom_up else y
        i = row * self.stride + x * 3
        b, g, r = self.data[i:i + 3]
        return r, g, b


def green_runs(image, x, left, top, height):
    """Centres (client y) of the vertical runs of arrow green in column x."""
    runs, start = [], None
    for y in range(height + 1):
        green = y < height and image.pixel(left + x, top + y) == GREEN
        if green and start is None:
            start = y
        elif not green and start is not None:
            runs.append((start + y - 1) / 2)
            start = None
    return runs


def check_form(s, artifacts, watch, number, row_tops, name):
    fields, shot = watch.shown(number)
    left, top, width, height = map(int, fields["client"].split(","))
    subprocess.run(["convert", str(shot), str(artifacts / f"{name}.png")], check=True, timeout=60)
    check((width, height) == CLIENT_SIZE, f"client area {width}x{height}, wanted {CLIENT_SIZE}")
    wl, wt, wr, wb = map(int, fields["window"].split(","))
    centre = ((wl + wr) // 2, (wt + wb) // 2)
    check(all(abs(c - s // 2) <= 1 for c, s in zip(centre, SCREEN_SIZE)),
          f"the window {fields['window']} is not centred on the screen")
    check(fields["foreground"] == "VistraneTestPattern",
          f"the foreground was {fields['foreground']} while the progress window showed")

    image = Bmp24(shot)
    at = lambda x, y: image.pixel(left + x, top + y)
    check(at(4, 4) == BACK, f"background {at(4, 4)}")
    check(at(16, 70) == MONITOR and at(100, 8) == MONITOR, "the monitor frame is not drawn")
    check(at(108, 140) == MONITOR and at(60, 148) == MONITOR, "the neck or foot is not drawn")
    il, it, iw, ih = IMAGE1
    colours = {at(x, y) for x in range(il, il + iw, 7) for y in range(it, it + ih, 7)}
    check(len(colours) >= 8, f"Image1 does not show the capture ({len(colours)} colours)")
    # Each shown row's arrow shaft is a run of green centred 24.5 px below its top.
    runs = green_runs(image, ARROW_SHAFT_X, left, top, height)
    expected = [round(t / 15) + 24.5 for t in row_tops]
    check(len(runs) == len(expected) and all(abs(r - e) <= 2 for r, e in zip(runs, expected)),
          f"arrow rows centred at {runs}, wanted {expected}")


def run_case(s, artifacts, case, settings, row_tops, shot_name, after_capture=None,
             program=Vistrane):
    s.reset_settings(test_settings(**settings))
    s.reset_output_dir()
    with PatternWindow(s, artifacts, PATTERN_RECT, name=f"pattern-{case}"), \
            program(s, artifacts), WindowWatch(s, artifacts, name=f"watch-{case}") as watch:
        reference = artifacts / f"clipboard-{case}.bmp"
        s.screencopy("--save", s.win_path(reference))
        check_form(s, artifacts, watch, 1, row_tops, shot_name)
        if after_capture:
            after_capture(reference)
        watch.wait_line("hidden 1", 20)
        check(s.vtest("wait-window", EXEC_CLASS, EXEC_TITLE, 0) != "",
              "the progress window was unloaded instead of hidden")
        check_no_error_box(s)


def main(s, artifacts):
    mmdd = today_mmdd()

    # File, printer and mail: three rows (the page goes to the session's VPDF).
    printer = PdfPrinter(s)
    printer.clear()

    def all_three_done(reference):
        expect_capture(s, artifacts, f"Vstrn{mmdd}-001.bmp", reference)
        printer.wait_job()

    run_case(s, artifacts, "all", {"PrtOutputMode": 1, "MailSendMode": 1}, [120, 840, 1560],
             "progress-3-rows", after_capture=all_three_done, program=VistraneWithStandInSender)

    # No output switched on (hand-edited settings): all three rows show too.
    run_case(s, artifacts, "none", {"FileOutputMode": 0}, [120, 840, 1560],
             "progress-3-rows-no-output")
    check(s.output_files() == [], f"nothing switched on, yet {s.output_files()}")

    # File and mail: two rows.
    def mail_copy_handed_on(reference):
        expect_capture(s, artifacts, f"Vstrn{mmdd}-001.bmp", reference)
        check(wait_for(lambda: s.read_settings().get("tmpfile"), 10),
              "the mail copy was not handed on")

    run_case(s, artifacts, "file-mail", {"MailSendMode": 1}, [480, 1240], "progress-2-rows",
             after_capture=mail_copy_handed_on, program=VistraneWithStandInSender)

    # File only: one row. The window copy that follows is still a copy of
    # the window in front: the progress window did not take the focus.
    def window_copy(reference):
        expect_capture(s, artifacts, f"Vstrn{mmdd}-001.bmp", reference)
        second = artifacts / "clipboard-window.bmp"
        s.screencopy("--window", "--save", s.win_path(second))
        l, t, r, b = PATTERN_RECT
        check(bmp_shape(second)[:2] == (r - l, b - t),
              f"the window copy is {bmp_shape(second)[:2]}: not the window in front")
        expect_capture(s, artifacts, f"Vstrn{mmdd}-002.bmp", second)

    run_case(s, artifacts, "file", {}, [840], "progress-1-row", after_capture=window_copy)


scenario(main)
