#!/usr/bin/env python3
"""Mail on and no VstnMailSend.exe beside Vistrane.exe: the normal file and
the mail copy C:\\VstrnTmp\\VstrnML-hhmmss.bmp are written first, tmpfile names
the mail copy, then the error box says the sender was not found. With the
file output off the mail copy is the only file written."""

import datetime
import re

from vistrane_e2e import (PatternWindow, Viewer, Vistrane, check, check_no_error_box,
                          expect_capture, expect_error_box, scenario, test_settings, today_mmdd)

MESSAGE = "VstnMailSend.exeが見つかりませんでした。"


def main(s, artifacts):
    s.reset_settings(test_settings(MailSendMode=1))
    s.reset_output_dir()

    with PatternWindow(s, artifacts, (100, 80, 500, 380)), Viewer(s, artifacts) as viewer, \
            Vistrane(s, artifacts) as vistrane:
        seen = len(viewer.notices())
        started = datetime.datetime.now().replace(microsecond=0)
        reference = artifacts / "clipboard.bmp"
        s.screencopy("--save", s.win_path(reference))
        report = expect_error_box(s, artifacts, "error-box")
        ended = datetime.datetime.now()
        check(report["text"] == MESSAGE, f"the error box is {report}")

        # While the box is up both files are already there.
        normal = f"Vstrn{today_mmdd()}-001.bmp"
        mail = [n for n in s.output_files() if re.fullmatch(r"VstrnML-\d{6}\.bmp", n)]
        check(sorted(s.output_files()) == sorted([normal] + mail) and len(mail) == 1,
              f"the output folder holds {s.output_files()}")
        stamp = datetime.datetime.combine(started.date(),
                                          datetime.datetime.strptime(mail[0][8:14], "%H%M%S").time())
        check(started <= stamp <= ended, f"{mail[0]} is not stamped with the capture's time")
        expect_capture(s, artifacts, normal, reference)
        expect_capture(s, artifacts, mail[0], reference)
        tmpfile = s.read_settings().get("tmpfile")
        check(tmpfile == ("REG_SZ", f"C:\\VstrnTmp\\{mail[0]}"), f"tmpfile is {tmpfile}")

        s.vtest("msgbox", "--ok")
        check(len(viewer.wait_notices(seen + 1)) == seen + 1,
              "the notice was not passed on after the message")
        check(vistrane.running(), "Vistrane ended after the message")
        check_no_error_box(s)

    s.reset_settings(test_settings(MailSendMode=1, FileOutputMode=0))
    s.reset_output_dir()
    with PatternWindow(s, artifacts, (100, 80, 500, 380)), Vistrane(s, artifacts):
        reference = artifacts / "clipboard-mail-only.bmp"
        s.screencopy("--save", s.win_path(reference))
        report = expect_error_box(s, artifacts, "error-box-mail-only")
        check(report["text"] == MESSAGE, f"the error box is {report}")
        mail = s.output_files()
        check(len(mail) == 1 and re.fullmatch(r"VstrnML-\d{6}\.bmp", mail[0]),
              f"with the file output off the output folder holds {mail}")
        expect_capture(s, artifacts, mail[0], reference)
        tmpfile = s.read_settings().get("tmpfile")
        check(tmpfile == ("REG_SZ", f"C:\\VstrnTmp\\{mail[0]}"), f"tmpfile is {tmpfile}")
        s.vtest("msgbox", "--ok")
        check_no_error_box(s)


scenario(main)
