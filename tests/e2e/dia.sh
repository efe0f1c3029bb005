#!/usr/bin/env bash
# A person's day with the program, through the keyboard and the mouse: three vectors, every
# listing (and the listing scrolled with the scroll bar), the view turned to its limits, a new
# coordinate system and a region, an equation on the calculator, the report saved (and compared
# byte for byte with the one expected), the help and the about box, and "&Sair".
# usage: dia.sh ORBIX_EXECUTABLE   (inside an X server)
set -euo pipefail
source "$(dirname "$0")/lib/comum.bash"
key() { xdotool key --clearmodifiers "$@"; sleep 0.2; }
menu() { key "alt+$1"; key "${@:2}"; sleep 0.5; }
px() { python3 "$here/pixels.py" "$work/$1.png" --origin "$origem" "${@:2}"; }
click() {  # a left click at client point (x, y)
  local o=($origem)
  xdotool mousemove --window "$wid" $(( $1 + o[0] )) $(( $2 + o[1] )) click 1
  sleep 0.3
}
same() { cmp -s <(convert "$work/$1.png" rgb:-) <(convert "$work/$2.png" rgb:-); }

start_program
shot eixos
origem=$(python3 "$here/pixels.py" "$work/eixos.png" origin) || fail "no axes after the splash"
enter_vectors "1 0 0" "0 1 0" "0 0 2"
shot vetores
px vetores near 255 0 0 240 410 || fail "vector 0 is not drawn in red"

# Every listing shows a first line at the top left and no axes; the angles scroll away.
for item in t n m e c; do
  menu c "$item"
  shot lista-$item
  px lista-$item count 0 0 0 30 30 200 45 20 || fail "listing '$item' shows no first line"
  px lista-$item count 0 0 0 60 340 540 360 400 2>/dev/null && fail "listing '$item' still shows the axes"
done
menu c n
click $(( 1024 + 8 )) 700  # the scroll bar's trough below the thumb: a page down
shot rolada
px rolada count 0 0 0 30 30 200 45 0 || fail "the angle listing did not scroll"

# The view turns to its limits and stays there.
menu v d
for _ in $(seq 12); do key alt+d; done
shot direita1
for _ in $(seq 3); do key alt+d; done
shot direita2
same direita1 direita2 || fail "the view turned past its limit"
same vetores direita2 && fail "the view did not turn"

# Spherical in degrees, then a region: dots in the three stages' colours.
choose_spherical
enter_limits 0 10 30 120 0 270
shot regiao
px regiao count 255 0 0 700 270 800 450 300 || fail "the region was not drawn"

# V(0) + V(1) = on the calculator, with the mouse; the clear key empties the display.
menu c r
for k in "207 176" "370 202" "207 211" "370 382"; do click $k; done
shot calculo
px calculo count 0 0 0 135 115 445 150 30 || fail "the calculator shows no result"
click 370 412
shot limpo
px limpo count 0 0 0 135 115 445 150 0 || fail "the clear key left the display"

save_report "$work/dia.TXD"
cmp "$work/dia.TXD" "$here/esperado/dia.TXD" || fail "the report differs from the one expected"

menu i a
ajuda=$(await_window 'Kelda - Ajuda') || fail "the help did not open"
key Escape
xdotool search --onlyvisible --name 'Kelda - Ajuda' >/dev/null || fail "Esc closed the help"
key Return
await_gone "$ajuda" 'Kelda - Ajuda' || fail "Enter did not close the help"
xdotool windowfocus "$wid"
menu i s
sobre=$(await_window '^Orbix$') || fail "the about box did not open"
key Return
await_gone "$sobre" '^Orbix$' || fail "the about box did not close"
leave_with_sair
echo ok
