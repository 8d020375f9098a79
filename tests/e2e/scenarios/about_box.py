#!/usr/bin/env python3
"""The about box, opened from the tray menu: its caption, the For line and the
OK button where the design puts them, the names of the session's user and
computer read when it loads, one window however often it is opened (an open
box is not refreshed), captures while it is open, and OK and the title bar's
close button and Esc each ending it so that the next opening reads the names again.
Quitting through the tray menu closes an open box too."""

from vistrane_e2e import (MAIN_CLASS, MAIN_TITLE, Vistrane, check, expect_capture, scenario,
                          test_settings, today_mmdd)

VERSION_CLASS = "VistraneVersionForm"
VERSION_TITLE = "Vistrane ﾊﾞｰｼﾞｮﾝ情報"
COMPUTER_NAME_KEY = r"HKLM\System\CurrentControlSet\Control\ComputerName\ActiveComputerName"
OTHER_COMPUTER = "VTESTRENAMED"
OK_ID = 1  # IDOK

# Where the design's twips put each control at the session's 96 dpi (15 twips
# a pixel): client area 6240 x 2280, Lbl_For at 3600, 240, Lbl_Computer at
# 2040, 1440, Lbl_User at 2040, 1680, btnOK at 240, 1560 (1455 x 375).
CLIENT = [416, 152]
FOR_AT = (240, 16)
MAIL_AT = (192, 56)  # lbl_Mail at 2880, 840: it names no contact
COMPUTER_AT = (136, 96)
USER_AT = (136, 112)
OK_RECT = [16, 104, 113, 129]


def session_names(s):
    """The user and computer names as Wine records them for the session."""
    user = s.vtest_json("reg-dump", r"HKCU\Volatile Environment").get("USERNAME")
    computer = s.vtest_json("reg-dump", COMPUTER_NAME_KEY).get("ComputerName")
    check(user and computer, f"the session's names: user {user}, computer {computer}")
    return user["data"], computer["data"]


def open_about(s, vistrane):
    """Chooses the about item in the tray menu; returns the box's state."""
    vistrane.open_tray_menu()
    # From the end of the menu: Quit, then the about item (separators are skipped).
    s.vtest("menu-keys", "up", "up", "return")
    return s.vtest_json("dlg-dump", "--timeout", "10", VERSION_CLASS, VERSION_TITLE)


def client_rect(box, control):
    """The control's rectangle in the box's client pixels."""
    left, top = box["client"][:2]
    l, t, r, b = control["rect"]
    return [l - left, t - top, r - left, b - top]


def text_at(box, at):
    found = [c["text"] for c in box["controls"].values() if tuple(client_rect(box, c)[:2]) == at]
    check(len(found) == 1, f"no single control at {at}: {box['controls']}")
    return found[0]


def expect_box(box, user, computer):
    check(box["windows"] == 1, f"{box['windows']} about boxes are showing")
    left, top, right, bottom = box["client"]
    check([right - left, bottom - top] == CLIENT, f"client area {box['client']}, expected {CLIENT}")
    check(text_at(box, FOR_AT) == "For WindowsXP/2000/NT/Me/98", "the For line")
    check(text_at(box, MAIL_AT) == "", f"the contact line names {text_at(box, MAIL_AT)!r}")
    check(text_at(box, COMPUTER_AT) == computer,
          f"computer label {text_at(box, COMPUTER_AT)!r}, expected {computer!r}")
    check(text_at(box, USER_AT) == user, f"user label {text_at(box, USER_AT)!r}, expected {user!r}")
    ok = box["controls"].get(str(OK_ID))
    check(ok and ok["text"] == "O K" and client_rect(box, ok) == OK_RECT, f"the OK button: {ok}")


def expect_closed(s):
    s.vtest("wait-window", "--gone", VERSION_CLASS, "-", 10)


def main(s, artifacts):
    s.reset_settings(test_settings())
    s.reset_output_dir()
    user, computer = session_names(s)
    with Vistrane(s, artifacts) as vistrane:
        first = open_about(s, vistrane)
        expect_box(first, user, computer)
        s.screenshot(artifacts / "about-box.png")

        reference = artifacts / "clipboard.bmp"
        s.screencopy("--save", s.win_path(reference))
        expect_capture(s, artifacts, f"Vstrn{today_mmdd()}-001.bmp", reference)

        s.vtest("reg-set", COMPUTER_NAME_KEY, f"ComputerName={OTHER_COMPUTER}")
        try:
            again = open_about(s, vistrane)
            check(again["hwnd"] == first["hwnd"], "a second opening made another window")
            expect_box(again, user, computer)

            s.vtest("press", VERSION_CLASS, VERSION_TITLE, OK_ID)
            expect_closed(s)
            after_ok = open_about(s, vistrane)
            check(after_ok["hwnd"] != first["hwnd"], "the box after OK is the old window")
            expect_box(after_ok, user, OTHER_COMPUTER)
        finally:
            s.vtest("reg-set", COMPUTER_NAME_KEY, f"ComputerName={computer}")

        s.vtest("close", VERSION_CLASS, VERSION_TITLE)
        expect_closed(s)
        expect_box(open_about(s, vistrane), user, computer)
        s.vtest("keys", "escape")
        expect_closed(s)
        expect_box(open_about(s, vistrane), user, computer)

        vistrane.quit_via_tray()
        expect_closed(s)
    s.vtest("wait-window", "--gone", MAIN_CLASS, MAIN_TITLE, 0)


scenario(main)
