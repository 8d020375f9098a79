#!/usr/bin/env python3
"""The settings dialog from the tray menu, worked with the mouse and the
keyboard: at 96 dpi its client area is 8985 x 5145 twips, the file types fit
in their frame, each tab is kept as a picture for a reviewer, and the days
field has the window colour while automatic deletion is on and the dialog's
own colour while it is off; it opens on the file tab showing the stored values (an unlisted
ZoomMode as "縮小・拡大しない"), with every caption of its own, its tabs' and the tray menu's
character for character as listed here; OK stores the edited values and closes, but
refuses with its message while all three outputs are off; Cancel (button or
Esc) puts the values back and stores nothing; the file type's third option
"ＰＮＧ" ends the preview in ".png", is stored as 3 and shown again; the base
name and the days are refused with their messages and the focus goes back;
Enter in a text box does not close the dialog; Tab follows the reading order
and the arrow keys move within an option group; a second "Vistrane設定"
brings the same dialog forward untouched."""

import subprocess

from setting_dialog import DIALOG_CLASS, DIALOG_TITLE, IDS, SettingDialog
from vistrane_e2e import (INSTALL_DIR_WIN, PatternWindow, Vistrane, check, check_no_error_box,
                          check_stays, scenario, test_settings)

NO_OUTPUT = "プリンタ・ファイル・メールのいずれかを出力設定して下さい。"
NAME_EMPTY = "画像出力ファイルの名称は必ず設定して下さい。"
DAYS_NOT_NUMBER = "画像ファイルの保存日数は数字を設定して下さい。"
DAYS_ZERO = "画像ファイルの保存日数は０以外を設定して下さい。"
# Every caption of the dialog, its tabs and the tray menu ("-" a separator), as they show them.
CAPTIONS = {
    "frmOutput": "出力先の指定", "frmPrinterOut": "プリンター出力", "rbtnPrt_Yes": "する", "rbtnPrt_No": "しない",
    "frmFileOut": "ファイル出力", "rbtnFile_Yes": "する", "rbtnFile_No": "しない", "frmMailSend": "メール送信",
    "rbtnMail_Yes": "する", "rbtnMail_No": "しない", "frmOutputColor": "画像の表示色",
    "rbtnColorFull": "フルカラー", "rbtnColor256": "２５６色", "rbtnColor16": "１６色", "rbtnColor2": "２色",
    "SSTab1": ["プリンター設定", "ファイル出力設定", "メール送信設定"], "frmOrientation": "印刷時の用紙方向", "rbtnYoko": "横",
    "rbtnTate": "縦", "rbtnAuto": "自動", "frmPrtYoko": "印刷時の配置（横方向）", "rbtnYokoLeft": "左揃え",
    "rbtnYokoCenter": "中央", "rbtnYokoRight": "右揃え", "frmPrtTate": "印刷時の配置（縦方向）",
    "rbtnTateTop": "上揃え", "rbtnTateCenter": "中央", "rbtnTateBottom": "下揃え",
    "frmZoom": "印刷時の自動縮小・拡大", "rbtnZoomIn": "自動縮小する", "Label2": "(幅・高さのどちらかが用紙サイズより大きい場合に自動で縮小)",
    "rbtnZoomOut": "自動拡大する", "Label3": "(幅・高さ共に用紙サイズより小さい場合に自動で拡大)", "rbtnZoomAuto": "自動縮小・拡大する",
    "Label4": "(幅・高さを用紙サイズに合わせて縮小及び拡大)", "rbtnZoomOff": "縮小・拡大しない", "frmOutFolder": "出力先",
    "frmOutFile": "画像出力ファイル", "Label6": "名称：", "frmFileNamePlus": "画像出力ファイル名末尾への付加",
    "rbtnMDNo": "月日＋ＮＯ", "rbtnMDTime": "月日＋時刻", "rbtnPlusNo": "付加しない",
    "frmFileType": "画像出力ファイルの形式", "rbtnBit": "ビットマップ", "rbtnJPEG": "ＪＰＥＧ", "rbtnPNG": "ＰＮＧ",
    "frmAutoDelete": "画像ファイルの自動削除", "rbtnAutoDelYes": "する", "rbtnAutoDelNo": "しない",
    "Label1": "日を過ぎた場合に削除",
    "Label7": "※メール送信する為には、電子メールソフト（Exchange、Outlook、OutlookExpress）をデフォルトの",
    "Label9": "　メールクライアントに設定しておく必要があります。", "Label5": "宛て先", "Label8": "件 名 ",
    "frmCompress": "添付ファイルがビットマップの場合", "rbtnComp_Yes": "圧縮（ＬＨＡ）して添付する",
    "rbtnComp_Zip": "圧縮（ＺＩＰ）して添付する",
    "rbtnComp_no": "ビットマップのまま添付（圧縮しない）", "Label10": "圧縮して添付する場合は", "Label11": "別途、ＵｎＬＨＡ３２が必要です。",
    "btnOK": "O K", "btnCancel": "キャンセル",
    "PopMenu": ["Vistrane設定", "-", "ﾊﾞｰｼﾞｮﾝ情報", "-", "終　了 (Quit)"]
}


