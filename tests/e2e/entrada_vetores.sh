#!/usr/bin/env bash
# Entering vectors with the keyboard alone, as a person would: the listing is shown first
# ("&Cálculos" > "Ver Ve&tores", no axes); then "&Vetor" > "&Entrar Pontos para Vetores" opens the
# number dialog, 2 is typed and confirmed with Enter, each of the two vector dialogs takes its
# three entries (Tab between fields) and Enter; the dialogs close, the program goes on, and the
# window is back in the vector view with its axes. "&Arquivo" > "&Sair" then ends it with 0.
# usage: entrada_vetores.sh ORBIX_EXECUTABLE   (run inside an X server, e.g. by xvfb-run)
set -euo pipefail
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Prints the id of the visible window whose title matches $1, waiting up to 5 s for it.
await_window() {
  local id=
  for _ in $(seq 50); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
# Waits up to 5 s for window $1 to be gone (closed or hidden).
await_gone() {
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "$2" 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.1
  done
  return 1
}
alive() { kill -0 "$pid" 2>/dev/null; }

"$exe" & pid=$!
wid=$(await_window 'Vetorial$') || fail "no window appeared"
sleep 2.2  # the start-up picture is held for 1.5 s
xdotool mousemove --window "$wid" 400 400 windowfocus "$wid"

xdotool key --clearmodifiers alt+c
sleep 0.4
xdotool key t
sleep 0.7
import -window root "$work/listing.png"
python3 "$here/pixels.py" "$work/listing.png" origin >/dev/null 2>&1 && fail "the listing still shows the axes"

xdotool key --clearmodifiers alt+v
sleep 0.4
xdotool key e
npt=$(await_window 'Entrada do N') || fail "the number dialog did not open"
# The dialog opens on its OK button; the field is the last stop before it.
xdotool key shift+Tab
xdotool type 2
xdotool key Return
await_gone "$npt" 'Entrada do N' || fail "the number dialog did not close with Enter"

prev=
for entries in "1 2 3" "-4 0.5 6"; do
  vt=
  for _ in $(seq 50); do
    vt=$(xdotool search --onlyvisible --name 'Entradas$' 2>/dev/null | grep -vx "${prev:-none}" | head -n 1 || true)
    [ -n "$vt" ] && break
    sleep 0.1
  done
  [ -n "$vt" ] || fail "no vector dialog for '$entries'"
  # Back from OK through the three fields (the last stops), to the first one.
  xdotool key shift+Tab shift+Tab shift+Tab
  set -- $entries
  xdotool type -- "$1"
  xdotool key Tab
  xdotool type -- "$2"
  xdotool key Tab
  xdotool type -- "$3"
  xdotool key Return
  await_gone "$vt" 'Entradas$' || fail "the vector dialog for '$entries' did not close with Enter"
  prev=$vt
done

sleep 0.7
alive || fail "the program ended after the entry"
xdotool search --onlyvisible --name 'Entradas$|Entrada do N' >/dev/null 2>&1 && fail "a dialog is still open"
import -window root "$work/vectors.png"
python3 "$here/pixels.py" "$work/vectors.png" dark 300 150 300 550 100 350 500 350 \
  || fail "the window did not switch to the vector view"

xdotool key --clearmodifiers alt+a
sleep 0.5
xdotool key s
for _ in $(seq 50); do alive || break; sleep 0.1; done
alive && fail "the program did not end"
set +e
wait "$pid"
rc=$?
set -e
pid=
[ "$rc" -eq 0 ] || fail "exit status $rc"
echo "ok"
