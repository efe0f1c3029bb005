#!/usr/bin/env bash
# A work kept and taken up again, with the keyboard: two vectors typed, the report saved, the work
# saved with Ctrl+S (the extension added), the program closed and started again with the work as
# its argument, and the report saved then is the same bytes. A bad work on the command line is
# reported and the program stays usable; a work of each system shown in the three systems and
# copied, as the scenes store that listing; --help, --version and a wrong option answer on the
# terminal, with no display at all.
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
enter_vectors "1 2 3" "-4 0.5 6"
save_report "$work/antes.TXD"
save_work "$work/aula"
[ -f "$work/aula.orbix" ] || fail "no work file aula.orbix"
head -n 1 "$work/aula.orbix" | grep -q $'^ORBIX TRABALHO 1\r$' || fail "not a work file"
leave_with_sair

start_program "$work/aula.orbix"
shot aberto
origem=$(python3 "$here/pixels.py" "$work/aberto.png" origin) || fail "no axes"
px aberto count 255 0 0 250 200 400 400 20 || fail "the work's vectors are not drawn"
save_report "$work/depois.TXD"
cmp "$work/antes.TXD" "$work/depois.TXD" || fail "the report of the opened work differs"
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
enter_vectors "0 3 0"
shot usavel
px usavel count 255 0 0 320 340 520 360 50 || fail "the program is not usable after the bad work"
leave_with_sair
# "&Cálculos" (reached from "&Vetor": Alt+C is also "&Cima") > "Coordenadas nos Três &Sistemas",
# Ctrl+C: the clipboard holds the listing as the scene tests store it (the works are stored, of
# the same vectors as those scenes).
for cena in tres-sistemas-cilindricos tres-sistemas-esfericos-radianos tres-sistemas-rolados; do
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
