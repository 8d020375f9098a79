"""Shared steps of the end-to-end scenarios.

The scenarios (tests/e2e/scenarios) import this folder's modules through
PYTHONPATH, which ctest sets. A scenario runs inside the Wine session that
tests/e2e/session.sh started. It reads, from the environment:
  VISTRANE_SESSION_DIR   the session's state folder (session.env inside)
  VISTRANE_WINDOWS_BIN   the Windows build's bin folder (Vistrane.exe, vtest.exe, screencopy.exe)
  VISTRANE_ARTIFACTS     where each scenario keeps what it produced, for a reviewer
"""

import datetime
import json
import os
import shlex
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import traceback
from pathlib import Path

SETTINGS_KEY = r"HKCU\Software\VB and VBA Program Settings\TRV Vistrane\Propaty"
APP_KEY = r"HKCU\Software\VB and VBA Program Settings\TRV Vistrane"
MAIN_CLASS = "VistraneMainForm"
MAIN_TITLE = "Vistrane"
EXEC_CLASS = "VistraneExecForm"  # the progress window
EXEC_TITLE = "Vistrane Ver 3.2.1"
INSTALL_DIR_WIN = r"C:\Program Files\Vistrane"
OUTPUT_DIR_WIN = r"C:\VstrnTmp"
ERROR_TITLE = "VISTRANE エラーダイアログ"
CUPS_SCRIPT = Path(__file__).resolve().parents[1] / "cups.sh"  # the session's printers
SCREEN_SIZE = (1024, 768)  # the session's Xvfb screen
# How long something that must not happen still gets to happen after the
# signal that Vistrane has dealt with its cause (the notice reaching the
# viewer behind it, the end of its start-up). Vistrane writes its files
# before it passes the notice on: this is a margin, not a wait for its work.
QUIET_TIME = 0.5


