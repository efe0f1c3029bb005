#!/usr/bin/env bash
# Two vectors entered with the keyboard alone (Tab, typing, Enter) switch the listing back to the
# vector view. usage: entrada_vetores.sh ORBIX_EXECUTABLE   (inside an X server)
set -euo pipefail
source "$(dirname "$0")/lib/comum.bash"

start_program
xdotool key --clearmodifiers alt+c
sleep 0.4
xdotool key t
shot listing
python3 "$here/pixels.py" "$work/listing.png" origin >/dev/null 2>&1 && fail "the listing still shows the axes"

xdotool key --clearmodifiers alt+v
sleep 0.4
xdotool key e
npt=$(await_window 'Entrada do N') || fail "the number dialog did not open"
xdotool type 2  # it opens in the number field, its text selected
xdotool key Return
await_gone "$npt" 'Entrada do N' || fail "the number dialog did not close with Enter"

for entries in "1 2 3" "-4 0.5 6"; do
  vt=$(await_window 'Entradas$') || fail "no vector dialog for '$entries'"
  set -- $entries
  xdotool type -- "$1"  # it opens in the first of the three fields
  for e in "$2" "$3"; do xdotool key Tab; xdotool type -- "$e"; done
  xdotool key Return
  await_gone "$vt" 'Entradas$' || fail "the vector dialog for '$entries' did not close with Enter"
done

shot vectors
alive || fail "the program ended after the entry"
xdotool search --onlyvisible --name 'Entradas$|Entrada do N' >/dev/null 2>&1 && fail "a dialog is still open"
python3 "$here/pixels.py" "$work/vectors.png" dark 300 150 300 550 100 350 500 350 \
  || fail "the window did not switch to the vector view"
leave_with_sair
echo ok
