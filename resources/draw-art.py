#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws Mapwright's own pictures and writes them as PNG files.

program-picture.png (74 x 31) is the small picture shown in every window;
icons/ holds the window and desktop icon, drawn for each size from 16 to
256 pixels (so that small sizes keep whole-pixel walls) and once as SVG for
any other size. All show the same motif: an arena seen from above, walls,
two bases and a jump pad, on a blueprint background. Run it again after
changing the drawing; the pictures are kept in the repository so that a
build needs no Python.
"""
import math
import struct
import sys
import zlib
from pathlib import Path


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[(0, 0, 0, 0)] * width for _ in range(height)]

    def put(self, x, y, colour, alpha=1.0):
        if not (0 <= x < self.width and 0 <= y < self.height) or alpha <= 0:
            return
        r, g, b = colour
        br, bg, bb, ba = self.pixels[y][x]
        a = min(alpha, 1.0)
        out_a = a + ba / 255 * (1 - a)
        mix = lambda c, d: round((c * a + d * (ba / 255) * (1 - a)) / out_a) if out_a else 0
        self.pixels[y][x] = (mix(r, br), mix(g, bg), mix(b, bb), round(out_a * 255))

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, colour)

    def gradient(self, top, bottom):
        for y in range(self.height):
            t = y / max(1, self.height - 1)
            colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
            for x in range(self.width):
                self.put(x, y, colour)

    def grid(self, step, colour, alpha):
        for y in range(self.height):
            for x in range(self.width):
                if x % step == 0 or y % step == 0:
                    self.put(x, y, colour, alpha)

    def ring(self, cx, cy, radius, thickness, colour):
        # Anti-aliased by coverage of the distance to the ring's centre line.
        for y in range(self.height):
            for x in range(self.width):
                d = abs(math.hypot(x + 0.5 - cx, y + 0.5 - cy) - radius)
                self.put(x, y, colour, thickness / 2 + 0.5 - d)

    def disc(self, cx, cy, radius, colour):
        for y in range(self.height):
            for x in range(self.width):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                self.put(x, y, colour, radius + 0.5 - d)

    def frame(self, colour):
        for x in range(self.width):
            self.put(x, 0, colour)
            self.put(x, self.height - 1, colour)
        for y in range(self.height):
            self.put(0, y, colour)
            self.put(self.width - 1, y, colour)

    def png(self):
        rows = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in self.pixels)
        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


BLUEPRINT_TOP = (22, 44, 84)
BLUEPRINT_BOTTOM = (10, 22, 48)
GRID = (120, 170, 230)
WALL = (205, 214, 226)
RED_BASE = (214, 58, 46)
BLUE_BASE = (64, 140, 238)
PAD = (255, 176, 32)


def draw_arena(width, height, grid, wall, inner_walls, bases, pad):
    """An arena seen from above: outer walls with a doorway on each side,
    inner walls, a red and a blue base and a jump pad in the middle."""
    c = Canvas(width, height)
    c.gradient(BLUEPRINT_TOP, BLUEPRINT_BOTTOM)
    c.grid(grid, GRID, 0.18)
    left, top, right, bottom, thickness, door_top, door_bottom = wall
    c.rect(left, top, right, top + thickness, WALL)
    c.rect(left, bottom - thickness, right, bottom, WALL)
    for x in (left, right - thickness):
        c.rect(x, top, x + thickness, door_top, WALL)
        c.rect(x, door_bottom, x + thickness, bottom, WALL)
    for x0, y0, x1, y1 in inner_walls:
        c.rect(x0, y0, x1, y1, WALL)
    (red, blue) = bases
    c.rect(*red, RED_BASE)
    c.rect(*blue, BLUE_BASE)
    cx, cy, radius, dot = pad
    c.ring(cx, cy, radius, 1.6, PAD)
    c.disc(cx, cy, dot, PAD)
    c.frame((6, 12, 26))
    return c


def program_picture():
    return draw_arena(74, 31, grid=6, wall=(3, 3, 71, 28, 2, 12, 19),
                      inner_walls=[(22, 9, 24, 22), (50, 9, 52, 22)],
                      bases=((8, 12, 15, 19), (59, 12, 66, 19)), pad=(37, 15.5, 6, 2))


APPLICATION_ID = "org.example.Mapwright"
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

# The icon's layout on a 32-unit square; each size rounds it to its pixels.
ICON_GRID = 5
ICON_WALL = (2, 2, 30, 30, 2, 12, 20)
ICON_BASES = ((7, 13, 11, 19), (21, 13, 25, 19))
ICON_PAD = (16, 16, 4.5, 1.6)


def icon(size):
    s = size / 32
    px = lambda v: round(v * s)
    left, top, right, bottom, thickness, door_top, door_bottom = ICON_WALL
    wall = (px(left), px(top), px(right), px(bottom), max(1, px(thickness)), px(door_top), px(door_bottom))
    bases = tuple(tuple(px(v) for v in base) for base in ICON_BASES)
    cx, cy, radius, dot = ICON_PAD
    return draw_arena(size, size, grid=max(3, px(ICON_GRID)), wall=wall, inner_walls=[],
                      bases=bases, pad=(cx * s, cy * s, radius * s, dot * s))


def icon_svg():
    """The same icon as a drawing on the 32-unit square."""
    hex_colour = lambda c: "#%02x%02x%02x" % c
    rect = lambda x0, y0, x1, y1, c: (f'<rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" '
                                      f'fill="{hex_colour(c)}"/>')
    left, top, right, bottom, thickness, door_top, door_bottom = ICON_WALL
    grid = "".join(f"M{v} 0V32M0 {v}H32" for v in range(0, 32, ICON_GRID))
    shapes = [rect(0, 0, 32, 32, (0, 0, 0)).replace('fill="#000000"', 'fill="url(#blueprint)"'),
              f'<path d="{grid}" stroke="{hex_colour(GRID)}" stroke-opacity="0.18" stroke-width="1" '
              f'transform="translate(0.5 0.5)"/>',
              rect(left, top, right, top + thickness, WALL), rect(left, bottom - thickness, right, bottom, WALL)]
    for x in (left, right - thickness):
        shapes += [rect(x, top, x + thickness, door_top, WALL), rect(x, door_bottom, x + thickness, bottom, WALL)]
    shapes += [rect(*ICON_BASES[0], RED_BASE), rect(*ICON_BASES[1], BLUE_BASE)]
    cx, cy, radius, dot = ICON_PAD
    shapes += [f'<circle cx="{cx}" cy="{cy}" r="{radius}" fill="none" stroke="{hex_colour(PAD)}" stroke-width="1.6"/>',
               f'<circle cx="{cx}" cy="{cy}" r="{dot}" fill="{hex_colour(PAD)}"/>',
               '<rect x="0.5" y="0.5" width="31" height="31" fill="none" stroke="#060c1a" stroke-width="1"/>']
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">\n'
            '<defs><linearGradient id="blueprint" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{hex_colour(BLUEPRINT_TOP)}"/>'
            f'<stop offset="1" stop-color="{hex_colour(BLUEPRINT_BOTTOM)}"/></linearGradient></defs>\n'
            + "\n".join(shapes) + "\n</svg>\n")


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).parent
    (folder / "program-picture.png").write_bytes(program_picture().png())
    icons = folder / "icons"
    icons.mkdir(exist_ok=True)
    for size in ICON_SIZES:
        (icons / f"{APPLICATION_ID}-{size}.png").write_bytes(icon(size).png())
    (icons / f"{APPLICATION_ID}.svg").write_text(icon_svg())


if __name__ == "__main__":
    main()
