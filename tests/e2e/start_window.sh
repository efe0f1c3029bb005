#!/usr/bin/env bash
# The program in a real X server, used as a person would: it opens with its title, shows the
# splash, then the axes at their reference positions; "&Direita" from the menu bar turns the
# view; "&Arquivo" > "&Sair" ends it with exit status 0.
# usage: start_window.sh ORBIX_EXECUTABLE   (run inside an X server, e.g. by xvfb-run)
set -euo pipefail
source "$(dirname "$0")/lib/comum.bash"

"$exe" & pid=$!
wid=$(await_window 'Vetorial$') || fail "no window appeared"
title=$(xdotool getwindowname "$wid")
[ "$title" = "Álgebra Vetorial" ] || fail "title is '$title'"

sleep 0.5
import -window root "$work/splash.png"
python3 "$here/pixels.py" "$work/splash.png" origin >/dev/null 2>&1 && fail "the axes replaced the splash too early"

sleep 2
import -window root "$work/axes.png"
# The main axes, the x axis from (425, 225) to (174, 474), and the three panels.
python3 "$here/pixels.py" "$work/axes.png" dark 300 150 300 550 100 350 500 350 \
  425 225 174 474 300 350 750 100 800 150 750 400 800 360 750 600 800 570 || fail "axes not at their reference positions"
python3 "$here/pixels.py" "$work/axes.png" light 320 150 600 600 || fail "stray drawing"

xdotool mousemove --window "$wid" 400 400 windowfocus "$wid"
xdotool key --clearmodifiers alt+d
shot turned
python3 "$here/pixels.py" "$work/turned.png" light 174 474 || fail "Direita did not turn the view"

leave_with_sair
echo ok
