#!/usr/bin/env bash
# A work kept and taken up again, with the keyboard: fifteen vectors typed and the report saved; Esc on
# the number dialog (which leaves no vectors) and Ctrl+Z bring them back, the report the same
# bytes; leaving with the changes not saved, answered Cancelar, stays; the work saved with Ctrl+S
# (the extension added), the program closed and started again with the work as its argument, and
# the report saved then is the same bytes; one vector edited through "Editar Vetor...", and
# leaving then answered Não. A bad work on the command line is reported and the
# program stays usable; the three systems' listing copied to the X clipboard, as the scenes store
# it; --help, --version and a wrong option answer on the terminal, with no display at all.
# usage: trabalho.sh ORBIX_EXECUTABLE   (inside an X server)
set -euo pipefail
source "$(dirname "$0")/lib/comum.bash"

# The answers themselves are the unit tests' business; here, that they need no display.
env -u DISPLAY "$exe" --help | grep -q '^Uso: orbix \[TRABALHO.orbix\]' || fail "--help printed no usage"
env -u DISPLAY "$exe" --version | grep -q '^Álgebra Vetorial (ORBIX) [0-9]' || fail "--version"
rc=0
env -u DISPLAY "$exe" --ajuda >/dev/null 2>&1 || rc=$?
[ "$rc" -eq 2 ] || fail "a wrong option exited with $rc"

start_program
vetores=()
for i in $(seq 15); do vetores+=("$i $((i * 2)) -$i"); done
enter_vectors "${vetores[@]}"
save_report "$work/antes.TXD"
xdotool key --clearmodifiers alt+v; sleep 0.4; xdotool key e
npt=$(await_window 'Entrada do N') || fail "the number dialog did not open"
xdotool key Escape
await_gone "$npt" 'Entrada do N' || fail "Esc did not close the number dialog"
xdotool key --clearmodifiers ctrl+z; sleep 0.5
save_report "$work/desfeito.TXD"
cmp "$work/antes.TXD" "$work/desfeito.TXD" || fail "Ctrl+Z did not bring the vectors back"
xdotool key --clearmodifiers alt+a; sleep 0.4; xdotool key s
q=$(await_window '^Orbix$') || fail "no question about the changes"
xdotool key Escape
await_gone "$q" '^Orbix$' || fail "the question did not close"
alive || fail "Cancelar closed the program"
save_work "$work/aula"
[ -f "$work/aula.orbix" ] || fail "no work file aula.orbix"
leave_with_sair

start_program "$work/aula.orbix"
save_report "$work/depois.TXD"
cmp "$work/antes.TXD" "$work/depois.TXD" || fail "the report of the opened work differs"
# "Editar Vetor...", reached with the keyboard: Up from the first item wraps to the last
# ("Converter Vetores..."), then "Remover Vetor...", then, "Acrescentar Vetor..." being greyed
# at fifteen vectors, "Editar Vetor...". Leaving then is answered Não.
xdotool key --clearmodifiers alt+v; sleep 0.4; xdotool key Up Up Up Return
await_window 'Escolha do Vetor' >/dev/null || fail "Editar Vetor asked for no vector"
xdotool type 3; xdotool key Return
vt=$(await_window 'Entradas$') || fail "no vector dialog for V(3)"
xdotool type 99; xdotool key Return
await_gone "$vt" 'Entradas$' || fail "the vector dialog did not close"
save_report "$work/editado.TXD"
grep -aq 'V(3) = 99.00a_x +  8.00a_y-4.00a_z' "$work/editado.TXD" || fail "V(3) was not edited"
leave_with_sair

# A bad work on the command line: its message over the program, which then works as ever.
printf 'ORBIX TRABALHO 1\nsistema polar\n' >"$work/ruim.orbix"
"$exe" "$work/ruim.orbix" & pid=$!
msg=$(await_window '^Orbix$') || fail "no message for the bad work"
xdotool key --clearmodifiers Return
await_gone "$msg" '^Orbix$' || fail "the message did not close"
wid=$(await_window 'Vetorial$') || fail "no main window after the message"
sleep 2
xdotool mousemove --window "$wid" 400 400 windowfocus "$wid"
shot eixos
origem=$(python3 "$here/pixels.py" "$work/eixos.png" origin) || fail "no axes after the bad work"
enter_vectors "0 3 0"
shot usavel
px usavel count 255 0 0 320 340 520 360 50 || fail "the program is not usable after the bad work"
leave_with_sair
# "&Cálculos" (reached from "&Vetor": Alt+C is also "&Cima") > "Coordenadas nos Três &Sistemas",
# Ctrl+C: the clipboard holds the listing as the scene test stores it (the work is stored, of the
# same vectors as that scene; each listing's text and its copy are the unit tests').
for cena in tres-sistemas-cilindricos; do
  start_program "$here/../dados/e2e/$cena.orbix"
  xdotool key --clearmodifiers alt+v; sleep 0.3
  xdotool key Right; sleep 0.3
  xdotool key s; sleep 0.5
  xdotool key --clearmodifiers ctrl+c; sleep 0.5
  diff <(iconv -f CP1252 -t UTF-8 "$here/../dados/cenas/$cena.txt" | tr -d '\r') <(xclip -o -selection clipboard | tr -d '\r') ||
    fail "the three systems of $cena, copied, differ from the stored listing"
  leave_with_sair
done
echo ok
