#!/usr/bin/env python3
"""Draws the picture of the about window: two speech bubbles, the program's
(white, with lines of text) and the user's (warm yellow, with an ellipsis),
on a blue gradient. Writes a 179 x 132 true-colour (24-bit) BMP.

Shapes are signed-distance functions sampled 4 x 4 times per pixel, so the
edges are smooth. Standard library only.

Usage: make_picture.py [output file]   (default: data/about.bmp)
"""

import math
import os
import struct
import sys

WIDTH, HEIGHT = 179, 132
SUPER = 4
HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.normpath(os.path.join(HERE, "..", "..", "data", "about.bmp"))


def rounded_rect(px, py, x0, y0, x1, y1, r):
    """Signed distance to a rounded rectangle (negative inside)."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
    dx, dy = abs(px - cx) - hx, abs(py - cy) - hy
    outside = math.hypot(max(dx, 0.0), max(dy, 0.0))
    inside = min(max(dx, dy), 0.0)
    return outside + inside - r


def segment(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy)))
    return math.hypot(px - (ax + t * vx), py - (ay + t * vy))


def triangle(px, py, a, b, c):
    """Signed distance to a triangle given by three (x, y) points."""
    d = min(segment(px, py, *a, *b), segment(px, py, *b, *c), segment(px, py, *c, *a))

    def side(p, q):
        return (q[0] - p[0]) * (py - p[1]) - (q[1] - p[1]) * (px - p[0])

    s1, s2, s3 = side(a, b), side(b, c), side(c, a)
    inside = (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)
    return -d if inside else d


def circle(px, py, cx, cy, r):
    return math.hypot(px - cx, py - cy) - r


class Bubble:
    def __init__(self, rect, radius, tail, fill, edge):
        self.rect, self.radius, self.tail = rect, radius, tail
        self.fill, self.edge = fill, edge

    def distance(self, px, py):
        return min(rounded_rect(px, py, *self.rect, self.radius),
                   triangle(px, py, *self.tail))


PROGRAM = Bubble((12, 12, 112, 70), 14, ((28, 66), (50, 66), (20, 88)),
                 (252, 252, 255), (38, 58, 120))
USER = Bubble((66, 62, 166, 116), 14, ((138, 112), (156, 112), (167, 128)),
              (255, 224, 140), (150, 88, 20))
TEXT_LINES = [(28, 28, 96), (28, 40, 88), (28, 52, 70)]  # x0, y, x1 of text bars
DOTS = [(96, 89), (116, 89), (136, 89)]
EDGE = 2.0
SHADOW = (3.0, 3.0)


def background(x, y):
    """Vertical blue gradient with a soft light in the upper left."""
    t = y / HEIGHT
    r = 64 + (150 - 64) * t
    g = 104 + (188 - 104) * t
    b = 186 + (236 - 186) * t
    glow = max(0.0, 1 - math.hypot(x - 30, y - 10) / 120) ** 2
    return (r + 60 * glow, g + 50 * glow, b + 19 * glow)


def blend(base, top, alpha):
    return tuple(b + (t - b) * alpha for b, t in zip(base, top))


def sample(x, y):
    color = background(x, y)
    for bubble in (PROGRAM, USER):
        if bubble.distance(x - SHADOW[0], y - SHADOW[1]) < 0:
            color = blend(color, (20, 30, 70), 0.28)
        d = bubble.distance(x, y)
        if d < 0:
            color = bubble.edge if d > -EDGE else bubble.fill
            if bubble is PROGRAM:
                for x0, ly, x1 in TEXT_LINES:
                    if rounded_rect(x, y, x0, ly - 3, x1, ly + 3, 3) < 0:
                        color = (150, 172, 214)
            else:
                for cx, cy in DOTS:
                    if circle(x, y, cx, cy, 5) < 0:
                        color = bubble.edge
    return color


def render():
    rows = []
    step = 1.0 / SUPER
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            acc = [0.0, 0.0, 0.0]
            for sy in range(SUPER):
                for sx in range(SUPER):
                    c = sample(x + (sx + 0.5) * step, y + (sy + 0.5) * step)
                    for i in range(3):
                        acc[i] += c[i]
            n = SUPER * SUPER
            row.append(tuple(max(0, min(255, int(round(a / n)))) for a in acc))
        rows.append(row)
    return rows


def write_bmp(path, rows):
    stride = (WIDTH * 3 + 3) & ~3
    image = bytearray()
    for row in reversed(rows):  # BMP rows go bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        image += line
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(image), 0, 0, header_size)
    info_header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(image),
                              2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(file_header + info_header + image)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUT
    write_bmp(out, render())
    print(f"{out}: {WIDTH} x {HEIGHT}, 24-bit, {os.path.getsize(out)} bytes")


if __name__ == "__main__":
    main()
