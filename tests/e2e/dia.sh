#!/usr/bin/env bash
# A person's day with the program in a real X server, through the keyboard and the mouse: the
# window opens with its title and the splash, then the axes; three vectors typed into the
# dialogs, a new coordinate system and a region, an equation worked on the calculator with the
# mouse and then typed, the report saved through the desktop's save dialog (and compared
# byte for byte with the stored one), the help beside the window (Esc leaves it, Enter closes
# it), the about box, and "&Sair", which ends the program with exit status 0.
# usage: dia.sh ORBIX_EXECUTABLE   (inside an X server)
set -euo pipefail
source "$(dirname "$0")/lib/comum.bash"
key() { xdotool key --clearmodifiers "$@"; sleep 0.2; }

"$exe" & pid=$!
wid=$(await_window 'Vetorial$') || fail "no window appeared"
[ "$(xdotool getwindowname "$wid")" = "Álgebra Vetorial" ] || fail "title is '$(xdotool getwindowname "$wid")'"
sleep 0.5
import -window root "$work/abertura.png"
python3 "$here/pixels.py" "$work/abertura.png" origin >/dev/null 2>&1 && fail "the axes replaced the splash too early"
sleep 1.7
xdotool mousemove --window "$wid" 400 400 windowfocus "$wid"
shot eixos
origem=$(python3 "$here/pixels.py" "$work/eixos.png" origin) || fail "no axes after the splash"
enter_vectors "1 0 0" "0 1 0" "0 0 2"
shot vetores
px vetores count 255 0 0 230 400 250 420 5 || fail "vector 0 is not drawn in red"

choose_spherical
enter_limits 0 10 30 120 0 270
shot regiao
px regiao count 255 0 0 700 270 800 450 300 || fail "the region was not drawn"

# V(0) + V(1) = on the calculator; the clear key empties the display.
key alt+c; key r; sleep 0.3
for k in "207 176" "370 202" "207 211" "370 382"; do click $k; done
shot calculo
px calculo count 0 0 0 135 115 445 150 30 || fail "the calculator shows no result"
click 370 412
shot limpo
px limpo count 0 0 0 135 115 445 150 0 || fail "the clear key left the display"
# The same equation typed shows the same display, pixel for pixel; Delete clears it.
xdotool type --delay 150 'V0+V1='
shot digitado
read -r ox oy <<<"$origem"
caixa="310x35+$((ox + 135))+$((oy + 115))"
difere=$(compare -metric AE "$work/calculo.png[$caixa]" "$work/digitado.png[$caixa]" null: 2>&1 || true)
[ "${difere%% *}" = 0 ] || fail "the equation typed shows another display ($difere pixels differ)"
key Delete
shot apagado
px apagado count 0 0 0 135 115 445 150 0 || fail "Delete left the display"

save_report "$work/dia.TXD"
cmp "$work/dia.TXD" "$here/../dados/e2e/dia.TXD" || fail "the report differs from the stored one"

key alt+i; key a
ajuda=$(await_window 'Kelda - Ajuda') || fail "the help did not open"
key Escape
xdotool search --onlyvisible --name 'Kelda - Ajuda' >/dev/null || fail "Esc closed the help"
key Return
await_gone "$ajuda" 'Kelda - Ajuda' || fail "Enter did not close the help"
xdotool windowfocus "$wid"
key alt+i; key s
sobre=$(await_window '^Orbix$') || fail "the about box did not open"
key Return
await_gone "$sobre" '^Orbix$' || fail "the about box did not close"
leave_with_sair
echo ok
