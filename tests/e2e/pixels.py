#!/usr/bin/env python3
"""Reads a screenshot (through ImageMagick) and answers questions about it in client
coordinates of the main window.

usage: pixels.py SHOT origin                        prints the client origin "LEFT TOP"
       pixels.py SHOT dark X Y [X Y]...             every client point is dark
       pixels.py SHOT light X Y [X Y]...            every client point is white
       pixels.py SHOT count R G B X0 Y0 X1 Y1 N     at least N pixels of about that colour in
                                                    the client box (N = 0: none at all)
Exit status 1 when the answer is no. The client origin is found from the main y axis (the one
long dark row from client x 60 to 540 at client y 350) unless --origin "LEFT TOP" gives it: the
labels of a drawing can cover that row, so a script finds it once on the bare axes.
"""
import subprocess
import sys


def load(path):
    out = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
    parts = out.split(b"\n", 3)  # P6\n<w> <h>\n255\n<data>
    w, h = map(int, parts[1].split())
    return w, h, parts[3]


def rgb(img, x, y):
    w, h, data = img
    return tuple(data[3 * (y * w + x):3 * (y * w + x) + 3]) if 0 <= x < w and 0 <= y < h else None


def dark(img, x, y):
    c = rgb(img, x, y)
    return c is not None and sum(c) < 3 * 128


def origin(img):
    for top in range(0, 200):
        if all(dark(img, x, top + 350) for x in range(60, 541, 4)):
            for left in range(0, 100):  # the left edge: the y axis starts at client x 50
                if dark(img, left + 50, top + 350) and not dark(img, left + 45, top + 350):
                    return left, top
    return None


def main(argv):
    given = None
    if "--origin" in argv:
        i = argv.index("--origin")
        given = tuple(map(int, argv[i + 1].split()))
        del argv[i:i + 2]
    img = load(argv[1])
    o = given or origin(img)
    if o is None:
        print("the main y axis was not found", file=sys.stderr)
        return 1
    kind, args = argv[2], [int(a) for a in argv[3:]]
    if kind == "origin":
        print(*o)
        return 0
    if kind in ("dark", "light"):
        bad = [(x, y) for x, y in zip(args[0::2], args[1::2]) if dark(img, o[0] + x, o[1] + y) != (kind == "dark")]
        if bad:
            print(f"not {kind} at client points {bad} (client origin {o})", file=sys.stderr)
        return 1 if bad else 0
    if kind == "count":
        colour, (x0, y0, x1, y1, n) = args[:3], args[3:]
        found = sum(all(abs(a - b) < 70 for a, b in zip(rgb(img, o[0] + x, o[1] + y) or (999,) * 3, colour))
                    for x in range(x0, x1) for y in range(y0, y1))
        if (n == 0 and found) or found < n:
            print(f"{found} pixels of {colour} in {args[3:7]}, wanted {n or 'none'}", file=sys.stderr)
            return 1
        return 0
    print(f"unknown question {kind}", file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
