#!/usr/bin/env python3
"""Draws the Quickbar's eight action pictures and writes res/qb-<action>.ico.

Each icon holds 16, 24, 32, 48 and 64 px images (32-bit with alpha): the small
buttons use 16 px and the large ones 32 px, 1.5 and 2 times that on screens
of 150 % and 200 %. Every shape is a bright colour inside a dark outline one
pixel wide, so it reads on light and on dark button faces alike.

Shapes are signed distance functions on the unit square (y grows downwards):
negative inside, positive outside. Only the standard library is used; the
ICO writer is the one of make-icon.py.

Usage: python3 res/make-quickbar-icons.py [output folder]
"""

import importlib.util
import math
import os
import sys

SIZES = (16, 24, 32, 48, 64)
SUPERSAMPLE = 4
OUTLINE = (0x1c, 0x1c, 0x24)

HERE = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("make_icon", os.path.join(HERE, "make-icon.py"))
make_icon = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(make_icon)


# ---- shapes -----------------------------------------------------------------

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, half_width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - half_width


def box(x0, y0, x1, y1):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0)
    return d


def segment(x0, y0, x1, y1, half_width):
    def d(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - x0 - t * dx, y - y0 - t * dy) - half_width
    return d


def polygon(points):
    """A convex polygon, its points in either turning direction."""
    pairs = list(zip(points, points[1:] + points[:1]))
    turn = 1 if sum(ax * by - bx * ay for (ax, ay), (bx, by) in pairs) > 0 else -1
    edges = []
    for (ax, ay), (bx, by) in pairs:
        length = math.hypot(bx - ax, by - ay)
        edges.append((ax, ay, turn * (by - ay) / length, -turn * (bx - ax) / length))
    return lambda x, y: max((x - ax) * nx + (y - ay) * ny for ax, ay, nx, ny in edges)


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def cut(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def gap(shape, cx, cy, angle, half_angle):
    """The shape without the wedge around `angle` (degrees, 0 = up, clockwise)."""
    def d(x, y):
        a = math.degrees(math.atan2(x - cx, cy - y))
        diff = abs((a - angle + 180) % 360 - 180)
        return shape(x, y) if diff > half_angle else max(shape(x, y), 0.02)
    return d


def gear(cx, cy, r, teeth, depth):
    def d(x, y):
        a = math.atan2(y - cy, x - cx)
        bump = 1.0 if math.cos(a * teeth) > 0.1 else 0.0
        return math.hypot(x - cx, y - cy) - (r + depth * bump)
    return d


# ---- the eight pictures, each a list of (shape, colour) back to front ---------

def arrow_head(tip_x, tip_y, dx, dy, size):
    px, py = -dy, dx
    base_x, base_y = tip_x - dx * size, tip_y - dy * size
    return polygon([(tip_x, tip_y), (base_x - px * size * 0.8, base_y - py * size * 0.8),
                    (base_x + px * size * 0.8, base_y + py * size * 0.8)])


PICTURES = {
    "shutdown": [(union(gap(ring(0.5, 0.54, 0.3, 0.075), 0.5, 0.54, 0, 38),
                        segment(0.5, 0.12, 0.5, 0.48, 0.075)), (0xe0, 0x3c, 0x3c))],
    "restart": [(union(gap(ring(0.5, 0.52, 0.3, 0.075), 0.5, 0.52, 30, 38),
                       arrow_head(0.7, 0.19, 0.99, -0.14, 0.24)), (0x2f, 0xb0, 0x55))],
    "logoff": [(cut(box(0.12, 0.1, 0.58, 0.9), box(0.22, 0.2, 0.48, 0.8)), (0xb8, 0xbe, 0xcc)),
               (union(segment(0.38, 0.5, 0.72, 0.5, 0.07), arrow_head(0.94, 0.5, 1, 0, 0.24)),
                (0xf0, 0x96, 0x20))],
    "suspend": [(cut(circle(0.48, 0.52, 0.36), circle(0.66, 0.36, 0.3)), (0x5a, 0x8c, 0xf0)),
                (circle(0.8, 0.72, 0.07), (0xf6, 0xe0, 0x94))],
    "hibernate": [(union(*[segment(0.5 + 0.38 * math.sin(math.radians(a)), 0.5 - 0.38 * math.cos(math.radians(a)),
                                   0.5 - 0.38 * math.sin(math.radians(a)), 0.5 + 0.38 * math.cos(math.radians(a)),
                                   0.055) for a in (0, 60, 120)],
                         *[segment(0.5 + 0.25 * math.sin(math.radians(a)), 0.5 - 0.25 * math.cos(math.radians(a)),
                                   0.5 + 0.36 * math.sin(math.radians(a + 25)),
                                   0.5 - 0.36 * math.cos(math.radians(a + 25)), 0.04) for a in range(0, 360, 60)]),
                   (0x4c, 0xc8, 0xe8))],
    "lock": [(gap(ring(0.5, 0.4, 0.2, 0.065), 0.5, 0.4, 180, 90), (0xa8, 0xae, 0xbc)),
             (segment(0.3, 0.4, 0.3, 0.5, 0.065), (0xa8, 0xae, 0xbc)),
             (segment(0.7, 0.4, 0.7, 0.5, 0.065), (0xa8, 0xae, 0xbc)),
             (cut(box(0.16, 0.48, 0.84, 0.92), circle(0.5, 0.66, 0.07)), (0xe8, 0xb4, 0x28))],
    "config": [(cut(gear(0.5, 0.5, 0.3, 8, 0.12), circle(0.5, 0.5, 0.12)), (0x9a, 0xa4, 0xb8))],
    "aot": [(box(0.36, 0.36, 0.92, 0.88), (0x9c, 0xa4, 0xb4)),
            (box(0.08, 0.12, 0.64, 0.64), (0xf4, 0xf4, 0xf8)),
            (box(0.08, 0.12, 0.64, 0.26), (0x9b, 0x5c, 0xe0)),
            (union(segment(0.78, 0.14, 0.78, 0.32, 0.05), arrow_head(0.78, 0.04, 0, -1, 0.13)), (0x9b, 0x5c, 0xe0))],
}
ORDER = ("shutdown", "restart", "logoff", "suspend", "hibernate", "lock", "config", "aot")


def render(layers, size):
    """Rows (top first) of (r, g, b, a); each layer drawn over its own outline."""
    n = SUPERSAMPLE
    line = 1.0 / size  # the outline: one pixel at every size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    colour = None
                    for shape, fill in layers:
                        d = shape(x, y)
                        if d <= 0:
                            colour = fill
                        elif d <= line:
                            colour = OUTLINE
                    if colour is not None:
                        for i in range(3):
                            acc[i] += colour[i]
                        acc[3] += 1
            if acc[3] == 0:
                row.append((0, 0, 0, 0))
                continue
            row.append(tuple(int(round(acc[i] / acc[3])) for i in range(3)) + (int(round(acc[3] * 255 / (n * n))),))
        rows.append(row)
    return rows


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else HERE
    for name in ORDER:
        images = [(s, make_icon.dib(s, render(PICTURES[name], s))) for s in SIZES]
        path = os.path.join(target, "qb-%s.ico" % name)
        with open(path, "wb") as f:
            f.write(make_icon.ico(images))
        print("wrote %s" % path)


if __name__ == "__main__":
    main()