class Failure(Exception):
    """A check of the scenario did not hold."""


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(condition, timeout, interval=0.1):
    """Polls until condition() is truthy; returns its last value."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(interval)


def check_stays(condition, describe, seconds=QUIET_TIME):
    """Fails as soon as condition() stops holding within `seconds`; call it
    after the signal that what it guards against would have happened by now.
    describe() gives the failure message."""
    broken = wait_for(lambda: not condition(), seconds, interval=0.05)
    check(not broken, describe())


def today_yyyymmdd():
    return datetime.date.today().strftime("%Y%m%d")


def today_mmdd():
    return datetime.date.today().strftime("%m%d")


def start_on_one_day(margin=90):
    """Vistrane starts a new day at midnight (file names, the daily counter):
    a scenario that would still run then starts after midnight instead. No
    scenario takes `margin` seconds, and waiting leaves it its ctest timeout."""
    now = datetime.datetime.now()
    midnight = datetime.datetime.combine(now.date() + datetime.timedelta(days=1), datetime.time())
    if (midnight - now).total_seconds() < margin:
        day = today_yyyymmdd()
        print("waiting for midnight to pass before starting")
        wait_for(lambda: today_yyyymmdd() != day, margin, interval=0.5)


def default_settings():
    """What Vistrane writes at its first start into an empty store, as
    installed under C:\\Program Files (tmpfile is not written then)."""
    return {
        "OutPutMode": "1", "Orientation": "1", "ZoomMode": "1",
        "PrtYokoHaichi": "1", "PrtTateHaichi": "1",
        "Drive": "C:\\", "DirName": OUTPUT_DIR_WIN, "Filename": "Vstrn",
        "FileOutMode": "1", "DialogMode": "1", "SaveCont": "0", "ColorMode": "1",
        "AutoDel": "1", "AutoDelDate": "10", "OutputFileMode": "1",
        "PrtOutputMode": "1", "FileOutputMode": "1", "MailSendMode": "0",
        "MailAdd": "", "MailKenmei": "", "MailNote": "", "MailComp": "1",
        "GDate": today_yyyymmdd(),
    }


def test_settings(**overrides):
    """The full default set with printing off (and any overrides), so that a
    capture goes to files only."""
    settings = default_settings()
    settings["PrtOutputMode"] = "0"
    settings.update({key: str(value) for key, value in overrides.items()})
    return settings


def bmp_shape(path):
    """(width, height, bits per pixel) of a Windows bitmap file."""
    with open(path, "rb") as f:
        header = f.read(30)
    check(len(header) == 30 and header[:2] == b"BM", f"{path} is not a bitmap file")
    width, height = struct.unpack_from("<ii", header, 18)
    (bits,) = struct.unpack_from("<H", header, 28)
    return width, abs(height), bits


def started_at(pid):
    """When the process began (clock ticks since boot); None when it is gone."""
    try:
        return Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()[19]
    except (OSError, IndexError):
        return None


def complete_bmp_size(width, height):
    """Size of a complete 24-bit bitmap file with a 40-byte header."""
    return 54 + ((width * 3 + 3) & ~3) * height


class Session:
    """The running Wine session: environment, paths and the Windows tools."""

    def __init__(self):
        session_dir = Path(os.environ["VISTRANE_SESSION_DIR"])
        self.dir = session_dir
        self.started = session_dir / "started.pids"  # the programs start() began
        env_file = session_dir / "session.env"
        check(env_file.is_file(), f"no Wine session is running ({env_file} is missing)")
        self.env = dict(os.environ)
        for line in env_file.read_text().splitlines():
            if "=" in line and not line.startswith("export"):
                key, value = line.split("=", 1)
                self.env[key] = shlex.split(value)[0] if value else ""
        self.prefix = Path(self.env["WINEPREFIX"])
        self.drive_c = self.prefix / "drive_c"
        self.display = self.env["DISPLAY"]
        self.bin = Path(os.environ["VISTRANE_WINDOWS_BIN"])
        for tool in ("vtest.exe", "screencopy.exe"):
            check((self.bin / tool).is_file(), f"{self.bin / tool} is missing: build the Windows tree")
        self.pending = []  # vtest commands for the next vtest run (see later)

    @staticmethod
    def win_path(path):
        """The Windows name of a Linux path (Wine maps / to Z:)."""
        return "Z:" + str(Path(path).resolve()).replace("/", "\\")

    def c_path(self, windows_path):
        """The Linux path of a C:\\ path of the prefix."""
        check(windows_path[:3].upper() == "C:\\", f"not a C: path: {windows_path}")
        return self.drive_c.joinpath(*windows_path[3:].split("\\"))

    def run(self, *args, timeout=60):
        """Runs a Windows program; its output goes through files, not pipes: a
        Wine service it starts (the desktop process) inherits the handles and
        outlives it, and a pipe would then never reach its end."""
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            process = subprocess.run(["wine", *map(str, args)], env=self.env, stdout=out,
                                     stderr=err, stdin=subprocess.DEVNULL, timeout=timeout)
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(process.args, process.returncode,
                                               out.read().decode("utf-8", "replace"),
                                               err.read().decode("utf-8", "replace"))

    def tool(self, name, *args, expect=0, timeout=60):
        """Runs bin/<name>.exe; fails unless its exit status is `expect`
        (None accepts "done" and "condition not met")."""
        if name != "vtest":
            self.flush()
        result = self.run(self.bin / f"{name}.exe", *args, timeout=timeout)
        accepted = (0, 1) if expect is None else (expect,)
        check(result.returncode in accepted,
              f"{name} {' '.join(map(str, args))}: exit {result.returncode}, expected {expect}\n"
              f"{result.stdout}{result.stderr}")
        return result.stdout

    def vtest(self, *args, expect=0, timeout=60):
        """Runs vtest with the commands queued by later() before `args`."""
        steps, self.pending = self.pending, []
        return self.tool("vtest", *steps, *args, expect=expect, timeout=timeout)

    def later(self, *args):
        """Queues a vtest command that prints nothing (click, keys, type): it
        runs with the next vtest command, or at the next other step, in one
        Wine start instead of one each."""
        self.pending += [*map(str, args), ";"]

    def flush(self):
        if self.pending:
            steps, self.pending = self.pending[:-1], []
            self.tool("vtest", *steps)

    def vtest_json(self, *args, timeout=60):
        return json.loads(self.vtest(*args, timeout=timeout))

    def screencopy(self, *args):
        return self.tool("screencopy", *args)

    def start(self, exe, *args, log):
        """A Windows program in the background; its Linux pid is the program's."""
        self.flush()
        out = open(log, "w")
        try:
            process = subprocess.Popen(["wine", str(exe), *map(str, args)], env=self.env,
                                       stdin=subprocess.DEVNULL, stdout=out,
                                       stderr=subprocess.STDOUT)
        finally:
            out.close()
        with open(self.started, "a") as record:
            record.write(f"{process.pid} {started_at(process.pid)}\n")
        return process

    def known_state(self):
        """What an earlier scenario may have left is undone: the programs it
        started and could not end (one stopped by its timeout), and other
        printers or queued jobs than the session's own."""
        lines = self.started.read_text().splitlines() if self.started.exists() else []
        left = [int(pid) for pid, since in map(str.split, lines) if started_at(pid) == since]
        for pid in left:
            os.kill(pid, signal.SIGKILL)
        check(wait_for(lambda: not any(started_at(pid) for pid in left), 10),
              f"programs of an earlier scenario still run: {left}")
        self.started.unlink(missing_ok=True)
        subprocess.run([str(CUPS_SCRIPT), "reset", str(self.dir)], check=True, timeout=60)

    def screenshot(self, path):
        self.flush()
        subprocess.run(["import", "-display", self.display, "-window", "root", str(path)],
                       check=True, timeout=30, capture_output=True)

    # Settings store

    def reset_settings(self, settings=None):
        """Empties Vistrane's store, then writes `settings` when given."""
        self.vtest("reg-delete", APP_KEY)
        if settings:
            self.vtest("reg-set", SETTINGS_KEY, *(f"{k}={v}" for k, v in settings.items()))

    def read_settings(self):
        """{name: (type, data)}; None when the key does not exist."""
        values = self.vtest_json("reg-dump", SETTINGS_KEY)
        if values is None:
            return None
        return {name: (value["type"], value["data"]) for name, value in values.items()}

    # Output folder

    def output_dir(self):
        return self.c_path(OUTPUT_DIR_WIN)

    def reset_output_dir(self, create=True):
        folder = self.output_dir()
        if folder.is_dir():
            shutil.rmtree(folder)
        elif folder.exists():
            folder.unlink()
        if create:
            folder.mkdir()

    def output_files(self, folder=None):
        """The names in C:\\VstrnTmp (or in `folder`, a Linux path)."""
        folder = folder or self.output_dir()
        return sorted(p.name for p in folder.iterdir()) if folder.is_dir() else []

    def same_pixels(self, a, b):
        """ImageMagick's count of differing pixels; 0 means equal images."""
        result = subprocess.run(["compare", "-metric", "AE", str(a), str(b), "null:"],
                                capture_output=True, text=True, timeout=60)
        check(result.returncode in (0, 1), f"compare {a} {b} failed: {result.stderr}")
        return int(float(result.stderr.split()[0]))


