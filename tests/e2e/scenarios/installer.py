#!/usr/bin/env python3
"""What a user downloads. The portable zip holds the three programs beside a
read-me that Notepad reads. A silent install puts the programs, the Start-menu
and Startup shortcuts and the Apps & features entry in place; the Startup
shortcut starts Vistrane, which captures. A silent reinstall over the running
program ends it through its close message (it leaves the clipboard-viewer chain
whole), starts it again, and keeps a user's choice not to start at log-on. A
silent uninstall ends it the same way, also while a capture's message box (no
printer) waits for a user, and removes the programs, the shortcuts and the
entry, but leaves the captures and the settings. A per-user install
has its own folder, shortcuts and entry. Whatever happens, the scenario
removes what the installer put into the shared prefix."""

import codecs
import os
import shutil
import zipfile
from pathlib import Path

from printing import PdfPrinter
from vistrane_e2e import (EXEC_CLASS, EXEC_TITLE, INSTALL_DIR_WIN, MAIN_CLASS, MAIN_TITLE,
                          SETTINGS_KEY, Viewer, check, expect_capture, expect_error_box, scenario,
                          test_settings, today_mmdd, wait_for)

PROGRAMS = ("Vistrane.exe", "VstnMailSend.exe", "UnLHA32.dll")
UNINSTALL_KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\Vistrane"
COMMON_PROGRAMS = r"C:\ProgramData\Microsoft\Windows\Start Menu\Programs"
USER_PROGRAMS = r"AppData\Roaming\Microsoft\Windows\Start Menu\Programs"
USER_LOCAL_PROGRAMS = r"AppData\Local\Programs"


def package_version(setup):
    return setup.name.removeprefix("Vistrane-").removesuffix("-setup.exe")


def check_portable_zip(s, path, version):
    folder = f"Vistrane-{version}"
    with zipfile.ZipFile(path) as archive:
        files = sorted(name for name in archive.namelist() if not name.endswith("/"))
        check(files == sorted(f"{folder}/{name}" for name in PROGRAMS + ("readme.txt",)),
              f"{path.name} holds {files}")
        for name in PROGRAMS:
            check(archive.read(f"{folder}/{name}") == (s.bin / name).read_bytes(),
                  f"{name} in {path.name} is not the built one")
        readme = archive.read(f"{folder}/readme.txt")
    check(readme.startswith(codecs.BOM_UTF8), "readme.txt does not start with a UTF-8 BOM")
    text = readme[len(codecs.BOM_UTF8):].decode("utf-8")
    check("\n" not in text.replace("\r\n", ""), "readme.txt has a line end without CR")
    check(text.startswith(f"Vistrane {version} "), f"readme.txt begins {text[:40]!r}")


