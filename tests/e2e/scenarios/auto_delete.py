#!/usr/bin/env python3
"""At start-up with AutoDel 1, Vistrane deletes exactly the expired "bmp",
"jpg" and "png" files that begin with the base name (mail copies included)
and the archives and drafts a killed mail sender left of a mail copy, and
keeps everything else; a read-only expired file is skipped and the rest
still go. With AutoDel 0 or 2, or an AutoDelDate out of 1 to 999, nothing is
deleted. A drive root as output folder works too."""

import datetime
import os
import stat

from vistrane_e2e import Vistrane, check, check_no_error_box, scenario, test_settings


def at(days_ago, hour, minute):
    day = datetime.date.today() - datetime.timedelta(days=days_ago)
    return datetime.datetime.combine(day, datetime.time(hour, minute))


def make(folder, name, written, directory=False, read_only=False):
    path = folder / name
    if directory:
        path.mkdir()
    else:
        path.write_bytes(b"BM")
    stamp = written.timestamp()
    os.utime(path, (stamp, stamp))
    if read_only:
        path.chmod(stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH | (stat.S_IXUSR if directory else 0))
    return name


def run(s, artifacts, folder, settings, files, expect_deleted):
    """Creates `files` (name -> make() arguments) in folder, starts Vistrane and
    checks that exactly `expect_deleted` are gone."""
    s.reset_settings(test_settings(**settings))
    for name, args in files.items():
        make(folder, name, *args[:1], **args[1] if len(args) > 1 else {})
    # Entering returns once the start-up, and with it the deletion pass, is done.
    with Vistrane(s, artifacts) as vistrane:
        check_no_error_box(s)
        check(vistrane.running(), "Vistrane ended during its start-up")
        present = {p.name for p in folder.iterdir()}
        gone = {name for name in files if name not in present}
        check(gone == set(expect_deleted),
              f"deleted {sorted(gone)}, expected {sorted(expect_deleted)}")


def clear(folder, names):
    for name in names:
        path = folder / name
        if path.is_dir():
            path.chmod(0o755)
            path.rmdir()
        elif path.exists():
            path.chmod(0o644)
            path.unlink()


def main(s, artifacts):
    folder = s.output_dir()
    old = at(11, 23, 59)          # + 10 days = yesterday 23:59: expired
    kept_edge = at(10, 0, 0)      # + 10 days = today 00:00: not earlier, kept
    expired = {
        "Vstrn0101-001.bmp": (old,),
        "Vstrn0101-002.jpg": (at(40, 12, 0),),
        "VstrnML-120000.bmp": (old,),
        "VstrnML-120001.jpg": (at(365, 8, 0),),
        "VstrnML-120002.png": (old,),
        "VstrnML-120003.lzh": (old,),
        "VstrnML-120004-2.zip": (old,),
        "VstrnML-120005.eml": (old,),
    }
    kept = {
        "Vstrn0102-001.bmp": (kept_edge,),
        "Vstrn0103-001.BMP": (old,),
        "Vstrn0103-002.JPG": (old,),
        "Vstrn0103-003.PNG": (old,),
        "Vstrn0103-004.bmp.txt": (old,),
        "VstrnML-120006.LZH": (old,),
        "Photo0101-001.bmp": (old,),
        "photoVstrn.jpg": (old,),
        "Vstrn0104-001.bmp": (old, {"directory": True}),
        "Vstrn0104-002.jpg": (old, {"directory": True, "read_only": True}),
        "Vstrn0105-001.bmp": (old, {"read_only": True}),
        f"Vstrn{datetime.date.today():%m%d}-001.bmp": (datetime.datetime.now(),),
    }
    files = {**expired, **kept}

    s.reset_output_dir()
    for off in (0, 2):  # only 1 deletes
        run(s, artifacts, folder, {"AutoDel": off}, files, [])
        clear(folder, files)
    run(s, artifacts, folder, {"AutoDel": 1, "AutoDelDate": 10}, files, expired)
    clear(folder, files)

    # AutoDelDate 0 or -5 (another tool wrote it): not even yesterday's files go.
    today = {
        "Vstrn0201-001.bmp": (at(1, 23, 59),),
        "Vstrn0202-001.bmp": (at(0, 0, 0),),
        "VstrnML-000001.jpg": (at(0, 0, 1),),
    }
    for days in (0, -5):
        run(s, artifacts, folder, {"AutoDelDate": days}, today, [])
    clear(folder, today)

    # The output folder at the drive root: files at the root are examined.
    root = s.c_path("C:\\")
    at_root = {"Vstrn0301-001.bmp": (old,), "Vstrn0302-001.bmp": (kept_edge,)}
    try:
        run(s, artifacts, root, {"Drive": "C:\\", "DirName": "C:\\"}, at_root,
            ["Vstrn0301-001.bmp"])
    finally:
        clear(root, at_root)


scenario(main)
