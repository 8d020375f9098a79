#!/usr/bin/env python3
"""With no mail client registered the mail sender asks no mail client at all
(Wine's "no mail client" notice never shows): it writes the message as a draft
e-mail file beside the capture, named after the mail copy with ".eml", and
opens it with the program registered for such files. The draft holds the
stored recipient, Japanese subject and note, and the LHA archive of the mail
copy, which lhasa extracts to the bitmap written for the same capture. The
mail copy and its archive are gone; the draft stays. Without a program for
".eml" files, Explorer shows the draft and a message says where it is."""

import subprocess

from mail_client import (DraftOpener, file_name, install_recorder, mail_copy_path,
                         unregister_mail_clients, wait_sender_ended)
from vistrane_e2e import (PatternWindow, Vistrane, check, check_no_error_box, expect_capture,
                          expect_error_box, scenario, test_settings, today_mmdd, wait_for)

SUBJECT = "画面のコピー（下書き）"
NOTE = "メールソフトがなくても送れます。"
# Wine's mapi32 in the session's Japanese locale.
WINE_NOTICE_TITLE = "メール送信"
EXPLORER_CLASS = "ExplorerWClass"  # Wine's Explorer window
DRAFT_SAVED = ("メールソフトに渡せなかったので、メールを下書きのファイルに保存しました。"
               "このファイルは、どのメールソフトでも開いて送信できます。\n")


def main(s, artifacts):
    unregister_mail_clients(s)
    opener = DraftOpener(s, install_recorder(s))
    s.reset_settings(test_settings(MailSendMode=1, MailComp=1, OutputFileMode=1,
                                   MailAdd="taro@example.jp", MailKenmei=SUBJECT, MailNote=NOTE))
    s.reset_output_dir()
    with PatternWindow(s, artifacts, (100, 80, 500, 380)), \
            Vistrane(s, artifacts, companions=["VstnMailSend.exe", "UnLHA32.dll"]):
        reference = artifacts / "clipboard.bmp"
        s.screencopy("--save", s.win_path(reference))
        normal = expect_capture(s, artifacts, f"Vstrn{today_mmdd()}-001.bmp", reference)
        mail_copy, draft, archive = opener.check(s, 1, "taro@example.jp", SUBJECT, NOTE, ".lzh")

        extracted = artifacts / "extracted"
        extracted.mkdir()
        (artifacts / "attachment.lzh").write_bytes(archive)
        subprocess.run(["lhasa", "x", artifacts / "attachment.lzh"], cwd=extracted, check=True,
                       capture_output=True, timeout=60)
        members = sorted(extracted.iterdir())
        check([m.name for m in members] == [file_name(mail_copy)],
              f"the archive holds {[m.name for m in members]}")
        check(members[0].read_bytes() == normal.read_bytes(),
              "the bitmap in the draft's archive differs from the file written for the capture")
        check(wait_for(lambda: s.output_files() == sorted([normal.name, file_name(draft)]), 10),
              f"after the run the output folder holds {s.output_files()}")
        check_no_error_box(s)
        notice = s.vtest("msgbox", "--timeout", "0", "--title", WINE_NOTICE_TITLE, expect=None)
        check(notice == "", f"Wine's notice showed: {notice}")

        s.run("reg", "delete", r"HKCR\.eml", "/f")
        s.screencopy()
        report = expect_error_box(s, artifacts, "draft-in-folder")
        draft = mail_copy_path(s)[:-4] + ".eml"
        check(report["text"] == DRAFT_SAVED + draft, f"the message is {report['text']!r}")
        s.vtest("msgbox", "--ok")
        wait_sender_ended(s)
        check(s.c_path(draft).is_file(), f"{draft} is missing")
        s.vtest("wait-window", EXPLORER_CLASS, "-", 20)
        s.screenshot(artifacts / "explorer.png")
        s.vtest("close", EXPLORER_CLASS, "-")
        s.vtest("wait-window", "--gone", EXPLORER_CLASS, "-", 10)


scenario(main)
