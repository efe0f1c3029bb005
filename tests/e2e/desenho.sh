#!/usr/bin/env bash
# The drawings in a real X server, entered with the keyboard: vectors along x, y and z in red,
# blue and green, then a spherical region whose three stages of dots show in those colours.
# usage: desenho.sh ORBIX_EXECUTABLE   (run inside an X server, e.g. by xvfb-run)
set -euo pipefail
source "$(dirname "$0")/lib/comum.bash"

key() { xdotool key --clearmodifiers "$@"; sleep 0.15; }
menu() { key "alt+$1"; sleep 0.3; shift; key "$@"; sleep 0.7; }
# Labels cover the axis the client origin is found from: it is found once, on the bare axes.
px() { python3 "$here/pixels.py" "$work/$1.png" --origin "$origem" "${@:2}"; }

start_program
shot eixos
origem=$(python3 "$here/pixels.py" "$work/eixos.png" origin) || fail "no axes after the splash"

# Vetor > Entrar Pontos: each dialog opens in its first field, the text selected.
menu v e
xdotool type 3
key Return
sleep 0.7
for v in "10 0 0" "0 10 0" "0 0 10"; do
  set -- $v
  xdotool type "$1"; key Tab; xdotool type "$2"; key Tab; xdotool type "$3"; key Return
  sleep 0.7
done
shot vetores
px vetores near 255 0 0 240 410 800 570 800 360 || fail "vector 0 (x) is not red"
px vetores near 0 0 255 420 350 750 520 800 150 || fail "vector 1 (y) is not blue"
px vetores near 0 255 0 300 230 750 310 750 100 || fail "vector 2 (z) is not green"
px vetores count 255 0 0 400 150 540 300 0 || fail "red drawn off vector 0"
px vetores count 0 255 0 760 400 850 560 0 || fail "green drawn off vector 2"

# r 0..10, theta 30..120, phi 0..270 degrees.
choose_spherical
enter_limits 0 10 30 120 0 270
shot regiao
# Stage 1 (red) in the x-z panel and the main view, 2 (blue) in x-y, 3 (green) in y-z only.
px regiao count 255 0 0 700 270 800 450 300 || fail "no red dots in the x-z panel"
px regiao count 255 0 0 100 120 500 580 300 || fail "no red dots in the main view"
px regiao count 0 0 255 660 480 840 660 300 || fail "no blue dots in the x-y panel"
px regiao count 0 255 0 660 60 840 240 300 || fail "no green dots in the y-z panel"
px regiao count 0 255 0 660 480 840 660 0 || fail "green dots in the x-y panel"
px regiao near 0 0 0 300 597 750 680 || fail "the axes vanished under the region"

leave_with_sair
echo ok
