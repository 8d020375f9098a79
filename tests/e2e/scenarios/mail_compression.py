#!/usr/bin/env python3
"""With MailComp 1 a bitmap mail copy is packed by UnLHA32.dll: the one
attachment is the .lzh beside it, which lhasa tests and extracts to a file
byte-identical to the bitmap written for that capture, and both are gone
after the send. With UnLHA32.dll removed the compression message comes first,
before any call to the mail client, and the bitmap itself is attached.
Under code page 932 a Japanese output folder, base name and subject pack, mail
and delete as ASCII ones do: the archiver's command line is ANSI text. Once
"圧縮（ＺＩＰ）して添付する" is stored in the settings dialog, the bitmap is
attached as a ZIP archive, which `unzip -t` tests and Python's zipfile
extracts byte for byte under its Japanese name. Once "ＰＮＧ" is stored, the
PNG mail copy is attached as it is, with the archiver at hand, and is gone
after the send."""

import shutil
import subprocess
import zipfile

from mail_client import (ARCHIVER_MISSING, MailRecorder, check_one_message, mail_copy_path,
                         wait_sender_ended)
from setting_dialog import SettingDialog
from vistrane_e2e import (INSTALL_DIR_WIN, PatternWindow, Vistrane, bmp_shape, check,
                          check_no_error_box, expect_capture, expect_error_box, scenario,
                          test_settings, today_mmdd, wait_for)

SUBJECT = "圧縮した画面"
NOTE = "LHA で圧縮してあります。"
JA_FOLDER = "C:\\画面の出力"
JA_BASE = "画面"
JA_SUBJECT = "日本語の件名"


def lhasa(*args, cwd):
    result = subprocess.run(["lhasa", *map(str, args)], cwd=cwd, capture_output=True, text=True,
                            timeout=60)
    check(result.returncode == 0, f"lhasa {' '.join(map(str, args))}: {result.stdout}{result.stderr}")
    return result.stdout


def capture(s, artifacts, number):
    """One capture; returns the normal file written for it."""
    reference = artifacts / f"clipboard-{number}.bmp"
    s.screencopy("--save", s.win_path(reference))
    return expect_capture(s, artifacts, f"Vstrn{today_mmdd()}-{number:03}.bmp", reference)


def packed(s, artifacts, recorder):
    normal = capture(s, artifacts, 1)
    calls = recorder.wait_calls(3)
    wait_sender_ended(s)
    mail_copy = mail_copy_path(s)
    check(mail_copy.endswith(".bmp"), f"tmpfile is {mail_copy}")
    archive = mail_copy[:-4] + ".lzh"
    attachment = check_one_message(calls, "hanako@example.jp", SUBJECT, NOTE, archive)

    sent = recorder.copy_of(attachment)
    extracted = artifacts / "extracted"
    extracted.mkdir()
    lhasa("t", sent, cwd=extracted)
    lhasa("x", sent, cwd=extracted)
    member = extracted / mail_copy.split("\\")[-1]
    check(sorted(p.name for p in extracted.iterdir()) == [member.name],
          f"the archive holds {sorted(p.name for p in extracted.iterdir())}")
    check(member.read_bytes() == normal.read_bytes(),
          "the bitmap in the archive differs from the file written for the same capture")
    check(wait_for(lambda: s.output_files() == [normal.name], 10),
          f"after the send the output folder holds {s.output_files()}")
    check_no_error_box(s)


def unpacked_without_archiver(s, artifacts, recorder):
    (s.c_path(INSTALL_DIR_WIN) / "UnLHA32.dll").unlink()
    seen = len(recorder.calls())
    normal = capture(s, artifacts, 2)
    report = expect_error_box(s, artifacts, "compression-message")
    check(report["text"] == ARCHIVER_MISSING, f"the message box is {report}")
    check(len(recorder.calls()) == seen, "the mail client was called before the message was closed")
    s.vtest("msgbox", "--ok")

    calls = recorder.wait_calls(seen + 3)[seen:]
    wait_sender_ended(s)
    mail_copy = mail_copy_path(s)
    attachment = check_one_message(calls, "hanako@example.jp", SUBJECT, NOTE, mail_copy)
    check(recorder.copy_of(attachment).read_bytes() == normal.read_bytes(),
          "the attached bitmap differs from the file written for the same capture")
    first = f"Vstrn{today_mmdd()}-001.bmp"
    check(wait_for(lambda: s.output_files() == sorted([first, normal.name]), 10),
          f"after the send the output folder holds {s.output_files()}")
    check_no_error_box(s)


def mailed_from_japanese_folder(s, artifacts, recorder, name, extension):
    """File output off: one capture whose mail copy, named in the Japanese
    folder with this extension, is the only image file. Returns the
    clipboard's bitmap, the recorded calls and the mail copy's path."""
    seen = len(recorder.calls())
    reference = artifacts / f"clipboard-{name}.bmp"
    s.screencopy("--save", s.win_path(reference))
    calls = recorder.wait_calls(seen + 3)[seen:]
    wait_sender_ended(s)
    mail_copy = mail_copy_path(s)
    check(mail_copy.startswith(f"{JA_FOLDER}\\{JA_BASE}ML-") and mail_copy.endswith(extension),
          f"tmpfile is {mail_copy}")
    return reference, calls, mail_copy


