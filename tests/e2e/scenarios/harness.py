#!/usr/bin/env python3
"""The test tools themselves, before any scenario relies on them: screencopy
puts what it claims on the clipboard with the claimed owner, the pattern
window shows the pattern, the viewer logs each notice, msgbox reads a box and
tells icons apart, and the registry commands keep Japanese and empty values."""

from vistrane_e2e import (SCREEN_SIZE, Failure, PatternWindow, Viewer, bmp_shape, check,
                          scenario)

PATTERN_RECT = (100, 80, 500, 380)


def pattern_pixel(x, y):
    """The tools' test pattern (tools/common/test_pattern.cpp), as RGB."""
    return ((x * 3 + y) & 255, (x ^ (y * 5)) & 255, ((x // 8 + y // 8) * 37) & 255)


def check_pattern_file(path, width, height):
    """The 24-bit bitmap file holds exactly the pattern, top row first on screen."""
    check(bmp_shape(path) == (width, height, 24), f"{path}: {bmp_shape(path)}")
    data = path.read_bytes()
    offset = int.from_bytes(data[10:14], "little")
    stride = (width * 3 + 3) & ~3
    for y in range(height):
        row = offset + (height - 1 - y) * stride
        for x in range(width):
            blue, green, red = data[row + 3 * x:row + 3 * x + 3]
            if (red, green, blue) != pattern_pixel(x, y):
                raise Failure(f"{path.name}: pixel ({x}, {y}) is {(red, green, blue)}, "
                                     f"the pattern has {pattern_pixel(x, y)}")


def clipboard_tools(s, artifacts):
    with Viewer(s, artifacts, "viewer1") as first, Viewer(s, artifacts, "viewer2") as second, \
            PatternWindow(s, artifacts, PATTERN_RECT):
        start1, start2 = len(first.notices()), len(second.notices())

        s.screencopy("--size", "123x45", "--save", s.win_path(artifacts / "pattern.bmp"))
        check_pattern_file(artifacts / "pattern.bmp", 123, 45)

        s.screencopy("--window", "--save", s.win_path(artifacts / "window.bmp"))
        check_pattern_file(artifacts / "window.bmp", 400, 300)

        s.screencopy("--save", s.win_path(artifacts / "screen.bmp"))
        s.screenshot(artifacts / "screen-x11.png")
        check(bmp_shape(artifacts / "screen.bmp") == (*SCREEN_SIZE, 24), "screen copy size")
        check(s.same_pixels(artifacts / "screen.bmp", artifacts / "screen-x11.png") == 0,
              "the screen copy differs from what the X display shows")

        s.screencopy("--owner", "desktop", "--size", "20x10")
        s.screencopy("--owner", "app", "--hold", "1", "--size", "20x10")
        s.screencopy("--owner", "app", "--hold", "1", "--text", "コピーした文字")
        s.screencopy("--text", "ownerless text")

        expected = ["draw owner=none formats=bitmap"] * 3 + [
            "draw owner=desktop formats=bitmap",
            "draw owner=window:VistraneScreencopyOwner formats=bitmap",
            "draw owner=window:VistraneScreencopyOwner formats=text",
            "draw owner=none formats=text",
        ]
        # viewer2 joined last: it sees each notice first and passes it to viewer1.
        check(second.wait_notices(start2 + 7)[start2:] == expected,
              f"viewer2 saw {second.notices()[start2:]}")
        check(first.wait_notices(start1 + 7)[start1:] == expected,
              f"viewer1 saw {first.notices()[start1:]}")

    check(s.tool("screencopy", "--size", "0x5", expect=2) == "", "screencopy accepted 0x5")
    check(s.tool("screencopy", "--hold", "2", expect=2) == "", "--hold without --owner app")


def message_box_probe(s, artifacts):
    check(s.vtest("msgbox", "--timeout", "0", expect=1) == "", "msgbox found a box where none is")
    text = "C:\\VstrnTmp\\Vstrn0101-001.bmp に書き込めませんでした。"
    for icon in ("exclamation", "information"):
        box = s.start(s.bin / "vtest.exe", "show-msgbox", "--icon", icon, text,
                      log=artifacts / f"show-{icon}.out")
        try:
            report = s.vtest_json("msgbox", "--timeout", "15", "--ok", "--out",
                                  s.win_path(artifacts / f"msgbox-{icon}.json"))
            check(report == {"title": "VISTRANE エラーダイアログ", "text": text, "icon": icon,
                             "buttons": ["OK"]}, f"msgbox reported {report}")
            check(box.wait(timeout=10) == 0, "show-msgbox did not end with OK")
        finally:
            if box.poll() is None:
                box.kill()
                box.wait()


def registry_commands(s, artifacts):
    key = r"HKCU\Software\Vistrane harness"
    s.vtest("reg-delete", key)
    check(s.vtest_json("reg-dump", key) is None, "a deleted key still reads")
    s.vtest("reg-set", key, "Empty=", "Japanese=件名", "Path=C:\\VstrnTmp", "Equals=a=b")
    check(s.vtest_json("reg-dump", key) == {
        "Empty": {"type": "REG_SZ", "data": ""},
        "Japanese": {"type": "REG_SZ", "data": "件名"},
        "Path": {"type": "REG_SZ", "data": "C:\\VstrnTmp"},
        "Equals": {"type": "REG_SZ", "data": "a=b"},
    }, "registry values did not round-trip")
    s.vtest("reg-delete", key)
    check(s.vtest_json("reg-dump", key) is None, "reg-delete left the key")


def main(s, artifacts):
    clipboard_tools(s, artifacts)
    message_box_probe(s, artifacts)
    registry_commands(s, artifacts)


scenario(main)