def expect_capture(s, artifacts, name, reference, folder=None):
    """Waits for Vistrane to write <name> in `folder` (C:\\VstrnTmp's Linux path
    unless given); it must be a 24-bit bitmap with the reference's size and
    pixels. A copy is kept with the artifacts."""
    width, height, _ = bmp_shape(reference)
    path = (folder or s.output_dir()) / name
    size = complete_bmp_size(width, height)
    wait_for(lambda: path.is_file() and path.stat().st_size >= size, 15)
    check(path.is_file(),
          f"{name} was not written; the output folder holds {s.output_files(folder)}")
    shutil.copy2(path, artifacts / name)
    check(bmp_shape(path) == (width, height, 24),
          f"{name} is {bmp_shape(path)}, expected {width}x{height} at 24 bits")
    differing = s.same_pixels(path, reference)
    check(differing == 0, f"{name} differs from the clipboard's bitmap in {differing} pixels")
    return path


def expect_error_box(s, artifacts, name):
    """Waits for the product's error box, an exclamation with one OK button, and
    keeps its picture and report as <name>.png and <name>.json; returns the
    report. The box stays open."""
    report = s.vtest_json("msgbox", "--timeout", "20", "--out",
                          s.win_path(artifacts / f"{name}.json"))
    s.screenshot(artifacts / f"{name}.png")
    check((report["title"], report["icon"], report["buttons"]) ==
          (ERROR_TITLE, "exclamation", ["OK"]), f"the error box is {report}")
    return report


def check_no_error_box(s):
    """No error box is showing."""
    report = s.vtest("msgbox", "--timeout", "0", expect=None)
    check(report == "", f"an error box is showing: {report}")


