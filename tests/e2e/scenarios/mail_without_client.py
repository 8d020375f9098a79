#!/usr/bin/env python3
"""With no mail client registered the mail sender's run ends without a
message of its own, and the mail copy is deleted all the same. (Wine's
mapi32 says by itself that there is no mail client; that box is closed.)"""

from mail_client import mail_copy_path, sender_running, unregister_mail_clients, wait_sender_ended
from vistrane_e2e import (PatternWindow, Vistrane, check, check_no_error_box, expect_capture,
                          scenario, test_settings, today_mmdd, wait_for)

# Wine's mapi32 in the session's Japanese locale.
WINE_NOTICE_TITLE = "メール送信"


def wine_notice(s, wait):
    """The report of Wine's notice, waiting up to `wait` seconds; "" when none shows."""
    return s.vtest("msgbox", "--timeout", str(wait), "--title", WINE_NOTICE_TITLE, expect=None)


def main(s, artifacts):
    unregister_mail_clients(s)
    s.reset_settings(test_settings(MailSendMode=1, MailComp=0, MailAdd="taro@example.jp"))
    s.reset_output_dir()
    with PatternWindow(s, artifacts, (100, 80, 500, 380)), \
            Vistrane(s, artifacts, companions=["VstnMailSend.exe"]):
        reference = artifacts / "clipboard.bmp"
        s.screencopy("--save", s.win_path(reference))
        normal = f"Vstrn{today_mmdd()}-001.bmp"
        expect_capture(s, artifacts, normal, reference)
        check(wait_for(lambda: sender_running(s) or s.output_files() == [normal], 20),
              "VstnMailSend did not start")

        # Wine's own notice, when it shows, holds the run at the send; without
        # it the run ends by itself.
        check(wait_for(lambda: not sender_running(s) or wine_notice(s, 1), 30),
              "VstnMailSend neither ended nor showed Wine's notice")
        notice = wine_notice(s, 0)
        if notice:
            (artifacts / "wine-notice.json").write_text(notice, encoding="utf-8")
            s.screenshot(artifacts / "wine-notice.png")
            check_no_error_box(s)
            s.vtest("msgbox", "--title", WINE_NOTICE_TITLE, "--ok")

        wait_sender_ended(s)
        check_no_error_box(s)
        check(mail_copy_path(s).startswith("C:\\VstrnTmp\\VstrnML-"), "tmpfile names no mail copy")
        check(wait_for(lambda: s.output_files() == [normal], 10),
              f"the mail copy is still there: {s.output_files()}")


scenario(main)