class Installation:
    """Where an installation in one mode ("AllUsers" or "CurrentUser") puts
    things in the prefix, and checks of them."""

    def __init__(self, s, mode):
        self.s = s
        self.mode = mode
        users = [p for p in (s.drive_c / "users").iterdir() if p.name.lower() != "public"]
        check(len(users) == 1, f"the prefix has the users {[p.name for p in users]}")
        profile_win = "C:\\users\\" + users[0].name
        user_programs = s.c_path(profile_win + "\\" + USER_PROGRAMS)
        # Windows names are case-blind; Wine spells the folder "StartUp".
        startup = [p for p in user_programs.iterdir() if p.name.lower() == "startup"]
        check(len(startup) == 1, f"no Startup folder in {user_programs}")
        self.startup_link = startup[0] / "Vistrane.lnk"
        self.startup_link_win = profile_win + "\\" + str(
            self.startup_link.relative_to(users[0])).replace("/", "\\")
        if mode == "AllUsers":
            self.folder_win = INSTALL_DIR_WIN
            self.key = "HKLM\\" + UNINSTALL_KEY
            self.start_menu_link = s.c_path(COMMON_PROGRAMS + r"\Vistrane.lnk")
        else:
            self.folder_win = profile_win + "\\" + USER_LOCAL_PROGRAMS + r"\Vistrane"
            self.key = "HKCU\\" + UNINSTALL_KEY
            self.start_menu_link = user_programs / "Vistrane.lnk"
        self.folder = s.c_path(self.folder_win)
        self.uninstaller_win = self.folder_win + r"\uninstall.exe"

    def install(self, setup):
        result = self.s.run(setup, "/S", f"/{self.mode}", timeout=120)
        check(result.returncode == 0,
              f"the silent {self.mode} install ended with {result.returncode}")

    def uninstall(self):
        """Runs the uninstaller as Apps & features does: it goes on from a copy
        in the temporary folder, and the program started returns at once."""
        check(self.s.run(self.uninstaller_win, f"/{self.mode}", "/S").returncode == 0,
              "the uninstaller failed to start")
        gone = wait_for(lambda: not self.folder.exists() and self.entry() is None, 30, interval=0.5)
        check(gone, f"after the uninstall {self.folder_win} holds "
                    f"{sorted(p.name for p in self.folder.glob('*'))}, the entry is {self.entry()}")
        for link in (self.start_menu_link, self.startup_link):
            check(not link.exists(), f"the uninstall left {link}")

    def entry(self):
        values = self.s.vtest_json("reg-dump", self.key)
        return None if values is None else {k: v["data"] for k, v in values.items()}

    def check_installed(self, version, startup=True):
        """The programs, the shortcuts (the Startup one when `startup`) and the entry."""
        for name in PROGRAMS:
            installed = self.folder / name
            check(installed.is_file(), f"{installed} is missing")
            check(installed.read_bytes() == (self.s.bin / name).read_bytes(),
                  f"{installed} is not the built {name}")
        check((self.folder / "uninstall.exe").is_file(), "the uninstaller is missing")
        target = self.folder_win + r"\Vistrane.exe"
        check(startup or not self.startup_link.exists(), f"{self.startup_link} is there")
        for link in [self.start_menu_link] + ([self.startup_link] if startup else []):
            check(link.is_file(), f"{link} is missing")
            data = link.read_bytes()
            check(target.encode() in data or target.encode("utf-16-le") in data,
                  f"{link.name} does not point at {target}")
        entry = self.entry()
        check(entry is not None, f"no Apps & features entry in {self.key}")
        size_kb = int.from_bytes(bytes.fromhex(entry.pop("EstimatedSize")), "little")
        files_kb = sum(p.stat().st_size for p in self.folder.iterdir()) / 1024
        check(abs(size_kb - files_kb) <= 8, f"EstimatedSize {size_kb} KB, files {files_kb:.0f} KB")
        check(entry == {
            "DisplayName": "Vistrane",
            "DisplayVersion": version,
            "Publisher": "Vistrane Project",
            "DisplayIcon": target + ",0",
            "InstallLocation": self.folder_win,
            "UninstallString": f'"{self.uninstaller_win}" /{self.mode}',
            "QuietUninstallString": f'"{self.uninstaller_win}" /{self.mode} /S',
            "NoModify": "01000000",
            "NoRepair": "01000000",
        }, f"the Apps & features entry is {entry}")

    def running_pids(self):
        """Linux pids of this prefix's processes that run the installed Vistrane."""
        program = (self.folder_win + r"\Vistrane.exe").lower().encode()
        ours = f"WINEPREFIX={self.s.prefix}".encode()
        pids = []
        for proc in Path("/proc").iterdir():
            if not proc.name.isdigit():
                continue
            try:
                argv0 = (proc / "cmdline").read_bytes().split(b"\0")[0]
                environ = (proc / "environ").read_bytes().split(b"\0")
            except OSError:
                continue
            if argv0.lower() == program and ours in environ:
                pids.append(int(proc.name))
        return pids

    def wait_started(self, not_pid=None):
        """Waits until the installed Vistrane's start-up is done (its progress
        form, loaded last, exists); returns its one process."""
        self.s.vtest("wait-window", EXEC_CLASS, EXEC_TITLE, 20)
        pids = wait_for(lambda: [p for p in self.running_pids() if p != not_pid], 10)
        check(len(pids) == 1, f"installed Vistrane processes: {self.running_pids()}")
        return pids[0]

    def remove(self):
        """Takes out whatever an install left, also after a failed step."""
        for pid in self.running_pids():
            os.kill(pid, 9)
        shutil.rmtree(self.folder, ignore_errors=True)
        self.start_menu_link.unlink(missing_ok=True)
        self.startup_link.unlink(missing_ok=True)
        self.s.vtest("reg-delete", self.key)


