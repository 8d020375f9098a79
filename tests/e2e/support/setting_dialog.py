"""The settings dialog frmSetting, opened from the tray menu and worked
through its controls with real clicks and keys (vtest click, keys, type)."""

import re
import subprocess
from pathlib import Path

from vistrane_e2e import EXEC_CLASS, EXEC_TITLE, check, wait_for

DIALOG_CLASS = "VistraneSettingForm"
DIALOG_TITLE = "Vistrane 設定画面"
CONTROL_IDS = Path(__file__).resolve().parents[3] / "resident" / "settings_dialog" / "control_ids.h"


def control_ids():
    """name -> id, read from the header the program is built with."""
    ids = dict(re.findall(r"^\s*(\w+) = (\d+),", CONTROL_IDS.read_text(encoding="utf-8"),
                          re.MULTILINE))
    check(ids, f"no control ids in {CONTROL_IDS}")
    return {name: int(number) for name, number in ids.items()}


IDS = control_ids()


class SettingDialog:
    def __init__(self, session, vistrane):
        self.s = session
        self.vistrane = vistrane
        self.state = None  # the last dump; the controls keep their places while it is open

    def pop_setting(self):
        """Chooses "Vistrane設定", the tray menu's first item; returns the dialog's state."""
        self.vistrane.open_tray_menu()
        self.s.later("menu-keys", "down", "return")
        return self.dump(timeout=15)

    def store_options(self, *names, tab=None):
        """Opens the dialog, clicks these option buttons (on this tab, when
        given) and stores them with OK, so the running program and the
        registry both hold them."""
        self.pop_setting()
        if tab is not None:
            self.show_tab(tab)
        for name in names:
            # Under Wine's X11 driver the first click on a dialog that has just
            # been mapped is sometimes lost (the button shows the hover but
            # stays unchecked); a second click on an option button changes
            # nothing else, so it is repeated until the button is checked.
            for _ in range(3):
                self.click(name)
                if self.control(name)["checked"]:
                    break
            check(self.control(name)["checked"], f"{name} is not checked after three clicks")
        self.click("btnOK")
        self.wait_closed()

    def dump(self, timeout=5):
        self.state = self.s.vtest_json("dlg-dump", "--timeout", str(timeout), DIALOG_CLASS,
                                       DIALOG_TITLE)
        return self.state

    def is_open(self):
        return self.s.vtest("wait-window", DIALOG_CLASS, DIALOG_TITLE, 0, expect=None) != ""

    def wait_closed(self, timeout=10):
        self.s.vtest("wait-window", "--gone", DIALOG_CLASS, DIALOG_TITLE, timeout)

    def control(self, name, state=None):
        return (state or self.dump())["controls"][str(IDS[name])]

    def focus(self, state=None):
        focused = (state or self.dump())["focus"]
        names = [name for name, number in IDS.items() if number == focused]
        return names[0] if names else focused

    def click(self, name, double=False, at=(0.5, 0.5)):
        left, top, right, bottom = self.control(name, self.state)["rect"]
        self._click(int(left + (right - left) * at[0]), int(top + (bottom - top) * at[1]), double)

    def _click(self, x, y, double=False):
        """A click on the dialog, once the progress window of a capture, which
        shows in front of it for a moment, has gone."""
        self.s.later("wait-window", "--gone", "--shown", EXEC_CLASS, EXEC_TITLE, 10)
        self.s.later("click", *(["--double"] if double else []), x, y)

    def keys(self, *strokes):
        self.s.later("keys", *strokes)

    def type(self, text):
        self.s.later("type", text)

    def replace_text(self, name, text):
        """Clicks into the text box, empties it and types the text (the focus stays)."""
        self.click(name)
        self.keys("end", *(["shift+home"]), "delete")
        if text:
            self.type(text)

    def show_tab(self, index):
        """Selects a tab with the keyboard, as a user on the tab strip does."""
        current = self.control("SSTab1", self.state)["selected"]
        self.click("SSTab1", at=(0.05, 0.5))  # the first tab's caption
        if index:
            self.keys(*(["right"] * index))
        check(self.control("SSTab1")["selected"] == index, f"tab {index} did not open "
                                                            f"(tab {current} was shown)")

    def checked(self, state, *names):
        """The names among `names` whose option button is checked."""
        return [n for n in names if self.control(n, state)["checked"]]

    def wait_focus(self, name, timeout=5):
        return wait_for(lambda: self.focus() == name, timeout)

    def click_list_item(self, name, index, double=False):
        """Clicks the entry of a list box; entries are of equal height."""
        control = self.control(name, self.state)
        left, top, right, bottom = control["rect"]
        rows = control["item_height"]
        self._click(left + 30, top + 2 + rows * index + rows // 2, double)

    def check_layout(self, artifacts, dpi):
        """At `dpi` (Wine's LogPixels) the client area is 8985 x 5145 twips and
        the three file types fit in their frame; each tab is kept as a picture
        for a reviewer, cut from the screen: settings-dialog-<dpi>dpi-tab<N>.png."""
        state = self.dump()
        left, top, right, bottom = state["client"]
        expected = (round(8985 * dpi / 1440), round(5145 * dpi / 1440))
        check(abs(right - left - expected[0]) <= 1 and abs(bottom - top - expected[1]) <= 1,
              f"{dpi} dpi: client area {right - left}x{bottom - top}, expected {expected}")
        frame = self.control("frmFileType", state)["rect"]
        for name in ("rbtnBit", "rbtnJPEG", "rbtnPNG"):
            button = self.control(name, state)["rect"]
            check(frame[0] < button[0] and button[2] < frame[2],
                  f"{dpi} dpi: {name} {button} is not inside its frame {frame}")
        for tab in (0, 1, 2):
            self.show_tab(tab)
            screen = artifacts / f"screen-{dpi}-{tab}.png"
            self.s.screenshot(screen)
            left, top, right, bottom = self.dump()["rect"]
            subprocess.run(["convert", str(screen), "-crop",
                            f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
                            str(artifacts / f"settings-dialog-{dpi}dpi-tab{tab}.png")],
                           check=True, timeout=60)
            screen.unlink()
