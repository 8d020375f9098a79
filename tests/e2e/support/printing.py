"""The session's PDF printer VPDF (tests/e2e/cups.sh) and what lands on its
pages: page count, orientation, where the picture lies, and the text."""

import re
import subprocess

from vistrane_e2e import CUPS_SCRIPT, check, wait_for

RENDER_DPI = 72


class PdfPrinter:
    """VPDF, the session's default printer, or another PDF printer beside it."""

    def __init__(self, session, name="VPDF"):
        self.session = session
        self.name = name
        self.state = session.dir
        self.page_file = self.state / "cups" / "out" / f"{name}.ps"

    def _cups(self, action):
        subprocess.run([str(CUPS_SCRIPT), action, str(self.state), self.name], check=True,
                       timeout=60)

    def remove(self):
        """Deletes the printer; without VPDF, Wine programs started from now on
        see no printer."""
        self._cups("remove")

    def add(self):
        self._cups("add")

    def clear(self):
        self.page_file.unlink(missing_ok=True)

    def queue(self):
        result = subprocess.run(["lpstat", "-o"], env=self.session.env, capture_output=True,
                                text=True, timeout=30)
        return result.stdout.strip()

    def wait_job(self, timeout=60):
        """Waits until a job has been printed to the page file; returns its text."""
        done = wait_for(lambda: self.page_file.is_file() and self.queue() == "", timeout, 0.3)
        check(done, f"no job reached {self.name} within {timeout} s (queue: {self.queue()!r})")
        return self.page_file.read_bytes().decode("latin-1")


def page_count(postscript):
    return len(re.findall(r"^%%Page:", postscript, re.MULTILINE))


def is_landscape(postscript):
    return re.search(r"^%%Orientation: Landscape", postscript, re.MULTILINE) is not None


# Glyph names of the header's characters. TrueType fonts name glyphs by the
# Adobe Glyph List; Japanese fonts by Adobe-Japan1 character ids ("ajNNN"),
# whose ids 1-95 and 231-325 are the ASCII characters and 633 the full-width
# space.
AGL = {"space": " ", "period": ".", "slash": "/", "colon": ":", "hyphen": "-",
       "zero": "0", "one": "1", "two": "2", "three": "3", "four": "4", "five": "5",
       "six": "6", "seven": "7", "eight": "8", "nine": "9", "underscore": "_"}


def glyph_char(name):
    if len(name) == 1:
        return name
    if name in AGL:
        return AGL[name]
    if re.fullmatch(r"uni[0-9A-F]{4}", name):
        return chr(int(name[3:], 16))
    match = re.fullmatch(r"aj(\d+)", name)
    if match:
        cid = int(match.group(1))
        if 1 <= cid <= 95:
            return chr(cid - 1 + 0x20)
        if 231 <= cid <= 325:
            return chr(cid - 231 + 0x20)
        if cid == 633:
            return "\u3000"
    return "\ufffd"


def page_text(postscript):
    """The text Wine's PostScript driver drew, glyph by glyph."""
    names = re.findall(r"/([^\s/]+) glyphshow", postscript)
    check(names, "the page shows no glyphs")
    return "".join(glyph_char(name) for name in names)


def render(page_file, png, dpi=RENDER_DPI):
    """Renders the page at dpi; returns (width, height, rgb bytes). A PNG copy
    is kept for a reviewer."""
    subprocess.run(["gs", "-q", "-dSAFER", "-sDEVICE=png16m", f"-r{dpi}", "-o", str(png),
                    str(page_file)], check=True, timeout=120)
    result = subprocess.run(["gs", "-q", "-dSAFER", "-sDEVICE=ppmraw", f"-r{dpi}",
                             "-o", "-", str(page_file)], check=True, capture_output=True,
                            timeout=120)
    data = result.stdout
    match = re.match(rb"P6\s+(?:#[^\n]*\n\s*)*(\d+)\s+(\d+)\s+255\s", data)
    check(match, "ghostscript gave no PPM image")
    width, height = int(match.group(1)), int(match.group(2))
    return width, height, data[match.end():]


def is_coloured(pixel):
    return max(pixel) - min(pixel) > 48


def header_band(width, height, rgb):
    """Rows of an upright page above the picture: (the last row with the
    header's ink + 1, the picture's first row)."""
    stride = width * 3
    ink_end = 0
    for y in range(height):
        row = rgb[y * stride:(y + 1) * stride]
        pixels = [row[3 * x:3 * x + 3] for x in range(width)]
        if any(is_coloured(p) for p in pixels):
            return ink_end, y
        if any(max(p) < 160 for p in pixels):
            ink_end = y + 1
    check(False, "the page holds no picture")


def read_text(png, rows):
    """The text tesseract reads in the page's top `rows` rows."""
    band = png.with_name(png.stem + "-band.png")
    subprocess.run(["convert", str(png), "-crop", f"x{rows}+0+0", "+repage", str(band)],
                   check=True, timeout=60)
    result = subprocess.run(["tesseract", str(band), "-", "--psm", "7"], capture_output=True,
                            text=True, timeout=120)
    check(result.returncode == 0, f"tesseract failed: {result.stderr.strip()}")
    return result.stdout.strip()


def coloured_box(width, height, rgb):
    """(left, top, right, bottom) of the coloured pixels, right and bottom
    exclusive: the test pattern, not the grey header text."""
    left, top, right, bottom = width, height, 0, 0
    stride = width * 3
    for y in range(height):
        row = rgb[y * stride:(y + 1) * stride]
        xs = [x for x in range(width) if is_coloured(row[3 * x:3 * x + 3])]
        if xs:
            top = min(top, y)
            bottom = y + 1
            left = min(left, xs[0])
            right = max(right, xs[-1] + 1)
    check(right > left, "the page holds no picture")
    return left, top, right, bottom


def to_page_coordinates(box, width, height, landscape):
    """The box in the coordinates of the page as printed: a landscape page is
    rendered on upright paper, its top left at the paper's bottom left."""
    left, top, right, bottom = box
    if not landscape:
        return box
    return height - bottom, left, height - top, right


def expected_box(layout):
    """Where the picture must lie at RENDER_DPI, from vtest print-layout."""
    scale = RENDER_DPI / 1440

    def edge(offset_pixels, dpi, twips):
        return (offset_pixels / dpi * 1440 + twips) * scale

    left = edge(layout["offsetX"], layout["dpiX"], layout["X"])
    top = edge(layout["offsetY"], layout["dpiY"], layout["Y"])
    return left, top, left + layout["DW"] * scale, top + layout["DH"] * scale