def expect_message(s, text):
    """The product's error box shows `text`; OK closes it."""
    box = s.vtest_json("msgbox", "--timeout", "10", "--ok")
    check(box["text"] == text and box["icon"] == "exclamation",
          f"the box says {box['text']!r} ({box['icon']}), expected {text!r}")


def expect_no_message(s):
    """No error box appears once the dialog has taken the field's text."""
    check_stays(lambda: s.vtest("msgbox", "--timeout", "0", expect=None) == "",
                lambda: "an error box appeared")


def registry(s):
    return {name: data for name, (_, data) in s.read_settings().items()}


def pixel(screen, x, y):
    result = subprocess.run(["convert", str(screen), "-format", f"%[pixel:p{{{x},{y}}}]", "info:"],
                            check=True, capture_output=True, text=True, timeout=60)
    return result.stdout.strip()


def days_background(s, d, artifacts, name):
    """The colour inside the days field, beside the digits, and the page's colour."""
    s.screenshot(artifacts / name)
    left, top, right, bottom = d.control("numAutoDelDate")["rect"]
    inside = pixel(artifacts / name, right - 6, (top + bottom) // 2)
    fl, ft, fr, fb = d.control("frmAutoDelete")["rect"]
    page = pixel(artifacts / name, fr - 4, fb - 4)
    return inside, page


def layout_and_days_colour(s, d, artifacts):
    d.pop_setting()
    d.check_layout(artifacts, 96)
    d.show_tab(1)
    inside, page = days_background(s, d, artifacts, "days-enabled.png")
    check(inside != page, f"the enabled days field has the dialog's colour {page}")
    d.click("rbtnAutoDelNo")
    inside, page = days_background(s, d, artifacts, "days-disabled.png")
    check(inside == page, f"the disabled days field is {inside}, the dialog {page}")
    d.keys("escape")
    d.wait_closed()


def captions(s, d, state):
    """The texts of the labels, frames and buttons (but the preview), the tabs and the menu."""
    names = {str(number): name for name, number in IDS.items()}
    shown = {names.get(i, i): c["text"] for i, c in state["controls"].items()
             if c["text"] and c["class"].lower() in ("button", "static")}
    shown.pop("lblDirName", None)
    shown["SSTab1"] = d.control("SSTab1", state)["items"]
    shown["PopMenu"] = s.vtest_json("menu-captions", INSTALL_DIR_WIN + r"\Vistrane.exe")
    wrong = {n: (shown.get(n), CAPTIONS.get(n)) for n in shown.keys() | CAPTIONS
             if shown.get(n) != CAPTIONS.get(n)}
    check(not wrong, f"captions (shown, expected): {wrong}")


def opening_state(s, d, artifacts):
    state = d.pop_setting()
    s.screenshot(artifacts / "opened.png")
    left, top, right, bottom = state["client"]
    check((right - left, bottom - top) == (599, 343),
          f"client area {right - left}x{bottom - top}, expected 599x343 (8985 x 5145 twips)")
    captions(s, d, state)
    check(d.control("SSTab1", state)["selected"] == 1, "the dialog did not open on tab 1")
    checked = d.checked(state, "rbtnPrt_Yes", "rbtnPrt_No", "rbtnFile_Yes", "rbtnFile_No",
                        "rbtnMail_Yes", "rbtnMail_No", "rbtnColorFull", "rbtnZoomOff",
                        "rbtnMDNo", "rbtnBit", "rbtnAutoDelYes", "rbtnComp_Yes", "rbtnYoko")
    check(checked == ["rbtnPrt_No", "rbtnFile_Yes", "rbtnMail_No", "rbtnColorFull",
                      "rbtnZoomOff", "rbtnMDNo", "rbtnBit", "rbtnAutoDelYes", "rbtnComp_Yes",
                      "rbtnYoko"], f"checked on opening: {checked}")
    check(d.control("lblDirName", state)["text"] == "C:\\VstrnTmp\\Vstrnmmdd-999.bmp",
          f"preview {d.control('lblDirName', state)['text']!r}")
    drives = d.control("drvBox", state)
    check(drives["items"][drives["selected"]] == "C:\\", f"drive list {drives}")
    folders = d.control("dirList", state)
    check(folders["items"][:2] == ["C:\\", "VstrnTmp"] and folders["selected"] == 1,
          f"folder list {folders}")
    days = d.control("numAutoDelDate", state)
    check(days["text"] == "10" and days["enabled"], f"days field {days}")
    check(d.control("txtMailAdd", state)["text"] == "old@example.jp", "mail address not shown")
    return state


def ok_stores_and_closes(s, d, artifacts):
    stored = registry(s)
    opening_state(s, d, artifacts)
    d.click("rbtnColor16")
    d.click("rbtnMDTime")
    check(d.control("lblDirName")["text"] == "C:\\VstrnTmp\\Vstrnmmdd-hhmmss.bmp", "preview")
    d.click("rbtnJPEG")
    check(d.control("lblDirName")["text"] == "C:\\VstrnTmp\\Vstrnmmdd-hhmmss.jpg", "preview")
    d.click("rbtnPNG")
    check(d.control("lblDirName")["text"] == "C:\\VstrnTmp\\Vstrnmmdd-hhmmss.png", "preview")
    d.replace_text("txtFileName", "Scr")
    d.keys("return")
    check(d.is_open(), "Enter in the base name closed the dialog")
    d.keys("tab")
    check(d.control("lblDirName")["text"] == "C:\\VstrnTmp\\Scrmmdd-hhmmss.png", "preview")
    d.replace_text("numAutoDelDate", "30")
    d.keys("tab")
    d.show_tab(2)
    d.replace_text("txtMailAdd", "to@example.jp")
    d.replace_text("txtMailKenmei", "画面コピー")
    d.click("txtMailNote")
    d.type("一行目")
    d.keys("return")
    d.type("二行目")
    s.screenshot(artifacts / "edited-mail-tab.png")
    d.click("btnOK")
    d.wait_closed()
    expected = dict(stored, ColorMode="3", FileOutMode="2", OutputFileMode="3", Filename="Scr",
                    AutoDelDate="30", MailAdd="to@example.jp", MailKenmei="画面コピー",
                    MailNote="一行目\r\n二行目", ZoomMode="0")
    got = registry(s)
    check(got == expected, "OK stored " + str({k: v for k, v in got.items()
                                                if expected.get(k) != v}))


def ok_refused_without_outputs(s, d):
    stored = registry(s)
    d.pop_setting()
    d.click("rbtnFile_No")
    d.click("btnOK")
    expect_message(s, NO_OUTPUT)
    check(d.is_open(), "the dialog closed after the refusal")
    check(registry(s) == stored, "the refused OK stored something")
    d.click("rbtnPrt_Yes")
    d.click("btnOK")
    d.wait_closed()
    check(registry(s) == dict(stored, PrtOutputMode="1", FileOutputMode="0"), "OK did not store")


def cancel_restores(s, d):
    stored = registry(s)
    d.pop_setting()
    d.click("rbtnColor2")
    d.show_tab(2)
    d.replace_text("txtMailAdd", "other@example.jp")
    d.keys("tab")
    d.click("btnCancel")
    d.wait_closed()
    check(registry(s) == stored, "Cancel stored something")
    state = d.pop_setting()
    check(d.checked(state, "rbtnColor16", "rbtnColor2") == ["rbtnColor16"],
          "Cancel did not put the colour back")
    check(d.checked(state, "rbtnBit", "rbtnJPEG", "rbtnPNG") == ["rbtnPNG"],
          "the stored PNG is not shown")
    check(d.control("txtMailAdd", state)["text"] == "to@example.jp", "Cancel kept the address")
    d.click("rbtnColor2")
    d.keys("escape")
    d.wait_closed()
    state = d.pop_setting()
    check(d.checked(state, "rbtnColor16", "rbtnColor2") == ["rbtnColor16"],
          "Esc did not put the colour back")
    check(registry(s) == stored, "Esc stored something")


def cancel_other_ways(s, d):
    """Esc in the mail note, a click on キャンセル out of an empty base name, the
    close button and Alt+F4 cancel too; the dialog is open before and after."""
    for way, cancel in (("Esc in the note", lambda: (d.show_tab(2), d.click("txtMailNote"),
                                                      d.keys("escape"))),
                        ("キャンセル", lambda: (d.replace_text("txtFileName", ""),
                                                d.click("btnCancel"))),
                        ("the close button", lambda: s.vtest("close", DIALOG_CLASS, DIALOG_TITLE)),
                        ("Alt+F4", lambda: d.keys("alt+f4"))):
        d.click("rbtnColor2")
        cancel()
        d.wait_closed()
        check(d.checked(d.pop_setting(), "rbtnColor16", "rbtnColor2") == ["rbtnColor16"],
              f"{way} did not put the colour back")


def text_checks(s, d):
    state = d.dump()
    preview = d.control("lblDirName", state)["text"]
    d.replace_text("txtFileName", "")
    d.keys("tab")
    expect_message(s, NAME_EMPTY)
    check(d.wait_focus("txtFileName"), f"the focus is on {d.focus()}, not the base name")
    check(d.control("lblDirName")["text"] == preview, "the refused name changed the preview")
    d.type("   ")
    d.keys("tab")
    expect_no_message(s)
    check(d.control("lblDirName")["text"] == preview.replace("Scr", "   "), "blanks refused")
    for text, message in (("7a", DAYS_NOT_NUMBER), ("0", DAYS_ZERO), ("7 7", DAYS_NOT_NUMBER),
                          ("", DAYS_NOT_NUMBER), ("-7", DAYS_NOT_NUMBER)):
        d.replace_text("numAutoDelDate", text)
        d.keys("tab")
        expect_message(s, message)
        check(d.wait_focus("numAutoDelDate"), f"after {text!r} the focus is on {d.focus()}")
        check(d.control("numAutoDelDate")["text"] == text, f"{text!r} was changed")
    d.replace_text("numAutoDelDate", " 7")
    d.keys("tab")
    expect_no_message(s)
    d.click("rbtnAutoDelNo")
    check(not d.control("numAutoDelDate")["enabled"], "the days field stays enabled")
    d.click("btnOK")
    d.wait_closed()
    stored = registry(s)
    check((stored["Filename"], stored["AutoDelDate"], stored["AutoDel"]) == ("   ", "7", "2"),
          f"stored {stored['Filename']!r}, {stored['AutoDelDate']}, {stored['AutoDel']}")


def keyboard(s, d):
    state = d.pop_setting()
    check(d.focus(state) == "rbtnPrt_Yes", f"the focus opens on {d.focus(state)}")
    order = []
    for _ in range(6):
        d.keys("tab")
        order.append(d.focus())
    check(order == ["rbtnFile_No", "rbtnMail_No", "rbtnColor16", "SSTab1", "drvBox", "dirList"],
          f"Tab went {order}")
    d.keys("shift+tab", "shift+tab", "shift+tab")
    check(d.focus() == "rbtnColor16", f"Shift+Tab went to {d.focus()}")
    d.keys("down")
    state = d.dump()
    check(d.focus(state) == "rbtnColor2" and d.checked(state, "rbtnColor16", "rbtnColor2") ==
          ["rbtnColor2"], "the down arrow did not choose the next colour")
    d.keys("escape")
    d.wait_closed()


def brought_forward(s, d, artifacts):
    first = d.pop_setting()
    d.click("rbtnColor256")
    with PatternWindow(s, artifacts, (300, 200, 700, 500), name="in-front"):
        check(not d.dump()["foreground"], "the dialog stayed in front of the new window")
        again = d.pop_setting()
        check(again["hwnd"] == first["hwnd"], "a second dialog was opened")
        check(again["foreground"], "the dialog was not brought forward")
        check(d.checked(again, "rbtnColor16", "rbtnColor256") == ["rbtnColor256"],
              "the opening sequence ran again")
    d.click("btnCancel")
    d.wait_closed()


def main(s, artifacts):
    s.reset_settings(test_settings(ZoomMode=9, MailAdd="old@example.jp"))
    s.reset_output_dir()
    with Vistrane(s, artifacts) as vistrane:
        d = SettingDialog(s, vistrane)
        layout_and_days_colour(s, d, artifacts)
        ok_stores_and_closes(s, d, artifacts)
        ok_refused_without_outputs(s, d)
        cancel_restores(s, d)
        cancel_other_ways(s, d)
        text_checks(s, d)
        keyboard(s, d)
        brought_forward(s, d, artifacts)
        check_no_error_box(s)


scenario(main)