class Background:
    """A vtest subcommand that runs until its stop file appears; as a context
    manager it is always ended."""

    def __init__(self, session, artifacts, name, *args):
        self.session = session
        self.name = name
        self.stop_file = artifacts / f"{name}.stop"
        self.stop_file.unlink(missing_ok=True)
        self.process = session.start(session.bin / "vtest.exe", *args, "--stop-file",
                                     session.win_path(self.stop_file),
                                     log=artifacts / f"{name}.out")

    def _end(self):
        """Stops the program, killing its Linux process when it does not end."""
        if self.process.poll() is not None:
            return True
        self.stop_file.touch()
        try:
            self.process.wait(timeout=10)
            return True
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            return False

    def stop(self):
        """Ends the program; fails when it does not end cleanly."""
        check(self._end(), f"{self.name} did not stop")
        check(self.process.returncode == 0, f"{self.name} ended with {self.process.returncode}")

    def __enter__(self):
        return self

    def __exit__(self, exc_type, *exc):
        if exc_type is None:
            self.stop()
        else:
            self._end()
        return False

    def _starting(self, ready):
        """Runs the readiness check; a program that is not ready is ended."""
        try:
            ready()
        except BaseException:
            self._end()
            raise


class PatternWindow(Background):
    """A foreground window showing the test pattern at (left, top, right, bottom)."""

    def __init__(self, session, artifacts, rect, name="pattern"):
        left, top, right, bottom = rect
        self.title = f"Vistrane test pattern {name}"
        super().__init__(session, artifacts, name, "pattern", left, top, right - left,
                         bottom - top, "--title", self.title)
        self.rect = rect
        self._starting(self._in_front)

    def _in_front(self):
        shown = self.session.vtest_json("foreground", "VistraneTestPattern", self.title, 15)
        check(shown["rect"] == list(self.rect),
              f"pattern window at {shown['rect']}, wanted {self.rect}")


class Viewer(Background):
    """A clipboard viewer that logs every notice it receives."""

    def __init__(self, session, artifacts, name="viewer"):
        self.log = artifacts / f"{name}.log"
        self.log.unlink(missing_ok=True)
        super().__init__(session, artifacts, name, "viewer", session.win_path(self.log))
        self._starting(self._joined)

    def _joined(self):
        check(wait_for(lambda: "joined" in self.lines(), 15), f"{self.name} did not join the chain")

    def lines(self):
        return self.log.read_text(encoding="utf-8").splitlines() if self.log.exists() else []

    def notices(self):
        return [line for line in self.lines() if line.startswith("draw ")]

    def capture(self, artifacts, name, written):
        """Takes one screen copy, the clipboard's bitmap kept as <name>-clipboard.bmp,
        and waits until Vistrane has passed the notice on; by then it has written
        C:\\VstrnTmp\\<written>, kept as <name> with its extension. Returns both."""
        s = self.session
        reference = artifacts / f"{name}-clipboard.bmp"
        seen = len(self.notices())
        s.screencopy("--save", s.win_path(reference))
        check(len(self.wait_notices(seen + 1, timeout=20)) == seen + 1,
              "Vistrane did not pass the clipboard notice on")
        path = s.output_dir() / written
        check(path.is_file(), f"no {written}; the output folder holds {s.output_files()}")
        kept = artifacts / (name + path.suffix)
        shutil.copy2(path, kept)
        return reference, kept

    def wait_notices(self, count, timeout=10):
        """Waits until `count` notices have arrived; returns them all."""
        wait_for(lambda: len(self.notices()) >= count, timeout)
        return self.notices()


