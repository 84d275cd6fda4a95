#!/usr/bin/env python3
"""Draws the Duskwell icon and writes res/dwl.ico (16, 32 and 48 px, 32-bit; 48 as PNG).

Only the standard library is used. The picture is a dusk-coloured disc with a
crescent moon over the mouth of a stone well. Each pixel is supersampled so the
edges come out anti-aliased at every size.

Usage: python3 res/make-icon.py [output.ico]
"""

import math
import os
import struct
import sys
import zlib

SIZES = (16, 32, 48)
PNG_FROM = 48  # sizes from here on are stored as PNG (the program must stay small)
SUPERSAMPLE = 8  # samples per pixel along each axis

# Colours as (r, g, b).
SKY_TOP = (0x17, 0x1b, 0x45)
SKY_BOTTOM = (0x6a, 0x3c, 0x82)
GLOW = (0xe8, 0x84, 0x4a)
DISC_EDGE = (0x0e, 0x10, 0x2a)
MOON = (0xf6, 0xe0, 0x94)
STONE = (0x9a, 0x9e, 0xb8)
STONE_DARK = (0x5c, 0x60, 0x7c)
WELL_MOUTH = (0x08, 0x07, 0x14)


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def inside_circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def inside_ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def sample(x, y):
    """Colour and opacity at (x, y) in the unit square; None when outside."""
    # The disc that holds everything.
    if not inside_circle(x, y, 0.5, 0.5, 0.48):
        return None
    if not inside_circle(x, y, 0.5, 0.5, 0.44):
        return DISC_EDGE

    # Well: stone walls below an elliptic mouth.
    wall_left, wall_right = 0.22, 0.78
    mouth_y = 0.70
    if inside_ellipse(x, y, 0.5, mouth_y, 0.28, 0.085):
        if inside_ellipse(x, y, 0.5, mouth_y + 0.01, 0.22, 0.055):
            return WELL_MOUTH
        return STONE
    if wall_left <= x <= wall_right and mouth_y <= y:
        # Shade the wall so it reads as round.
        t = abs(x - 0.5) / (wall_right - 0.5)
        return mix(STONE, STONE_DARK, t * t)

    # Crescent moon: one circle minus an offset one.
    if inside_circle(x, y, 0.56, 0.36, 0.2) and not inside_circle(
        x, y, 0.64, 0.29, 0.17
    ):
        return MOON

    # Sky: dark at the top, warming towards the horizon.
    sky = mix(SKY_TOP, SKY_BOTTOM, (y - 0.06) / 0.6)
    glow = max(0.0, (y - 0.55) / 0.35)
    return mix(sky, GLOW, glow * 0.8)


def render(size):
    """Returns rows (top first) of (r, g, b, a) tuples, 0..255 each."""
    n = SUPERSAMPLE
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    c = sample(x, y)
                    if c is not None:
                        covered += 1
                        for i in range(3):
                            acc[i] += c[i]
            if covered == 0:
                row.append((0, 0, 0, 0))
                continue
            alpha = covered / (n * n)
            rgb = [int(round(acc[i] / covered)) for i in range(3)]
            row.append((rgb[0], rgb[1], rgb[2], int(round(alpha * 255))))
        rows.append(row)
    return rows


def dib(size, rows):
    """An icon image: BITMAPINFOHEADER, BGRA pixels bottom-up, AND mask."""
    header = struct.pack(
        "<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0
    )
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    # 1 bit per pixel, rows padded to 32 bits; set where fully transparent so
    # systems without alpha support still show the round shape.
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(pixels) + bytes(mask)


def png(size, rows):
    """An icon image as PNG, which Windows reads from Vista on: a third of the
    bitmap's bytes. Windows XP cannot read it: where it asks for 48 px (the
    Tiles view, "large icons") it finds no picture; its usual 16 and 32 px
    stay bitmaps."""
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico(images):
    count = len(images)
    out = bytearray(struct.pack("<HHH", 0, 1, count))
    offset = 6 + 16 * count
    blobs = []
    for size, blob in images:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "dwl.ico")
    images = [(s, (png if s >= PNG_FROM else dib)(s, render(s))) for s in SIZES]
    with open(target, "wb") as f:
        f.write(ico(images))
    print("wrote %s (%s px)" % (target, ", ".join(str(s) for s in SIZES)))


if __name__ == "__main__":
    main()
