#!/usr/bin/env python3
"""The output folder in the settings dialog, and captures taken while it is
open. Choosing another drive makes its root the folder; a single click in
the folder list only highlights, Enter or a double click opens the folder;
the preview follows. A screen copy taken while the dialog is open goes to the
edited folder in the edited colour mode, before OK; Cancel then leaves the
stored folder as it was. An output folder deleted while the program runs is
replaced by the drive when the dialog opens, in the store too, even when the
dialog is cancelled."""

import os
import shutil

from setting_dialog import SettingDialog
from vistrane_e2e import (Vistrane, bmp_shape, check, check_no_error_box, scenario, test_settings,
                          today_mmdd, wait_for)

D_DRIVE = "d:"


def add_drive(s, artifacts):
    """A fixed drive D: whose root is a folder of the artifacts."""
    root = artifacts / "drive-d"
    link = s.prefix / "dosdevices" / D_DRIVE
    if link.is_symlink() and os.readlink(link) == str(root):
        link.unlink()  # left by a run that was stopped by its timeout
    check(not link.exists() and not link.is_symlink(), f"{link} is in use")
    (root / "Caps").mkdir(parents=True)
    (root / "Alpha").mkdir()
    link.symlink_to(root)
    return root, link


def missing_folder_becomes_drive(s, d):
    s.reset_output_dir(create=False)
    state = d.pop_setting()
    check(d.control("lblDirName", state)["text"] == "C:\\Vstrnmmdd-999.bmp",
          f"preview {d.control('lblDirName', state)['text']!r}")
    d.click("btnCancel")
    d.wait_closed()
    stored = s.read_settings()["DirName"][1]
    check(stored == "C:\\", f"the store holds DirName {stored!r} after Cancel")


def drive_and_folder(s, d, root):
    state = d.pop_setting()
    drives = d.control("drvBox", state)["items"]
    check(drives[:2] == ["C:\\", "D:\\"], f"the drive list is {drives}")
    d.click("drvBox")
    d.keys("down", "return")
    state = d.dump()
    check(d.control("lblDirName", state)["text"] == "D:\\Vstrnmmdd-999.bmp",
          f"after choosing D: the preview is {d.control('lblDirName', state)['text']!r}")
    folders = d.control("dirList", state)
    check(folders["items"] == ["D:\\", "Alpha", "Caps"], f"the folder list is {folders}")
    # A single click highlights "Caps"; the folder is still the root.
    d.click_list_item("dirList", 2)
    check(d.control("lblDirName")["text"] == "D:\\Vstrnmmdd-999.bmp", "a single click opened")
    d.keys("return")
    check(d.is_open(), "Enter in the folder list closed the dialog")
    check(d.control("lblDirName")["text"] == "D:\\Caps\\Vstrnmmdd-999.bmp",
          "Enter did not open the folder")
    check(d.control("dirList")["items"] == ["D:\\", "Caps"], "the list does not show D:\\Caps")
    d.click_list_item("dirList", 0, double=True)
    check(d.control("lblDirName")["text"] == "D:\\Vstrnmmdd-999.bmp", "double click did not open")
    d.click_list_item("dirList", 2, double=True)
    check(d.control("lblDirName")["text"] == "D:\\Caps\\Vstrnmmdd-999.bmp", "preview")


def capture_while_open(s, d, artifacts, root):
    d.click("rbtnColor256")
    # A copy owned by the desktop is taken whatever its size.
    s.screencopy("--owner", "desktop", "--size", "64x48")
    written = root / "Caps" / f"Vstrn{today_mmdd()}-001.bmp"
    check(wait_for(written.is_file, 20),
          f"no capture in D:\\Caps; it holds {sorted(root.rglob('*'))}")
    shutil.copy2(written, artifacts / written.name)
    check(bmp_shape(written) == (64, 48, 8), f"the capture is {bmp_shape(written)}")
    check(s.output_files() == [], f"C:\\VstrnTmp holds {s.output_files()}")
    d.click("btnCancel")
    d.wait_closed()
    stored = s.read_settings()
    check((stored["Drive"][1], stored["DirName"][1], stored["ColorMode"][1]) ==
          ("C:\\", "C:\\VstrnTmp", "1"), f"Cancel left {stored['DirName']}")


def main(s, artifacts):
    s.reset_settings(test_settings())
    s.reset_output_dir()
    root, link = add_drive(s, artifacts)
    try:
        with Vistrane(s, artifacts) as vistrane:
            d = SettingDialog(s, vistrane)
            drive_and_folder(s, d, root)
            capture_while_open(s, d, artifacts, root)
            missing_folder_becomes_drive(s, d)
            check_no_error_box(s)
    finally:
        link.unlink()


scenario(main)
