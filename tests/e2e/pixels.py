#!/usr/bin/env python3
"""Reads a screenshot (through ImageMagick) and answers questions about the drawn axes.

usage: pixels.py SHOT.png origin            -> prints the client origin (left top) found
       pixels.py SHOT.png dark X Y [X Y]... -> exit 1 unless every client point is dark
       pixels.py SHOT.png light X Y [X Y]...-> exit 1 unless every client point is white
The client origin is found from the main y axis: the one long dark row whose run from
client x 60 to 540 is unbroken (client y 350).
"""
import subprocess
import sys


def load(path):
    out = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
    # P6\n<w> <h>\n255\n<data>
    parts = out.split(b"\n", 3)
    w, h = map(int, parts[1].split())
    return w, h, parts[3]


def dark(img, x, y):
    w, h, data = img
    if not (0 <= x < w and 0 <= y < h):
        return False
    i = 3 * (y * w + x)
    return sum(data[i:i + 3]) < 3 * 128


def origin(img):
    w, h, _ = img
    for top in range(0, 200):
        y = top + 350
        if all(dark(img, x, y) for x in range(60, 541, 4)):
            # the left edge: the y axis starts at client x 50
            for left in range(0, 100):
                if dark(img, left + 50, y) and not dark(img, left + 45, y):
                    return left, top
    return None


def main():
    img = load(sys.argv[1])
    o = origin(img)
    if o is None:
        print("the main y axis was not found", file=sys.stderr)
        return 1
    if sys.argv[2] == "origin":
        print(*o)
        return 0
    want_dark = sys.argv[2] == "dark"
    pts = list(map(int, sys.argv[3:]))
    bad = []
    for x, y in zip(pts[0::2], pts[1::2]):
        if dark(img, o[0] + x, o[1] + y) != want_dark:
            bad.append((x, y))
    if bad:
        print(f"not {sys.argv[2]} at client points {bad} (client origin {o})", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
