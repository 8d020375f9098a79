#!/usr/bin/env python3
"""A capture with MailSendMode 1 starts VstnMailSend, which hands the mail
client one message: the recipient as display name and address, the subject,
the note and exactly one attachment, the mail copy, which exists at the send
and is gone afterwards. With MailAdd, MailKenmei and MailNote empty the
message goes to "@" with an empty subject and a note of one space. When the
user cancels the send dialog there is no message of VstnMailSend's own and
the mail copy is deleted all the same. When the mail copy's folder has no
form in the ANSI code page and mapi32 offers only the ANSI send, the sender
hands the client no message, says so naming the mail copy, and keeps it."""

import shutil

from mail_client import (CLIENT_NAME, MAIL_KEY, MAPI_USER_ABORT, MailRecorder, ansi_only_mapi,
                         check_one_message, mail_copy_path, recorded_calls, wait_sender_ended)
from vistrane_e2e import (SETTINGS_KEY, PatternWindow, Vistrane, check, check_no_error_box,
                          expect_capture, expect_error_box, scenario, test_settings, today_mmdd,
                          wait_for)

SUBJECT = "画面のコピー, 第1報"
NOTE = "添付の画像をご覧ください。 Vistrane"
KOREAN_FOLDER = "C:\\한국"  # no form in code page 932


def capture_and_mail(s, artifacts, recorder, number):
    """One capture; returns (its reference bitmap, the recorded calls, tmpfile)."""
    seen = len(recorder.calls())
    reference = artifacts / f"clipboard-{number}.bmp"
    s.screencopy("--save", s.win_path(reference))
    expect_capture(s, artifacts, f"Vstrn{today_mmdd()}-{number:03}.bmp", reference)
    calls = recorder.wait_calls(seen + 3)[seen:]
    wait_sender_ended(s)
    return reference, calls, mail_copy_path(s)


def main(s, artifacts):
    recorder = MailRecorder(s)
    s.reset_settings(test_settings(MailSendMode=1, MailComp=0, MailAdd="taro@example.jp",
                                   MailKenmei=SUBJECT, MailNote=NOTE))
    s.reset_output_dir()

    with recorder.kept(artifacts), PatternWindow(s, artifacts, (120, 90, 620, 470)), \
            Vistrane(s, artifacts, companions=["VstnMailSend.exe"]):
        reference, calls, mail_copy = capture_and_mail(s, artifacts, recorder, 1)
        attachment = check_one_message(calls, "taro@example.jp", SUBJECT, NOTE, mail_copy)
        sent = recorder.copy_of(attachment)
        check(s.same_pixels(sent, reference) == 0, "the attached bitmap is not the capture")
        normal = s.output_dir() / f"Vstrn{today_mmdd()}-001.bmp"
        check(sent.read_bytes() == normal.read_bytes(),
              "the attached bitmap differs from the file written for the same capture")
        check(wait_for(lambda: s.output_files() == [normal.name], 10),
              f"after the send the output folder holds {s.output_files()}")
        check_no_error_box(s)

        s.vtest("reg-set", SETTINGS_KEY, "MailAdd=", "MailKenmei=", "MailNote=")
        _, calls, mail_copy = capture_and_mail(s, artifacts, recorder, 2)
        check_one_message(calls, "@", "", " ", mail_copy)
        normal_files = [normal.name, f"Vstrn{today_mmdd()}-002.bmp"]
        check(wait_for(lambda: s.output_files() == normal_files, 10),
              f"after the second send the output folder holds {s.output_files()}")
        check_no_error_box(s)

        s.vtest("reg-set", MAIL_KEY + "\\" + CLIENT_NAME, f"SendResult={MAPI_USER_ABORT}")
        _, calls, mail_copy = capture_and_mail(s, artifacts, recorder, 3)
        check(calls[1]["result"] == MAPI_USER_ABORT, f"the send was not cancelled: {calls[1]}")
        check_one_message(calls, "@", "", " ", mail_copy)
        normal_files.append(f"Vstrn{today_mmdd()}-003.bmp")
        check(wait_for(lambda: s.output_files() == normal_files, 10),
              f"after the cancelled send the output folder holds {s.output_files()}")
        check_no_error_box(s)

    s.reset_settings(test_settings(MailSendMode=1, MailComp=0, FileOutputMode=0,
                                   DirName=KOREAN_FOLDER, MailAdd="taro@example.jp"))
    shutil.rmtree(s.c_path(KOREAN_FOLDER), ignore_errors=True)
    with ansi_only_mapi(s, artifacts) as log, PatternWindow(s, artifacts, (120, 90, 620, 470)), \
            Vistrane(s, artifacts, companions=["VstnMailSend.exe"]):
        s.screencopy()
        report = expect_error_box(s, artifacts, "mail-copy-kept")
        mail_copy = mail_copy_path(s)
        check(mail_copy.startswith(KOREAN_FOLDER + "\\"), f"tmpfile is {mail_copy}")
        text = report["text"]
        check(text.startswith("メールを送信できませんでした。") and
              text.endswith("\n画像ファイルは次の場所に残してあります。\n" + mail_copy),
              f"the message is {text!r}")
        s.vtest("msgbox", "--ok")
        wait_sender_ended(s)
        names = [call["call"] for call in recorded_calls(log)]
        check(names == ["MAPILogon", "MAPILogoff"], f"the calls were {names}")
        check(s.c_path(mail_copy).is_file(), f"{mail_copy} is gone")
        check_no_error_box(s)


scenario(main)