def capture(s, artifacts, viewer, number):
    """A screen copy reaches the viewer behind Vistrane and is written as -<number>."""
    reference = artifacts / f"clipboard-{number}.bmp"
    seen = len(viewer.notices())
    s.screencopy("--save", s.win_path(reference))
    expect_capture(s, artifacts, f"Vstrn{today_mmdd()}-{number:03}.bmp", reference)
    check(len(viewer.wait_notices(seen + 1)) == seen + 1,
          f"the viewer behind Vistrane got {viewer.notices()[seen:]}")


def install_run_reinstall_uninstall(s, artifacts, setup, installation):
    version = package_version(setup)
    s.vtest("wait-window", "--gone", MAIN_CLASS, MAIN_TITLE, 10)
    installation.install(setup)
    installation.check_installed(version)
    check(installation.running_pids() == [], "a silent first install started Vistrane")

    with Viewer(s, artifacts) as viewer:
        s.run("start", installation.startup_link_win)
        first = installation.wait_started()
        capture(s, artifacts, viewer, 1)

        # The user no longer wants Vistrane at log-on: a reinstall keeps that.
        installation.startup_link.unlink()
        # The Vistrane it starts prints: without a printer, a box at each capture.
        s.vtest("reg-set", SETTINGS_KEY, "PrtOutputMode=1")
        installation.install(setup)
        installation.check_installed(version, startup=False)
        second = installation.wait_started(not_pid=first)
        # The old process may still be tearing down after its window went.
        check(wait_for(lambda: not Path(f"/proc/{first}").exists(), 10),
              "the reinstall left the old Vistrane running")
        seen = len(viewer.notices())
        reference = artifacts / "clipboard-2.bmp"
        s.screencopy("--save", s.win_path(reference))
        expect_capture(s, artifacts, f"Vstrn{today_mmdd()}-002.bmp", reference)
        expect_error_box(s, artifacts, "no-printer-box")

        # Nobody answers the box: the uninstall closes it.
        installation.uninstall()
        s.vtest("wait-window", "--gone", MAIN_CLASS, MAIN_TITLE, 0)
        check(wait_for(lambda: not Path(f"/proc/{second}").exists(), 10),
              "the uninstall left Vistrane running")
        # A Vistrane that was killed would have cut the chain off behind it.
        s.screencopy("--text", "after the uninstall")
        check(len(viewer.wait_notices(seen + 2)) == seen + 2,
              f"the viewer behind Vistrane got {viewer.notices()[seen:]}")
    names = [f"Vstrn{today_mmdd()}-{n:03}.bmp" for n in (1, 2)]
    check(s.output_files() == names, f"after the uninstall C:\\VstrnTmp holds {s.output_files()}")
    check(s.read_settings() is not None, "the uninstall removed the settings")


def per_user_install(setup, installation):
    """What a user without administrator rights gets."""
    installation.install(setup)
    installation.check_installed(package_version(setup))
    installation.uninstall()


def main(s, artifacts):
    setup = Path(os.environ["VISTRANE_SETUP"])
    portable = Path(os.environ["VISTRANE_PORTABLE_ZIP"])
    for path in (setup, portable):
        check(path.is_file(), f"{path} is missing: build the Windows tree")
    check_portable_zip(s, portable, package_version(setup))

    # Shortcuts would otherwise make Wine write menu entries into the Linux home.
    s.env["WINEDLLOVERRIDES"] += ";winemenubuilder.exe=d"
    s.reset_settings(test_settings())
    s.reset_output_dir()
    installations = [Installation(s, mode) for mode in ("AllUsers", "CurrentUser")]
    for installation in installations:
        installation.remove()
    PdfPrinter(s).remove()  # before Vistrane starts, which takes the list at its start
    try:
        install_run_reinstall_uninstall(s, artifacts, setup, installations[0])
        per_user_install(setup, installations[1])
    finally:
        PdfPrinter(s).add()
        for installation in installations:
            installation.remove()


scenario(main)
