#!/usr/bin/env python3
"""Draws the action bar's button pictures (libs/dez/icons/) and the program's own icons
(resources/icons/) as .ico files holding a 16x16 and a 32x32 image each, 24-bit colour with
a transparency mask. The .ico files are checked in; run this again only after changing a
picture:  python3 tools/draw_icons.py

Every picture is a list of shapes on a 16x16 grid, painted in order, later shapes on top.
Each pixel is sampled 4x4 times: it is opaque when at least half of its samples hit a shape,
and takes the average colour of those samples, so slanted edges inside a picture stay smooth
while the outline against the button stays crisp."""

import math
import os
import struct
import sys

# Colours of the pictures (the only fixed colours the bar ever shows).
INK = (0, 0, 0)
WHITE = (255, 255, 255)
PAPER = (255, 255, 255)
FOLD = (192, 192, 192)
GRAY = (128, 128, 128)
SILVER = (192, 192, 192)
DARK = (64, 64, 64)
NAVY = (0, 0, 128)
BLUE = (0, 64, 200)
SKY = (160, 208, 255)
YELLOW = (255, 224, 64)
GOLD = (200, 152, 0)
BROWN = (128, 64, 0)
WOOD = (176, 112, 48)
RED = (208, 0, 0)
GREEN = (0, 160, 0)
TEAL = (0, 128, 128)


def rect(x0, y0, x1, y1, colour):
    return lambda x, y: colour if x0 <= x < x1 and y0 <= y < y1 else None


def box(x0, y0, x1, y1, outline, fill):
    """A rectangle with a one-unit outline."""
    def shape(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return None
        inside = x0 + 1 <= x < x1 - 1 and y0 + 1 <= y < y1 - 1
        return fill if inside else outline
    return shape


def polygon(points, colour):
    def shape(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return colour if hit else None
    return shape


def disc(cx, cy, r, colour):
    return lambda x, y: colour if (x - cx) ** 2 + (y - cy) ** 2 <= r * r else None


def ring(cx, cy, r0, r1, colour, a0=0.0, a1=360.0):
    """The part of a ring between two angles (degrees, counter-clockwise from east, y up)."""
    def shape(x, y):
        d = math.hypot(x - cx, y - cy)
        if not r0 <= d <= r1:
            return None
        a = math.degrees(math.atan2(cy - y, x - cx)) % 360
        inside = a0 <= a <= a1 if a0 <= a1 else a >= a0 or a <= a1
        return colour if inside else None
    return shape


def line(x0, y0, x1, y1, width, colour):
    def shape(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        return colour if math.hypot(x - x0 - t * dx, y - y0 - t * dy) <= width / 2 else None
    return shape


def gear(cx, cy, r, teeth, colour, hole):
    parts = [disc(cx, cy, r * 0.72, colour)]
    for k in range(teeth):
        a = 2 * math.pi * k / teeth
        parts.append(line(cx, cy, cx + r * math.cos(a), cy + r * math.sin(a), r * 0.42, colour))
    parts.append(disc(cx, cy, r * 0.3, hole))
    return parts


def page(x0, y0, x1, y1, fold=4):
    """A sheet with its top right corner folded over."""
    return [
        polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], INK),
        polygon([(x0 + 1, y0 + 1), (x1 - fold, y0 + 1), (x1 - 1, y0 + fold), (x1 - 1, y1 - 1),
                 (x0 + 1, y1 - 1)], PAPER),
        polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], FOLD),
        line(x1 - fold, y0 + 0.5, x1 - fold, y0 + fold, 1, INK),
        line(x1 - fold, y0 + fold - 0.5, x1 - 0.5, y0 + fold - 0.5, 1, INK),
    ]


def text_lines(x0, x1, ys, colour=GRAY):
    return [rect(x0, y, x1, y + 1, colour) for y in ys]


def printer(dy=0):
    return [
        box(4, 1 + dy, 12, 7 + dy, INK, PAPER),
        box(1, 6 + dy, 15, 13 + dy, INK, SILVER),
        rect(2, 7 + dy, 14, 8 + dy, WHITE),
        rect(3, 10 + dy, 13, 11 + dy, DARK),
        rect(11, 8 + dy, 13, 9 + dy, GREEN),
    ]


def curved_arrow(mirror):
    """A blue arrow bending over from one side to the other, its head down at the start."""
    parts = [ring(9, 10, 3, 5.5, BLUE, 0, 180)]
    head = [(0, 9.5), (8.5, 9.5), (4.25, 14)]
    parts.append(polygon(head, BLUE))
    if mirror:
        parts = [lambda x, y, s=s: s(16 - x, y) for s in parts]
    return parts


