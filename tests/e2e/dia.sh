#!/usr/bin/env bash
# A person's day with the program in a real X server, through the keyboard and the mouse: the
# axes after the splash, three vectors typed into the dialogs, a new coordinate system and a
# region, an equation worked on the calculator with the mouse, the report saved through the
# desktop's save dialog (and compared byte for byte with the stored one), and "&Sair", which ends
# the program with exit status 0. The title, the splash's hold, the help and the about box, and
# the keys typed on the calculator are the unit tests' (tests/window, tests/calc).
# usage: dia.sh ORBIX_EXECUTABLE   (inside an X server)
set -euo pipefail
source "$(dirname "$0")/lib/comum.bash"
key() { xdotool key --clearmodifiers "$@"; sleep 0.2; }

start_program
shot eixos
origem=$(python3 "$here/pixels.py" "$work/eixos.png" origin) || fail "no axes after the splash"
enter_vectors "1 0 0" "0 1 0" "0 0 2"
shot vetores
px vetores count 255 0 0 230 400 250 420 5 || fail "vector 0 is not drawn in red"

choose_spherical
enter_limits 0 10 30 120 0 270
shot regiao
px regiao count 255 0 0 700 270 800 450 300 || fail "the region was not drawn"

# V(0) + V(1) = on the calculator, clicked.
key alt+c; key r; sleep 0.3
for k in "207 176" "370 202" "207 211" "370 382"; do click $k; done
shot calculo
px calculo count 0 0 0 135 115 445 150 30 || fail "the calculator shows no result"

save_report "$work/dia.TXD"
cmp "$work/dia.TXD" "$here/../dados/e2e/dia.TXD" || fail "the report differs from the stored one"

leave_with_sair
echo ok
