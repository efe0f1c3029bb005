#!/usr/bin/env bash
# A work kept and taken up again, with the keyboard: two vectors typed, the report saved, the work
# saved with Ctrl+S (the extension added), the program closed and started again with the work as
# its argument, and the report saved then is the same bytes. The view copied with Ctrl+C is on the
# desktop's clipboard as a picture, a listing as its text too; the arrows turn the view and stop
# at its limit; F1 opens the help. A bad work on the command line is reported and the program
# stays usable; --help, --version and a wrong option answer on the terminal.
# usage: trabalho.sh ORBIX_EXECUTABLE   (inside an X server)
set -euo pipefail
source "$(dirname "$0")/lib/comum.bash"
key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
same() { cmp -s <(convert "$work/$1.png" rgb:-) <(convert "$work/$2.png" rgb:-); }

# The terminal, even with no display at all.
env -u DISPLAY "$exe" --help >"$work/ajuda.txt" || fail "--help did not exit with 0"
grep -q '^Uso: orbix \[TRABALHO.orbix\]' "$work/ajuda.txt" || fail "--help printed no usage"
env -u DISPLAY "$exe" --version | grep -q '^Álgebra Vetorial (ORBIX) [0-9]' || fail "--version"
rc=0
env -u DISPLAY "$exe" --ajuda >"$work/saida.txt" 2>"$work/erro.txt" || rc=$?
[ "$rc" -eq 2 ] || fail "a wrong option exited with $rc"
[ ! -s "$work/saida.txt" ] && grep -q '^Uso:' "$work/erro.txt" || fail "a wrong option gave no usage on stderr"

start_program
enter_vectors "1 2 3" "-4 0.5 6"
save_report "$work/antes.TXD"
key ctrl+s
dlg=$(await_window 'Save|Salvar') || fail "Ctrl+S opened no save dialog"
sleep 0.5
xdotool type -- "$work/aula"
xdotool key Return
await_gone "$dlg" 'Save|Salvar' || fail "the save dialog did not close"
sleep 0.5
[ -f "$work/aula.orbix" ] || fail "no work file aula.orbix"
head -n 1 "$work/aula.orbix" | grep -q $'^ORBIX TRABALHO 1\r$' || fail "not a work file"
leave_with_sair

start_program "$work/aula.orbix"
shot aberto
origem=$(python3 "$here/pixels.py" "$work/aberto.png" origin) || fail "no axes"
px() { python3 "$here/pixels.py" "$work/$1.png" --origin "$origem" "${@:2}"; }
px aberto count 255 0 0 250 200 400 400 20 || fail "the work's vectors are not drawn"
save_report "$work/depois.TXD"
cmp "$work/antes.TXD" "$work/depois.TXD" || fail "the report of the opened work differs"

# The picture on the clipboard is the client area.
key ctrl+c
xclip -selection clipboard -o -t TARGETS | grep -qx 'image/png' || fail "no picture on the clipboard"
xclip -selection clipboard -o -t image/png >"$work/copia.png"
[ "$(identify -format '%wx%h' "$work/copia.png")" = "1024x768" ] || fail "the picture is not the client area"
xclip -selection clipboard -o -t TARGETS | grep -qx 'text/plain' && fail "a drawing put text on the clipboard"
# A listing: its text, lines ended with CR LF.
key alt+c; key m; sleep 0.3
key ctrl+c
printf 'Módulo de V(0) -> |V(0)| =  3.74\r\nMódulo de V(1) -> |V(1)| =  7.23\r\n' >"$work/modulos.txt"
xclip -selection clipboard -o -t UTF8_STRING | cmp - "$work/modulos.txt" || fail "the listing's text on the clipboard"

# The arrows turn the view as the menu bar does, and stop at the limit.
key alt+v; key d; sleep 0.3
shot antes
for _ in $(seq 12); do key Right; done
shot direita1
key Right; key Right
shot direita2
same antes direita1 && fail "Right did not turn the view"
same direita1 direita2 || fail "Right turned past the limit"

key F1
ajuda=$(await_window 'Kelda - Ajuda') || fail "F1 did not open the help"
key Return
await_gone "$ajuda" 'Kelda - Ajuda' || fail "Enter did not close the help"
xdotool windowfocus "$wid"
leave_with_sair

# A bad work on the command line: its message over the program, which then works as ever.
printf 'ORBIX TRABALHO 1\nsistema polar\n' >"$work/ruim.orbix"
"$exe" "$work/ruim.orbix" & pid=$!
msg=$(await_window '^Orbix$') || fail "no message for the bad work"
key Return
await_gone "$msg" '^Orbix$' || fail "the message did not close"
wid=$(await_window 'Vetorial$') || fail "no main window after the message"
sleep 2
xdotool mousemove --window "$wid" 400 400 windowfocus "$wid"
enter_vectors "0 3 0"
shot usavel
px usavel count 255 0 0 320 340 520 360 50 || fail "the program is not usable after the bad work"
leave_with_sair
echo ok