PICTURES = {
    "new": page(3, 1, 13, 15) + [
        line(11, 1.5, 11, 6.5, 1, GOLD), line(8.5, 4, 13.5, 4, 1, GOLD), disc(11, 4, 1.3, YELLOW)],
    "open": [
        polygon([(1, 3), (6, 3), (7, 5), (13, 5), (13, 14), (1, 14)], INK),
        polygon([(2, 4), (5.5, 4), (6.5, 6), (12, 6), (12, 13), (2, 13)], GOLD),
        polygon([(1, 14), (4, 8), (16, 8), (13, 14)], INK),
        polygon([(2.6, 13), (4.7, 9), (14.4, 9), (12.4, 13)], YELLOW),
    ],
    "save": [
        box(1, 1, 15, 15, INK, BLUE),
        rect(13, 1, 15, 3, (0, 0, 0, 0)),
        box(4, 1, 12, 6, INK, SILVER),
        rect(9, 2, 11, 5, NAVY),
        box(3, 8, 13, 15, INK, PAPER),
        rect(5, 10, 11, 11, GRAY), rect(5, 12, 11, 13, GRAY),
    ],
    "exit": [
        box(2, 1, 10, 15, INK, DARK),
        polygon([(2, 1), (7, 3), (7, 16), (2, 15)], INK),
        polygon([(3, 2.5), (6, 3.7), (6, 14.6), (3, 14)], WOOD),
        disc(5.2, 8.5, 0.7, GOLD),
        rect(9, 7, 13, 10, RED),
        polygon([(12, 4.5), (16, 8.5), (12, 12.5)], RED),
    ],
    "print": printer(1),
    "setup": printer(0)[:2] + [rect(2, 7, 9, 8, WHITE), rect(3, 10, 8, 11, DARK)]
    + gear(11.5, 11.5, 4.3, 8, TEAL, WHITE),
    "cut": [
        line(5, 1, 10.5, 10, 1.6, GRAY), line(11, 1, 5.5, 10, 1.6, DARK),
        ring(4.5, 12, 1.6, 3, RED), ring(11.5, 12, 1.6, 3, RED),
        disc(8, 7.4, 0.8, INK),
    ],
    "copy": page(1, 1, 10, 12, 3) + text_lines(3, 7, [5, 7, 9])
    + page(6, 4, 15, 15, 3) + text_lines(8, 13, [8, 10, 12], BLUE),
    "paste": [
        box(2, 2, 14, 16, INK, WOOD),
        box(5, 1, 11, 4, INK, SILVER),
        box(6, 5, 15, 16, INK, PAPER),
    ] + text_lines(8, 13, [8, 10, 12, 14], BLUE),
    "undo": curved_arrow(False),
    "redo": curved_arrow(True),
    "find": [
        line(9.5, 9.5, 14.5, 14.5, 2.6, BROWN),
        disc(6.5, 6.5, 5.5, INK),
        disc(6.5, 6.5, 4.3, SKY),
        ring(6.5, 6.5, 2.2, 3.2, WHITE, 100, 170),
    ],
    "compile": gear(8, 8, 7, 8, GOLD, WHITE) + [ring(8, 8, 1.9, 2.9, BROWN)]
    + [line(8 + 4.6 * math.cos(a), 8 + 4.6 * math.sin(a), 8 + 6.6 * math.cos(a),
            8 + 6.6 * math.sin(a), 1.2, YELLOW) for a in (2 * math.pi * k / 8 + 0.2 for k in range(8))],
    "tile": [
        box(1, 1, 15, 8, INK, PAPER), rect(2, 2, 14, 4, NAVY), rect(3, 5, 10, 6, GRAY),
        box(1, 8, 15, 15, INK, PAPER), rect(2, 9, 14, 11, NAVY), rect(3, 12, 10, 13, GRAY),
    ],
    "help": [
        disc(8, 8, 7.5, NAVY),
        disc(8, 8, 6.5, BLUE),
        ring(8, 6, 1.5, 3.4, WHITE, 320, 200),
        polygon([(8.2, 7.3), (10.5, 6.6), (9.3, 10.3), (7, 10.3)], WHITE),
        disc(8.2, 12.3, 1.3, WHITE),
    ],
    # The program's own icons: the editor's window with its lines of text and a pencil, and a
    # document sheet.
    "editor": [
        box(0, 1, 15, 14, INK, PAPER), rect(1, 2, 14, 4, NAVY), rect(12, 2, 14, 4, SILVER),
    ] + text_lines(2, 11, [6, 8], INK) + text_lines(2, 8, [10, 12], INK) + [
        line(8.5, 13.5, 14.5, 7.5, 2.4, INK), line(8.8, 13.2, 14.2, 7.8, 1.3, YELLOW),
        polygon([(7.2, 15), (8, 12.3), (9.9, 14.2)], INK),
        line(14, 8, 15, 7, 2.2, RED),
    ],
    "document": page(2, 0, 14, 16) + text_lines(4, 12, [5, 7, 9, 11, 13], BLUE),
}

SAMPLES = 4


def render(shapes, size):
    """Rows of pixels top first: (r, g, b) or None where transparent."""
    scale = 16.0 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = []
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) * scale
                    y = (py + (sy + 0.5) / SAMPLES) * scale
                    colour = None
                    for shape in shapes:
                        c = shape(x, y)
                        if c is not None:
                            colour = c
                    if colour is not None and len(colour) == 3:  # a 4-tuple cuts a hole
                        hits.append(colour)
            if len(hits) * 2 >= SAMPLES * SAMPLES:
                row.append(tuple(round(sum(c[i] for c in hits) / len(hits)) for i in range(3)))
            else:
                row.append(None)
        rows.append(row)
    return rows


def ico_image(rows):
    size = len(rows)
    xor = bytearray()
    mask = bytearray()
    xor_pad = (4 - size * 3 % 4) % 4
    mask_stride = (size + 31) // 32 * 4
    for row in reversed(rows):  # bottom-up, as in a DIB
        bits = bytearray(mask_stride)
        for x, c in enumerate(row):
            if c is None:
                xor += b"\0\0\0"
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                xor += bytes((c[2], c[1], c[0]))
        xor += b"\0" * xor_pad
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def ico_file(shapes, sizes=(16, 32)):
    images = [ico_image(render(shapes, s)) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 24, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    targets = {name: os.path.join(top, "libs", "dez", "icons") for name in PICTURES}
    targets["editor"] = targets["document"] = os.path.join(top, "resources", "icons")
    for name, folder in targets.items():
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, name + ".ico"), "wb") as f:
            f.write(ico_file(PICTURES[name]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
