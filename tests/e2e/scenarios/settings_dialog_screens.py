#!/usr/bin/env python3
"""The settings dialog at 96 and at 144 dpi (Wine's LogPixels): the client
area is 8985 x 5145 twips at either, and each of the three tabs is kept as a
picture for a reviewer, cut from the screen:
settings-dialog-<dpi>dpi-tab<N>.png. The three file types fit in their
frame at either. The days field has the window colour
while automatic deletion is on and the dialog's own colour while it is off."""

import subprocess

from setting_dialog import SettingDialog
from vistrane_e2e import Vistrane, check, check_no_error_box, scenario, test_settings

DESKTOP_KEY = r"HKCU\Control Panel\Desktop"


def set_dpi(s, dpi):
    result = s.run("reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d",
                   str(dpi), "/f")
    check(result.returncode == 0, f"reg add LogPixels: {result.stdout}{result.stderr}")


def cut(screen, rect, path):
    left, top, right, bottom = rect
    subprocess.run(["convert", str(screen), "-crop", f"{right - left}x{bottom - top}+{left}+{top}",
                    "+repage", str(path)], check=True, timeout=60)


def pixel(screen, x, y):
    result = subprocess.run(["convert", str(screen), "-format", f"%[pixel:p{{{x},{y}}}]", "info:"],
                            check=True, capture_output=True, text=True, timeout=60)
    return result.stdout.strip()


def days_background(s, d, artifacts, name):
    """The colour inside the days field, beside the digits, and the page's colour."""
    s.screenshot(artifacts / name)
    left, top, right, bottom = d.control("numAutoDelDate")["rect"]
    inside = pixel(artifacts / name, right - 6, (top + bottom) // 2)
    fl, ft, fr, fb = d.control("frmAutoDelete")["rect"]
    page = pixel(artifacts / name, fr - 4, fb - 4)
    return inside, page


def screens(s, artifacts, dpi):
    s.reset_settings(test_settings())
    with Vistrane(s, artifacts) as vistrane:
        d = SettingDialog(s, vistrane)
        state = d.pop_setting()
        left, top, right, bottom = state["client"]
        expected = (round(8985 * dpi / 1440), round(5145 * dpi / 1440))
        check(abs(right - left - expected[0]) <= 1 and abs(bottom - top - expected[1]) <= 1,
              f"{dpi} dpi: client area {right - left}x{bottom - top}, expected {expected}")
        frame = d.control("frmFileType", state)["rect"]
        for name in ("rbtnBit", "rbtnJPEG", "rbtnPNG"):
            button = d.control(name, state)["rect"]
            check(frame[0] < button[0] and button[2] < frame[2],
                  f"{dpi} dpi: {name} {button} is not inside its frame {frame}")
        for tab in (0, 1, 2):
            d.show_tab(tab)
            screen = artifacts / f"screen-{dpi}-{tab}.png"
            s.screenshot(screen)
            cut(screen, d.dump()["rect"], artifacts / f"settings-dialog-{dpi}dpi-tab{tab}.png")
            screen.unlink()
        if dpi == 96:
            d.show_tab(1)
            inside, page = days_background(s, d, artifacts, "days-enabled.png")
            check(inside != page, f"the enabled days field has the dialog's colour {page}")
            d.click("rbtnAutoDelNo")
            inside, page = days_background(s, d, artifacts, "days-disabled.png")
            check(inside == page, f"the disabled days field is {inside}, the dialog {page}")
        d.keys("escape")
        d.wait_closed()
        check_no_error_box(s)


def main(s, artifacts):
    try:
        for dpi in (96, 144):
            set_dpi(s, dpi)
            screens(s, artifacts, dpi)
    finally:
        set_dpi(s, 96)


scenario(main)
