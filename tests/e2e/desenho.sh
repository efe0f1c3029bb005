#!/usr/bin/env bash
# The drawings in a real X server, entered as a person would with the keyboard: three vectors
# along x, y and z in their own colours (red, blue, green), then a spherical region (r 0..10,
# theta 30..120, phi 0..270 degrees) whose three stages of dots show in the three panels in
# the same three colours.
# usage: desenho.sh ORBIX_EXECUTABLE   (run inside an X server, e.g. by xvfb-run)
set -euo pipefail
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pid=
# E2E_KEEP=DIR keeps the screenshots there.
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "${E2E_KEEP:-}" ] && cp "$work"/*.png "$E2E_KEEP"/ 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The labels cover the main y axis the client origin is found from, so it is found once, on
# the axes alone, and used for every later screenshot (the window does not move).
# colour SHOT at R G B X Y [X Y]...: each client point has a pixel of about that colour within
# 3 pixels of it.
# colour SHOT box R G B X0 Y0 X1 Y1 N: at least N pixels of about that colour in the client box.
origem=
colour() {
  python3 - "$here" "$origem" "$@" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
import pixels
o = tuple(map(int, sys.argv[2].split()))
shot, kind = sys.argv[3], sys.argv[4]
r, g, b = map(int, sys.argv[5:8])
args = list(map(int, sys.argv[8:]))
img = pixels.load(shot)
w, h, data = img
def near(x, y):
    x, y = x + o[0], y + o[1]
    if not (0 <= x < w and 0 <= y < h):
        return False
    i = 3 * (y * w + x)
    return all(abs(data[i + k] - c) < 70 for k, c in enumerate((r, g, b)))
if kind == "at":
    bad = [(x, y) for x, y in zip(args[0::2], args[1::2])
           if not any(near(x + dx, y + dy) for dx in range(-3, 4) for dy in range(-3, 4))]
    if bad:
        sys.exit(f"no ({r}, {g}, {b}) near client points {bad}")
else:
    x0, y0, x1, y1, n = args
    found = sum(near(x, y) for x in range(x0, x1) for y in range(y0, y1))
    if found < n:
        sys.exit(f"only {found} pixels of ({r}, {g}, {b}) in ({x0}, {y0})-({x1}, {y1}), wanted {n}")
PY
}

key() { xdotool key --clearmodifiers "$@"; sleep 0.15; }
menu() { key "alt+$1"; sleep 0.3; shift; key "$@"; sleep 0.7; }

"$exe" & pid=$!
wid=
for _ in $(seq 100); do
  wid=$(xdotool search --name 'Vetorial' 2>/dev/null | head -n 1 || true)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || fail "no window appeared"
sleep 2.5
import -window root "$work/eixos.png"
origem=$(python3 "$here/pixels.py" "$work/eixos.png" origin) || fail "no axes after the splash"
xdotool mousemove --window "$wid" 400 400 windowfocus "$wid"

# Vetor > Entrar Pontos para Vetores. The dialogs open with the focus on OK: the number is two
# tab stops further on, and the three entries are the last tab stops of the vector dialog.
menu v e
key Tab Tab
xdotool type 3
key Return
sleep 0.7
for v in "10 0 0" "0 10 0" "0 0 10"; do
  set -- $v
  key shift+Tab shift+Tab shift+Tab
  xdotool type "$1"; key Tab
  xdotool type "$2"; key Tab
  xdotool type "$3"; key Return
  sleep 0.7
done
sleep 0.5
import -window root "$work/vetores.png"
# Midway along each arrow in the main view and in the panels that show it.
colour "$work/vetores.png" at 255 0 0 240 410 800 570 800 360 || fail "vector 0 (x) is not red"
colour "$work/vetores.png" at 0 0 255 420 350 750 520 800 150 || fail "vector 1 (y) is not blue"
colour "$work/vetores.png" at 0 255 0 300 230 750 310 750 100 || fail "vector 2 (z) is not green"
# Nothing coloured where no vector goes.
colour "$work/vetores.png" box 255 0 0 400 150 540 300 1 2>/dev/null && fail "red drawn off vector 0"
colour "$work/vetores.png" box 0 255 0 760 400 850 560 1 2>/dev/null && fail "green drawn off vector 2"

# Vetor > Definir Sistema de Coordenadas ("E&scala" shares its letter, so the letter only
# selects it): Esféricas is the fifth tab stop, after OK, Cancel and the two other systems.
# Then Vetor > Entrar Limites para Região: the six limits follow OK and Cancel.
menu v s Return
key Tab Tab Tab Tab space Return
sleep 0.7
menu v l
key Tab Tab
for lim in 0 10 30 120 0 270; do
  xdotool type "$lim"; key Tab
done
key Return
sleep 1
import -window root "$work/regiao.png"
# Stage 1 (red): the half-plane faces in the x-z panel; stage 2 (blue): the cones in the x-y
# panel; stage 3 (green): the spheres in the y-z panel.
colour "$work/regiao.png" box 255 0 0 700 270 800 450 300 || fail "no red dots in the x-z panel"
colour "$work/regiao.png" box 0 0 255 660 480 840 660 300 || fail "no blue dots in the x-y panel"
colour "$work/regiao.png" box 0 255 0 660 60 840 240 300 || fail "no green dots in the y-z panel"
colour "$work/regiao.png" box 0 255 0 660 480 840 660 1 2>/dev/null && fail "green dots in the x-y panel"
colour "$work/regiao.png" box 255 0 0 100 120 500 580 300 || fail "no red dots in the main view"
colour "$work/regiao.png" at 0 0 0 300 597 750 680 || fail "the axes vanished under the region"

key alt+a
sleep 0.5
key s
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end"
set +e
wait "$pid"
rc=$?
set -e
pid=
[ "$rc" -eq 0 ] || fail "exit status $rc"
echo "ok"