class Vistrane:
    """Vistrane.exe installed under C:\\Program Files\\Vistrane and run under Wine.

    As a context manager it always ends the program: through the tray menu when
    it can, else by killing the Linux process it started.

    `companions` are the files installed beside it (VstnMailSend.exe,
    UnLHA32.dll); those not named are removed from the folder."""

    COMPANIONS = ("VstnMailSend.exe", "UnLHA32.dll")

    def __init__(self, session, artifacts, companions=(), startup_message=False):
        self.session = session
        self.artifacts = artifacts
        self.startup_message = startup_message
        self.process = None
        self.exe = session.bin / "Vistrane.exe"
        self.companions = tuple(companions)
        unknown = set(self.companions) - set(self.COMPANIONS)
        check(not unknown, f"not part of Vistrane: {sorted(unknown)}")
        for path in [self.exe] + [session.bin / name for name in self.companions]:
            check(path.is_file(), f"{path} is missing: build the Windows tree")

    def install(self):
        folder = self.session.c_path(INSTALL_DIR_WIN)
        folder.mkdir(parents=True, exist_ok=True)
        shutil.copy2(self.exe, folder / "Vistrane.exe")
        for name in self.COMPANIONS:
            if name in self.companions:
                shutil.copy2(self.session.bin / name, folder / name)
            else:
                (folder / name).unlink(missing_ok=True)

    def start(self):
        """Starts the program; returns once its start-up is done: the progress
        form is loaded last, after the chain, the settings, the output folder
        and the deletion pass (a message box of the start-up holds it back).
        With `startup_message` it returns once the main form is there, and
        the scenario deals with the start-up's box."""
        # A copy left by an earlier test would take the captures too.
        self.session.vtest("wait-window", "--gone", MAIN_CLASS, MAIN_TITLE, 10)
        self.process = self.session.start(INSTALL_DIR_WIN + r"\Vistrane.exe",
                                          log=self.artifacts / "vistrane.out")
        form = (MAIN_CLASS, MAIN_TITLE) if self.startup_message else (EXEC_CLASS, EXEC_TITLE)
        started = self.session.run(self.session.bin / "vtest.exe", "wait-window", *form, 20)
        if started.returncode != 0:
            if not self.startup_message:
                check_no_error_box(self.session)
            check(self.running(), f"Vistrane ended during its start-up ({self.process.returncode})")
            raise Failure(f"Vistrane did not finish its start-up: {started.stderr.strip()}")

    def running(self):
        return self.process is not None and self.process.poll() is None

    def open_tray_menu(self, screenshot=None):
        self.session.later("tray-open")
        if screenshot:
            self.session.screenshot(self.artifacts / screenshot)

    def quit_via_tray(self, screenshot=None):
        """Opens the tray menu and chooses its last item; the program must end."""
        self.open_tray_menu(screenshot)
        # With no item selected, Up selects the last item: "終　了 (Quit)".
        self.session.later("menu-keys", "up", "return")
        self.session.vtest("wait-window", "--gone", MAIN_CLASS, MAIN_TITLE, 10)
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            raise Failure("Vistrane's main window is gone but its process still runs")

    def __enter__(self):
        self.install()
        self.start()
        return self

    def __exit__(self, *exc):
        if not self.running():
            return False
        try:
            self.quit_via_tray()
        except Exception as error:  # the fallback below ends it either way
            print(f"tray quit failed while cleaning up: {error}", file=sys.stderr)
        if self.running():
            self.process.kill()
            self.process.wait()
        return False


def scenario(main):
    """Runs a scenario function(session, artifacts) as a test program: exit 0
    on success, 1 on a failed check or error, with a final screenshot kept."""
    name = Path(sys.argv[0]).stem
    missing = [v for v in ("VISTRANE_SESSION_DIR", "VISTRANE_WINDOWS_BIN", "VISTRANE_ARTIFACTS")
               if not os.environ.get(v)]
    if missing:
        print(f"{name}: FAILED: {', '.join(missing)} not set (run through ctest)", file=sys.stderr)
        sys.exit(1)
    artifacts = Path(os.environ["VISTRANE_ARTIFACTS"]) / name
    shutil.rmtree(artifacts, ignore_errors=True)
    artifacts.mkdir(parents=True)
    session = None
    status = 0
    try:
        start_on_one_day()
        session = Session()
        session.known_state()
        main(session, artifacts)
        print(f"{name}: passed")
    except Failure as failure:
        print(f"{name}: FAILED: {failure}", file=sys.stderr)
        status = 1
    except Exception:
        traceback.print_exc()
        print(f"{name}: FAILED with an error", file=sys.stderr)
        status = 1
    finally:
        if session is not None:
            try:
                session.screenshot(artifacts / "final.png")
            except Exception as error:
                print(f"no final screenshot: {error}", file=sys.stderr)
    print(f"artifacts: {artifacts}")
    sys.exit(status)
