#!/usr/bin/env python3
"""Draws the tray icon (a monitor whose screen carries capture brackets) and
writes it as a Windows .ico with 16, 24 and 32 pixel images, 32-bit with alpha,
and the same picture as the about box's 32 x 32, 24-bit bitmap, laid on the
box's light yellow.

The shapes are defined on a 32-unit grid and rendered at each size with 8x8
supersampling, so the small sizes stay crisp. Deterministic output; run it
again only when the design changes:
    tools/make_icon.py shared/res/vistrane.ico resident/res/version_image1.bmp
"""
import struct
import sys

BEZEL = (0x2F, 0x3E, 0x4E)
SCREEN_TOP = (0x3A, 0x8F, 0xD8)
SCREEN_BOTTOM = (0x9C, 0xD4, 0xF7)
BRACKET = (0xF0, 0x5A, 0x28)
STAND = (0x4A, 0x5A, 0x6A)
ABOUT_BACKGROUND = (255, 255, 192)  # the about box's Shape1


def rounded_rect(x, y, x0, y0, x1, y1, r):
    if not (x0 <= x < x1 and y0 <= y < y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def rect(x, y, x0, y0, x1, y1):
    return x0 <= x < x1 and y0 <= y < y1


def bracket(x, y):
    """Four L-shaped corners of a selection inside the screen."""
    t = 2.0  # stroke width
    arm = 4.0
    for (cx, cy, dx, dy) in ((7, 9, 1, 1), (25, 9, -1, 1), (7, 19, 1, -1), (25, 19, -1, -1)):
        xs = sorted((cx, cx + dx * arm))
        ys = sorted((cy, cy + dy * arm))
        hx = sorted((cx, cx + dx * t))
        hy = sorted((cy, cy + dy * t))
        if rect(x, y, xs[0], hy[0], xs[1], hy[1]) or rect(x, y, hx[0], ys[0], hx[1], ys[1]):
            return True
    return False


def colour_at(x, y):
    """Colour (r, g, b) or None for transparent at a point of the 32-unit grid."""
    if bracket(x, y):
        return BRACKET
    if rect(x, y, 4.5, 6.5, 27.5, 21.5):
        t = (y - 6.5) / 15.0
        return tuple(round(a + (b - a) * t) for a, b in zip(SCREEN_TOP, SCREEN_BOTTOM))
    if rounded_rect(x, y, 2, 4, 30, 24, 2.5):
        return BEZEL
    if rect(x, y, 14, 24, 18, 27) or rounded_rect(x, y, 9, 26.5, 23, 29.5, 1.2):
        return STAND
    return None


def render(size, ss=8):
    pixels = []
    scale = 32.0 / size
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            covered = 0
            for sy in range(ss):
                for sx in range(ss):
                    c = colour_at((px + (sx + 0.5) / ss) * scale, (py + (sy + 0.5) / ss) * scale)
                    if c is not None:
                        covered += 1
                        for i in range(3):
                            acc[i] += c[i]
            if covered:
                row.append(tuple(round(a / covered) for a in acc) + (round(255 * covered / (ss * ss)),))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def icon_image(size):
    pixels = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + xor + mask


def bitmap_file(size, background):
    """A bottom-up 24-bit .bmp of the picture blended over the background."""
    stride = (size * 3 + 3) & ~3
    rows = b''
    for row in reversed(render(size)):
        line = bytearray()
        for (r, g, b, a) in row:
            blend = [round((c * a + k * (255 - a)) / 255) for c, k in zip((r, g, b), background)]
            line += bytes((blend[2], blend[1], blend[0]))
        rows += bytes(line) + b'\0' * (stride - len(line))
    info = struct.pack('<IiiHHIIiiII', 40, size, size, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return header + info + rows


def main():
    with open(sys.argv[2], 'wb') as f:
        f.write(bitmap_file(32, ABOUT_BACKGROUND))
    sizes = (16, 24, 32)
    images = [icon_image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(sys.argv[1], 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main()
