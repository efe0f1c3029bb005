#!/usr/bin/env python3
"""Reads a screenshot (through ImageMagick) and answers questions about it in client
coordinates of the main window.

usage: pixels.py SHOT origin                        prints the client origin "LEFT TOP"
       pixels.py SHOT dark X Y [X Y]...             every client point is dark
       pixels.py SHOT light X Y [X Y]...            every client point is white
       pixels.py SHOT near R G B X Y [X Y]...       a pixel of about that colour within 3 pixels
                                                    of every client point
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
    # P6\n<w> <h>\n255\n<data>
    parts = out.split(b"\n", 3)
    w, h = map(int, parts[1].split())
    return w, h, parts[3]


def rgb(img, x, y):
    w, h, data = img
    if not (0 <= x < w and 0 <= y < h):
        return None
    i = 3 * (y * w + x)
    return tuple(data[i:i + 3])


def dark(img, x, y):
    c = rgb(img, x, y)
    return c is not None and sum(c) < 3 * 128


def like(img, x, y, colour):
    c = rgb(img, x, y)
    return c is not None and all(abs(a - b) < 70 for a, b in zip(c, colour))


def origin(img):
    for top in range(0, 200):
        y = top + 350
        if all(dark(img, x, y) for x in range(60, 541, 4)):
            # the left edge: the y axis starts at client x 50
            for left in range(0, 100):
                if dark(img, left + 50, y) and not dark(img, left + 45, y):
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
    kind, args = argv[2], argv[3:]
    if kind == "origin":
        print(*o)
        return 0
    nums = list(map(int, args))
    if kind in ("dark", "light"):
        bad = [(x, y) for x, y in zip(nums[0::2], nums[1::2]) if dark(img, o[0] + x, o[1] + y) != (kind == "dark")]
        if bad:
            print(f"not {kind} at client points {bad} (client origin {o})", file=sys.stderr)
            return 1
        return 0
    colour, pts = tuple(nums[:3]), nums[3:]
    if kind == "near":
        bad = [(x, y) for x, y in zip(pts[0::2], pts[1::2])
               if not any(like(img, o[0] + x + dx, o[1] + y + dy, colour)
                          for dx in range(-3, 4) for dy in range(-3, 4))]
        if bad:
            print(f"no {colour} near client points {bad} (client origin {o})", file=sys.stderr)
            return 1
        return 0
    if kind == "count":
        x0, y0, x1, y1, n = pts
        found = sum(like(img, o[0] + x, o[1] + y, colour) for x in range(x0, x1) for y in range(y0, y1))
        if (n == 0 and found) or found < n:
            print(f"{found} pixels of {colour} in ({x0}, {y0})-({x1}, {y1}), wanted {n or 'none'}", file=sys.stderr)
            return 1
        return 0
    print(f"unknown question {kind}", file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
