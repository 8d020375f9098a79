"""The recording mail client (tests/e2e/mail_recorder, VtestMail.dll) as the
mail scenarios use it: registered as the system's default mail client, it
records each Simple MAPI call VstnMailSend makes in C:\\VtestMail\\mapi_calls.jsonl
and keeps a copy of each attachment as it was at the moment of the send.
Registered as the program for ".eml" files, it records each draft it is asked
to open; `check_draft` reads a draft as a mail program would."""

import contextlib
import email
import email.policy
import json
import ntpath
import shutil
from pathlib import Path

from vistrane_e2e import check, wait_for

MAIL_KEY = r"HKLM\Software\Clients\Mail"
CLIENT_NAME = "Vistrane Test Mail"
CLIENT_DIR_WIN = r"C:\VtestMail"
SESSION = 0x5EED          # the session handle the recorder hands out
MAPI_LOGON_UI = 0x1
MAPI_DIALOG = 0x8
MAPI_TO = 1
MAPI_USER_ABORT = 1       # the send dialog's Cancel
MAPI_E_FAILURE = 2
ARCHIVER_MISSING = "「UnLha32.Dll」がインストールされていないので、圧縮処理はされません。"


def reg(s, *args):
    result = s.run("reg", *args)
    check(result.returncode == 0, f"reg {' '.join(args)}: {result.stdout}{result.stderr}")


def unregister_mail_clients(s):
    """No default mail client at all, not even Wine's own."""
    s.run("reg", "delete", MAIL_KEY, "/f")  # a missing key is what we want too
    result = s.run("reg", "query", MAIL_KEY)
    check(result.returncode != 0, f"{MAIL_KEY} is still there: {result.stdout}")


def install_recorder(s):
    """VtestMail.dll alone in C:\\VtestMail; returns that folder's Linux path."""
    folder = s.c_path(CLIENT_DIR_WIN)
    dll = s.bin / "VtestMail.dll"
    check(dll.is_file(), f"{dll} is missing: build the Windows tree")
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    shutil.copy2(dll, folder / dll.name)
    return folder


class DraftOpener:
    """The recorder as the program Windows opens ".eml" files with."""

    def __init__(self, s, folder):
        self.log = folder / "opened_drafts.jsonl"
        reg(s, "add", r"HKCR\.eml", "/ve", "/d", "VtestDraft", "/f")
        reg(s, "add", r"HKCR\VtestDraft\shell\open\command", "/ve", "/d",
            f'rundll32.exe {CLIENT_DIR_WIN}\\VtestMail.dll,OpenDraft "%1"', "/f")

    def check(self, s, count, recipient, subject, note, suffix=""):
        """Once VstnMailSend has ended, check_draft (the attachment named as the
        mail copy, with `suffix` for its extension), and the draft is the
        `count`th one opened and the last; returns the mail copy, the draft and
        the attachment's bytes."""
        wait_sender_ended(s)
        mail_copy = mail_copy_path(s)
        name = file_name(mail_copy)
        draft, attached = check_draft(s, mail_copy, recipient, subject, note,
                                      name[:-4] + suffix if suffix else name)
        opened = lambda: [call["path"] for call in recorded_calls(self.log)]
        check(wait_for(lambda: len(opened()) >= count, 30) and opened()[count - 1:] == [draft],
              f"the program for drafts opened {opened()}, not {draft} as number {count}")
        return mail_copy, draft, attached


def check_draft(s, mail_copy, recipient, subject, note, attachment_name):
    """Reads the draft beside the mail copy with Python's email package and
    checks its headers, note and attachment; returns its path and the
    attachment's bytes."""
    draft = mail_copy[:-4] + ".eml"
    message = email.message_from_bytes(s.c_path(draft).read_bytes(), policy=email.policy.default)
    check(message["X-Unsent"] == "1" and message["Date"] and message["Message-ID"],
          f"the draft's headers are {message.items()}")
    check(message["To"] == recipient, f"the draft's To is {message['To']!r}")
    check(message["Subject"] == subject, f"the draft's Subject is {message['Subject']!r}")
    parts = list(message.iter_parts())
    check(len(parts) == 2, f"the draft has {len(parts)} parts")
    check(parts[0].get_content() == note, f"the draft's note is {parts[0].get_content()!r}")
    check(parts[1].get_filename() == attachment_name,
          f"the draft's attachment is named {parts[1].get_filename()!r}")
    return draft, parts[1].get_content()


def file_name(windows_path):
    return ntpath.basename(windows_path)


