#!/usr/bin/env python3
"""The Windows 11 screen-copy key question. With the prefix claiming build
22631 and the snipping setting absent, Vistrane asks once after its start-up,
and captures work while the question waits; "はい" writes 0 as a DWORD and
the next start asks nothing, even with the setting back at 1; "いいえ" leaves
the setting alone and is remembered as well; build 19045 asks nothing. The
prefix's own registry values are put back at the end: the scenarios share it."""

from vistrane_e2e import (QUIET_TIME, Vistrane, check, expect_capture, scenario, test_settings,
                          today_mmdd)

VERSION_KEY = r"HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion"
KEYBOARD_KEY = r"HKCU\Control Panel\Keyboard"
SNIPPING = "PrintScreenKeyForSnippingEnabled"
ASKED = "SnipKeyAsked"
TITLE = "Vistrane"


def value(s, key, name):
    """{"type": .., "data": ..} of a registry value, or None."""
    values = s.vtest_json("reg-dump", key)
    return values.get(name) if values else None


def dword(n):
    return {"type": "REG_DWORD", "data": n.to_bytes(4, "little").hex()}


def set_snipping(s, n):
    """The snipping setting as a DWORD, or absent for None (Wine's reg.exe:
    vtest reg-set writes text only)."""
    if n is None:
        s.run("reg", "delete", KEYBOARD_KEY, "/v", SNIPPING, "/f")
    else:
        s.run("reg", "add", KEYBOARD_KEY, "/v", SNIPPING, "/t", "REG_DWORD", "/d", str(n), "/f")
    check(value(s, KEYBOARD_KEY, SNIPPING) == (None if n is None else dword(n)),
          f"could not set {SNIPPING} to {n}")


def set_build(s, build):
    s.vtest("reg-set", VERSION_KEY, f"CurrentBuildNumber={build}")


def wait_question(s, artifacts, name):
    report = s.vtest_json("msgbox", "--title", TITLE, "--timeout", "20", "--out",
                          s.win_path(artifacts / f"{name}.json"))
    check(report["icon"] == "question" and len(report["buttons"]) == 2,
          f"not a yes/no question: {report}")
    for part in ("PrintScreen キーを画面のコピーに戻しますか", "次回のサインインから",
                 "［設定］>［アクセシビリティ］>［キーボード］",
                 "「PrintScreen キーを使用して画面キャプチャを開く」"):
        check(part in report["text"], f"the question lacks {part!r}: {report['text']}")
    return report


def answer(s, button):
    s.vtest("msgbox", "--title", TITLE, "--timeout", "5", f"--{button}")


def expect_no_question(s):
    """Called once the start-up is done, after which the question comes at once."""
    check(s.vtest("msgbox", "--title", TITLE, "--timeout", str(QUIET_TIME), expect=None) == "",
          "Vistrane asked about the screen-copy key")


def expect_asked_remembered(s):
    settings = s.read_settings()
    check(settings.get(ASKED) == ("REG_SZ", "1"), f"{ASKED} is {settings.get(ASKED)}")


def main(s, artifacts):
    build = value(s, VERSION_KEY, "CurrentBuildNumber")
    check(build is not None and build["type"] == "REG_SZ", f"CurrentBuildNumber is {build}")
    snipping = value(s, KEYBOARD_KEY, SNIPPING)
    check(snipping is None or snipping["type"] == "REG_DWORD", f"{SNIPPING} is {snipping}")
    try:
        s.reset_settings(test_settings())
        s.reset_output_dir()
        set_build(s, "22631")
        set_snipping(s, None)
        with Vistrane(s, artifacts):
            wait_question(s, artifacts, "question")
            s.screenshot(artifacts / "question.png")
            reference = artifacts / "clipboard.bmp"
            s.screencopy("--save", s.win_path(reference))
            expect_capture(s, artifacts, f"Vstrn{today_mmdd()}-001.bmp", reference)
            answer(s, "yes")
            check(value(s, KEYBOARD_KEY, SNIPPING) == dword(0),
                  f"after はい {SNIPPING} is {value(s, KEYBOARD_KEY, SNIPPING)}")
            expect_asked_remembered(s)

        set_snipping(s, 1)
        with Vistrane(s, artifacts):
            expect_no_question(s)

        s.reset_settings(test_settings())
        with Vistrane(s, artifacts):
            wait_question(s, artifacts, "question-again")
            answer(s, "no")
            expect_asked_remembered(s)
        check(value(s, KEYBOARD_KEY, SNIPPING) == dword(1), f"いいえ changed {SNIPPING}")

        s.reset_settings(test_settings())
        set_build(s, "19045")
        set_snipping(s, None)
        with Vistrane(s, artifacts):
            expect_no_question(s)
    finally:
        set_build(s, build["data"])
        set_snipping(s, None if snipping is None
                     else int.from_bytes(bytes.fromhex(snipping["data"]), "little"))


scenario(main)
