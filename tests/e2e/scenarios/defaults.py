#!/usr/bin/env python3
"""First start with an empty settings store: Vistrane writes every default and
creates the output folder; quitting saves nothing. A store in which a
deployment script wrote only the folder and the base name keeps them and gets
the other defaults."""

import json

from vistrane_e2e import Vistrane, check, default_settings, scenario, wait_for


def differences(actual, expected):
    actual = actual or {}
    lines = [f"missing {k}" for k in expected if k not in actual]
    lines += [f"unexpected {k}={actual[k]}" for k in actual if k not in expected]
    lines += [f"{k}: {actual[k]} instead of {expected[k]}"
              for k in expected if k in actual and actual[k] != expected[k]]
    return "; ".join(lines)


def main(s, artifacts):
    deployed = {"DirName": "C:\\Deployed", "Filename": "Shot"}
    s.reset_settings(deployed)
    with Vistrane(s, artifacts):  # returns once the start-up is done
        expected = {k: ("REG_SZ", v) for k, v in {**default_settings(), **deployed}.items()}
        settings = s.read_settings()
        check(settings == expected, f"deployed store after the start: {differences(settings, expected)}")
    s.c_path(deployed["DirName"]).rmdir()  # created by the start-up

    s.reset_settings()
    s.reset_output_dir(create=False)
    check(s.read_settings() is None, "the store still holds values before the start")
    expected = {key: ("REG_SZ", value) for key, value in default_settings().items()}

    with Vistrane(s, artifacts) as vistrane:
        def all_written():
            settings = s.read_settings()
            return settings if settings and len(settings) >= len(expected) else None

        settings = wait_for(all_written, 10) or s.read_settings()
        (artifacts / "settings.json").write_text(json.dumps(settings, ensure_ascii=False, indent=1),
                                                 encoding="utf-8")
        check(settings == expected, f"settings after the first start: {differences(settings, expected)}")
        check(s.output_dir().is_dir(), "C:\\VstrnTmp was not created")
        vistrane.quit_via_tray(screenshot="tray-menu.png")

    after = s.read_settings()
    check(after == expected, f"settings changed at quit: {differences(after, expected)}")


scenario(main)
