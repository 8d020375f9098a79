#!/usr/bin/env python3
"""The printer page of the settings dialog with two CUPS printers: both are
listed in the spooler's order with the default one selected, each with the
paper sizes it accepts. Choosing the second printer and the paper A5 applies
at once: the next capture prints one A5 page on that printer (the page size
read from the printed file), nothing on the default one. The choice is not
stored."""

from printing import PdfPrinter, page_count, render
from setting_dialog import SettingDialog
from vistrane_e2e import (Vistrane, check, check_no_error_box, expect_capture, scenario,
                          test_settings, today_mmdd)

A5 = "A5、148 x 210 mm"
A5_POINTS = (419.5, 595.3)  # 148 x 210 mm at 72 dpi, portrait
PAPER_TEXTS = {
    "レター、8 1/2 x 11 インチ", "+A611 レター スモール、8 1/2 x 11 インチ",
    "タブロイド、11 x 17 インチ", "レジャー、17 x 11 インチ", "リーガル、8 1/2 x 14 インチ",
    "ステートメント、5 1/2 x 8 1/2 インチ", "エグゼクティブ、7 1/2 x 10 1/2 インチ",
    "A3、297 x 420 mm", "A4、210 x 297 mm", "A4 Small、210 x 297 mm", A5, "B4、250 x 354 mm",
    "B5、182 x 257 mm", "フォリオ、8 1/2 x 13 インチ", "クォート、215 x 275 mm", "10 x 14 インチ",
    "11 x 17 インチ", "ノート、8 1/2 x 11 インチ",
}


def choose(d, name, index):
    """Opens the drop-down list and moves to the entry with the keyboard."""
    d.click(name)
    d.keys("home", *(["down"] * index), "return")
    check(d.control(name)["selected"] == index, f"{name}: entry {index} was not chosen")


def main(s, artifacts):
    default = PdfPrinter(s)
    second = PdfPrinter(s, "VPDF2")
    second.add()
    try:
        s.reset_settings(test_settings(PrtOutputMode=1, Orientation=2, ZoomMode=0))
        s.reset_output_dir()
        with Vistrane(s, artifacts) as vistrane:
            d = SettingDialog(s, vistrane)
            d.pop_setting()
            d.show_tab(0)
            choose(d, "PrtName", 1)  # then cancelled: VPDF is in use again
            d.click("btnCancel")
            d.wait_closed()
            d.pop_setting()
            d.show_tab(0)
            state = d.dump()
            s.screenshot(artifacts / "printer-tab.png")
            printers = d.control("PrtName", state)
            check(printers["items"] == ["VPDF", "VPDF2"] and printers["selected"] == 0,
                  f"the printer list is {printers}")
            papers = d.control("PaperSize", state)
            check(papers["items"] and set(papers["items"]) <= PAPER_TEXTS and
                  papers["selected"] >= 0, f"VPDF's paper list is {papers}")

            choose(d, "PrtName", 1)
            papers = d.control("PaperSize")
            check(A5 in papers["items"], f"VPDF2 offers {papers['items']}")
            choose(d, "PaperSize", papers["items"].index(A5))
            d.click("btnOK")
            d.wait_closed()

            default.clear()
            second.clear()
            reference = artifacts / "capture.bmp"
            s.screencopy("--owner", "desktop", "--size", "200x100", "--save",
                         s.win_path(reference))
            expect_capture(s, artifacts, f"Vstrn{today_mmdd()}-001.bmp", reference)
            postscript = second.wait_job()
            check(page_count(postscript) == 1, f"{page_count(postscript)} pages on VPDF2")
            width, height, _ = render(second.page_file, artifacts / "vpdf2-page.png")
            check(all(abs(got - want) <= 2 for got, want in zip((width, height), A5_POINTS)),
                  f"the page is {width}x{height} points, not A5")
            check(not default.page_file.exists(), "the capture was printed on VPDF too")
            check_no_error_box(s)
        stored = s.read_settings()
        check("PrtDeviceName" not in stored and "PrtPaperSize" not in stored,
              "the printer choice was stored")
    finally:
        second.remove()


scenario(main)
