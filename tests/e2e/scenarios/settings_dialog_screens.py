#!/usr/bin/env python3
"""The settings dialog at 144 dpi (Wine's LogPixels): the client area is
8985 x 5145 twips, the three file types fit in their frame, and each of the
three tabs is kept as a picture for a reviewer (the settings_dialog scenario
does the same at 96 dpi)."""

from setting_dialog import SettingDialog
from vistrane_e2e import Vistrane, check, check_no_error_box, scenario, test_settings

DESKTOP_KEY = r"HKCU\Control Panel\Desktop"


def set_dpi(s, dpi):
    result = s.run("reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d",
                   str(dpi), "/f")
    check(result.returncode == 0, f"reg add LogPixels: {result.stdout}{result.stderr}")


def main(s, artifacts):
    s.reset_settings(test_settings())
    set_dpi(s, 144)
    try:
        with Vistrane(s, artifacts) as vistrane:
            d = SettingDialog(s, vistrane)
            d.pop_setting()
            d.check_layout(artifacts, 144)
            d.keys("escape")
            d.wait_closed()
            check_no_error_box(s)
    finally:
        set_dpi(s, 96)


scenario(main)