class MailRecorder:
    """Installs and registers VtestMail.dll with an empty record."""

    def __init__(self, s):
        self.session = s
        self.folder = install_recorder(s)
        self.log = self.folder / "mapi_calls.jsonl"
        s.run("reg", "delete", MAIL_KEY + "\\" + CLIENT_NAME, "/f")  # no SendResult of an earlier run
        reg(s, "add", MAIL_KEY, "/ve", "/d", CLIENT_NAME, "/f")
        reg(s, "add", MAIL_KEY + "\\" + CLIENT_NAME, "/v", "DLLPath", "/d",
            CLIENT_DIR_WIN + r"\VtestMail.dll", "/f")

    @contextlib.contextmanager
    def kept(self, artifacts):
        """On the way out, whatever happened, the record goes to the artifacts."""
        try:
            yield self
        finally:
            if self.log.exists():
                shutil.copy2(self.log, artifacts / self.log.name)

    def calls(self):
        return recorded_calls(self.log)

    def wait_calls(self, count, timeout=30):
        """Waits until `count` calls are recorded; returns them all."""
        wait_for(lambda: len(self.calls()) >= count, timeout)
        return self.calls()

    def copy_of(self, attachment):
        """The Linux path of the recorder's copy of an attachment."""
        check(attachment["copy"], f"the recorder could not copy {attachment['path']}")
        return self.session.c_path(attachment["copy"])


def recorded_calls(log):
    if not log.exists():
        return []
    return [json.loads(line) for line in log.read_text(encoding="utf-8").splitlines()]


@contextlib.contextmanager
def ansi_only_mapi(s, artifacts):
    """While open, VstnMailSend.exe alone loads VtestMailAnsi.dll, the recorder
    without MAPISendMailW, as its mapi32.dll: a Simple MAPI with only the ANSI
    send (Wine's own always has the wide one, and converts it for a client
    without it). Yields the path of the record."""
    system32 = s.drive_c / "windows" / "system32"
    dll, wine_dll, log = (system32 / name for name in
                          ("mapi32.dll", "mapi32.dll.wine", "mapi_calls.jsonl"))
    if not wine_dll.exists():  # else an interrupted run left ours in place
        shutil.copy2(dll, wine_dll)
    shutil.copy2(s.bin / "VtestMailAnsi.dll", dll)
    log.unlink(missing_ok=True)
    key = r"HKCU\Software\Wine\AppDefaults\VstnMailSend.exe\DllOverrides"
    try:
        reg(s, "add", key, "/v", "mapi32", "/d", "native", "/f")
        yield log
    finally:
        s.run("reg", "delete", key, "/f")
        shutil.move(wine_dll, dll)
        if log.exists():
            shutil.move(log, artifacts / "ansi_mapi_calls.jsonl")


def sender_running(s):
    """Whether a VstnMailSend.exe of this Wine prefix is running."""
    for proc in Path("/proc").iterdir():
        if not proc.name.isdigit():
            continue
        try:
            if b"VstnMailSend.exe" not in (proc / "cmdline").read_bytes():
                continue
            prefix = f"WINEPREFIX={s.prefix}".encode()
            if prefix in (proc / "environ").read_bytes().split(b"\0"):
                return True
        except OSError:
            continue  # ended meanwhile, or not ours to read
    return False


def wait_sender_ended(s, timeout=30):
    check(wait_for(lambda: not sender_running(s), timeout), "VstnMailSend did not end")


def check_one_message(calls, recipient, subject, note, attachment_path):
    """The calls are one logon with the logon dialog allowed, one send with the
    send dialog to `recipient` with exactly the one attachment, which existed
    at that moment, and one logoff of the same session. Returns the attachment."""
    names = [call["call"] for call in calls]
    check(names == ["MAPILogon", "MAPISendMailW", "MAPILogoff"], f"the calls were {names}")
    logon, send, logoff = calls
    check(logon["flags"] & MAPI_LOGON_UI, f"logon without its dialog: {logon}")
    check(send["session"] == SESSION and logoff["session"] == SESSION,
          f"the send and the logoff did not use the session: {send['session']}, {logoff['session']}")
    check(send["flags"] & MAPI_DIALOG, f"sent without the send dialog: flags {send['flags']}")
    check(send["recipients"] == [{"class": MAPI_TO, "name": recipient, "address": recipient}],
          f"the recipients were {send['recipients']}")
    check(send["subject"] == subject, f"the subject was {send['subject']!r}")
    check(send["note"] == note, f"the note was {send['note']!r}")
    check(len(send["attachments"]) == 1, f"the attachments were {send['attachments']}")
    attachment = send["attachments"][0]
    check(attachment["path"] == attachment_path,
          f"the attachment was {attachment['path']}, expected {attachment_path}")
    check(attachment["existed"], f"{attachment['path']} did not exist when it was sent")
    return attachment


def mail_copy_path(s):
    """The path VstnMailSend was handed (tmpfile)."""
    value = (s.read_settings() or {}).get("tmpfile")
    check(value and value[0] == "REG_SZ", f"tmpfile is {value}")
    return value[1]
