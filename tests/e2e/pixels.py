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
       pixels.py SHOT along R G B X0 Y0 X1 Y1       a pixel of about that colour at every screen
                                                    pixel of the segment (or beside it)
       pixels.py SHOT unbroken X0 Y0 X1 Y1          a dark line along the segment, whose dark
                                                    pixels in each screen column (or row) touch
                                                    those in the one before
       pixels.py SHOT sharp X0 Y0 X1 Y1 N           at least N client pixels of the box whose
                                                    screen pixels are not all of one colour:
                                                    drawn at the screen's resolution, not an
                                                    enlarged picture (needs --scale above 1)
Exit status 1 when the answer is no. The client origin is found from the main y axis (the one
long dark row from client x 60 to 540 at client y 350) unless --origin "LEFT TOP" gives it: the
labels of a drawing can cover that row, so a script finds it once on the bare axes.
With --scale S (a window on a screen of device pixel ratio S) client coordinates stay the
program's and stand S screen pixels apart; they may have fractions (at S = 2, client y 350.5 is
the second screen row of client row 350).
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


def origin(img, s):
    for top in range(0, int(200 * s)):
        y = top + int(350 * s)
        if all(dark(img, x, y) for x in range(int(60 * s), int(541 * s), 4)):
            # the left edge: the y axis starts at client x 50
            for left in range(0, int(100 * s)):
                if dark(img, left + int(50 * s), y) and not dark(img, left + int(45 * s), y):
                    return left, top
    return None


def segment(x0, y0, x1, y1):
    """The screen pixels of a segment, one for each column or row of its longer extent."""
    n = max(abs(x1 - x0), abs(y1 - y0), 1)
    return [(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n)) for i in range(n + 1)]


def unbroken(img, x0, y0, x1, y1, reach):
    """Every column (or row) of a mostly horizontal (or vertical) segment holds a run of dark
    pixels within reach of it, touching the run of the one before. Returns the first gap."""
    steep = abs(y1 - y0) > abs(x1 - x0)
    before = None
    for x, y in segment(x0, y0, x1, y1):
        a, b = (y, x) if steep else (x, y)
        at = (lambda i: dark(img, i, a)) if steep else (lambda i: dark(img, a, i))
        near = [i for i in range(b - reach, b + reach + 1) if at(i)]
        if not near:
            return x, y
        # the run nearest the segment, as other lines may cross the window
        runs, run = [], [near[0]]
        for i in near[1:]:
            if i == run[-1] + 1:
                run.append(i)
            else:
                runs.append(run)
                run = [i]
        runs.append(run)
        run = min(runs, key=lambda r: max(r[0] - b, b - r[-1], 0))
        if before and (run[0] > before[-1] + 1 or run[-1] < before[0] - 1):
            return x, y
        before = run
    return None


def main(argv):
    given = None
    if "--origin" in argv:
        i = argv.index("--origin")
        given = tuple(map(int, argv[i + 1].split()))
        del argv[i:i + 2]
    scale = 1.0
    if "--scale" in argv:
        i = argv.index("--scale")
        scale = float(argv[i + 1])
        del argv[i:i + 2]
    img = load(argv[1])
    o = given or origin(img, scale)
    if o is None:
        print("the main y axis was not found", file=sys.stderr)
        return 1
    kind, args = argv[2], argv[3:]
    if kind == "origin":
        print(*o)
        return 0
    # client coordinates: colours stay whole, points are scaled onto the screen
    def at(x, y):
        return o[0] + int(float(x) * scale), o[1] + int(float(y) * scale)
    if kind in ("dark", "light"):
        bad = [(x, y) for x, y in zip(args[0::2], args[1::2]) if dark(img, *at(x, y)) != (kind == "dark")]
        if bad:
            print(f"not {kind} at client points {bad} (client origin {o})", file=sys.stderr)
            return 1
        return 0
    if kind == "unbroken":
        gap = unbroken(img, *at(*args[0:2]), *at(*args[2:4]), int(3 * scale) + 2)
        if gap:
            print(f"a gap at screen pixel {gap} of the dark line (client origin {o})", file=sys.stderr)
            return 1
        return 0
    if kind == "sharp":
        (x0, y0), (x1, y1), n = at(*args[0:2]), at(*args[2:4]), int(args[4])
        step = int(scale)
        mixed = sum(len({rgb(img, x + i, y + j) for i in range(step) for j in range(step)}) > 1
                    for x in range(x0, x1, step) for y in range(y0, y1, step))
        if mixed < n:
            print(f"{mixed} client pixels of {args[0:4]} drawn in more than one colour, wanted {n}", file=sys.stderr)
            return 1
        return 0
    colour, pts = tuple(map(int, args[:3])), args[3:]
    if kind == "along":
        bad = [p for p in segment(*at(*pts[0:2]), *at(*pts[2:4]))
               if not any(like(img, p[0] + dx, p[1] + dy, colour) for dx in (-1, 0, 1) for dy in (-1, 0, 1))]
        if bad:
            print(f"no {colour} at {len(bad)} screen pixels of the segment, first {bad[0]} (client origin {o})",
                  file=sys.stderr)
            return 1
        return 0
    if kind == "near":
        bad = [(x, y) for x, y in zip(pts[0::2], pts[1::2])
               if not any(like(img, at(x, y)[0] + dx, at(x, y)[1] + dy, colour)
                          for dx in range(-3, 4) for dy in range(-3, 4))]
        if bad:
            print(f"no {colour} near client points {bad} (client origin {o})", file=sys.stderr)
            return 1
        return 0
    if kind == "count":
        (x0, y0), (x1, y1), n = at(*pts[0:2]), at(*pts[2:4]), int(pts[4])
        found = sum(like(img, x, y, colour) for x in range(x0, x1) for y in range(y0, y1))
        if (n == 0 and found) or found < n:
            print(f"{found} pixels of {colour} in {pts[0:4]}, wanted {n or 'none'}", file=sys.stderr)
            return 1
        return 0
    print(f"unknown question {kind}", file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