def check_japanese_folder_emptied(s):
    folder = s.c_path(JA_FOLDER)
    check(wait_for(lambda: not any(folder.iterdir()), 10),
          f"after the send {JA_FOLDER} holds {sorted(p.name for p in folder.iterdir())}")
    check_no_error_box(s)


def japanese_names(s, artifacts, recorder):
    """The mail copy and its archive are the only files, and both are gone
    after the send."""
    check(s.c_path(JA_FOLDER).is_dir(), f"{JA_FOLDER} was not created")
    reference, calls, mail_copy = mailed_from_japanese_folder(s, artifacts, recorder, "ja", ".bmp")
    attachment = check_one_message(calls, "hanako@example.jp", JA_SUBJECT, NOTE,
                                   mail_copy[:-4] + ".lzh")
    extracted = artifacts / "extracted-ja"
    extracted.mkdir()
    lhasa("x", recorder.copy_of(attachment), cwd=extracted)
    members = list(extracted.iterdir())
    check(len(members) == 1, f"the archive holds {members}")
    width, height, _ = bmp_shape(reference)
    check(bmp_shape(members[0]) == (width, height, 24),
          f"the packed bitmap is {bmp_shape(members[0])}")
    check_japanese_folder_emptied(s)


def zipped(s, artifacts, recorder, vistrane):
    """MailComp 2 from the dialog: the archive is the ZIP beside the mail copy."""
    SettingDialog(s, vistrane).store_options("rbtnComp_Zip", tab=2)
    reference, calls, mail_copy = mailed_from_japanese_folder(s, artifacts, recorder, "zip", ".bmp")
    attachment = check_one_message(calls, "hanako@example.jp", JA_SUBJECT, NOTE,
                                   mail_copy[:-4] + ".zip")
    sent = recorder.copy_of(attachment)
    tested = subprocess.run(["unzip", "-t", sent], capture_output=True, timeout=60)
    output = (tested.stdout + tested.stderr).decode(errors="replace")
    check(tested.returncode == 0, f"unzip -t: {output}")
    with zipfile.ZipFile(sent) as archive:
        members = archive.infolist()
        name = mail_copy.split("\\")[-1]
        check([m.filename for m in members] == [name] and members[0].flag_bits & 0x800,
              f"the archive holds {[(m.filename, m.flag_bits) for m in members]}")
        packed_bitmap = archive.read(name)
    (artifacts / "zipped.bmp").write_bytes(packed_bitmap)
    check(s.same_pixels(artifacts / "zipped.bmp", reference) == 0,
          "the bitmap in the ZIP archive is not the capture")
    check_japanese_folder_emptied(s)


def png_unpacked(s, artifacts, recorder, vistrane):
    """The PNG itself is attached, and it is gone after the send."""
    SettingDialog(s, vistrane).store_options("rbtnPNG")
    reference, calls, mail_copy = mailed_from_japanese_folder(s, artifacts, recorder, "png", ".png")
    attachment = check_one_message(calls, "hanako@example.jp", JA_SUBJECT, NOTE, mail_copy)
    differing = s.same_pixels(recorder.copy_of(attachment), reference)
    check(differing == 0, f"the attached PNG differs from the capture in {differing} pixels")
    check_japanese_folder_emptied(s)


def main(s, artifacts):
    recorder = MailRecorder(s)
    s.reset_settings(test_settings(MailSendMode=1, MailComp=1, OutputFileMode=1,
                                   MailAdd="hanako@example.jp", MailKenmei=SUBJECT, MailNote=NOTE))
    s.reset_output_dir()
    with recorder.kept(artifacts), PatternWindow(s, artifacts, (60, 40, 700, 520)), \
            Vistrane(s, artifacts, companions=["VstnMailSend.exe", "UnLHA32.dll"]):
        packed(s, artifacts, recorder)
        unpacked_without_archiver(s, artifacts, recorder)

    s.reset_settings(test_settings(MailSendMode=1, MailComp=1, OutputFileMode=1,
                                   FileOutputMode=0, DirName=JA_FOLDER, Filename=JA_BASE,
                                   MailAdd="hanako@example.jp", MailKenmei=JA_SUBJECT,
                                   MailNote=NOTE))
    shutil.rmtree(s.c_path(JA_FOLDER), ignore_errors=True)
    with recorder.kept(artifacts), PatternWindow(s, artifacts, (60, 40, 700, 520)), \
            Vistrane(s, artifacts, companions=["VstnMailSend.exe", "UnLHA32.dll"]) as vistrane:
        japanese_names(s, artifacts, recorder)
        zipped(s, artifacts, recorder, vistrane)
        png_unpacked(s, artifacts, recorder, vistrane)


scenario(main)
