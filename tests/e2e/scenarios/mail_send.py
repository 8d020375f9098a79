#!/usr/bin/env python3
"""A capture with MailSendMode 1 starts VstnMailSend, which hands the mail
client one message: the recipient as display name and address, the subject,
the note and exactly one attachment, the mail copy, which exists at the send
and is gone afterwards. With MailAdd, MailKenmei and MailNote empty the
message goes to "@" with an empty subject and a note of one space. When the
user cancels the send dialog there is no message of VstnMailSend's own, no
draft, and the mail copy is deleted all the same. When the client answers the
send with a failure, the message becomes a draft e-mail file beside the
capture, opened with the program for such files, with the mail copy attached
and then deleted. So it does when the mail copy's folder has no form in the
ANSI code page and mapi32 offers only the ANSI send: the client gets no
message, the draft is written and opened."""

import shutil

from mail_client import (CLIENT_NAME, MAIL_KEY, MAPI_E_FAILURE, MAPI_USER_ABORT, DraftOpener,
                         MailRecorder, ansi_only_mapi, check_one_message, file_name,
                         mail_copy_path, recorded_calls, wait_sender_ended)
from vistrane_e2e import (SETTINGS_KEY, PatternWindow, Vistrane, check, check_no_error_box,
                          expect_capture, scenario, test_settings, today_mmdd, wait_for)

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
    opener = DraftOpener(s, recorder.folder)
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

        s.vtest("reg-set", SETTINGS_KEY, "MailAdd=taro@example.jp", f"MailKenmei={SUBJECT}",
                f"MailNote={NOTE}")
        s.vtest("reg-set", MAIL_KEY + "\\" + CLIENT_NAME, f"SendResult={MAPI_E_FAILURE}")
        _, calls, _ = capture_and_mail(s, artifacts, recorder, 4)
        check(calls[1]["result"] == MAPI_E_FAILURE, f"the send did not fail: {calls[1]}")
        _, draft, attached = opener.check(s, 1, "taro@example.jp", SUBJECT, NOTE)
        normal_files.append(f"Vstrn{today_mmdd()}-004.bmp")
        check(attached == (s.output_dir() / normal_files[-1]).read_bytes(),
              "the draft's attachment differs from the file written for the same capture")
        normal_files = sorted(normal_files + [file_name(draft)])
        check(wait_for(lambda: s.output_files() == normal_files, 10),
              f"after the failed send the output folder holds {s.output_files()}")
        check_no_error_box(s)

    s.reset_settings(test_settings(MailSendMode=1, MailComp=0, FileOutputMode=0,
                                   DirName=KOREAN_FOLDER, MailAdd="taro@example.jp"))
    shutil.rmtree(s.c_path(KOREAN_FOLDER), ignore_errors=True)
    with ansi_only_mapi(s, artifacts) as log, PatternWindow(s, artifacts, (120, 90, 620, 470)), \
            Vistrane(s, artifacts, companions=["VstnMailSend.exe"]):
        s.screencopy()
        mail_copy, draft, _ = opener.check(s, 2, "taro@example.jp", "", "")
        check(mail_copy.startswith(KOREAN_FOLDER + "\\"), f"tmpfile is {mail_copy}")
        names = [call["call"] for call in recorded_calls(log)]
        check(names == ["MAPILogon", "MAPILogoff"], f"the calls were {names}")
        folder = s.c_path(KOREAN_FOLDER)
        check(wait_for(lambda: s.output_files(folder) == [file_name(draft)], 10),
              f"after the run {KOREAN_FOLDER} holds {s.output_files(folder)}")
        check_no_error_box(s)


scenario(main)
