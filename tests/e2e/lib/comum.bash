# comum.bash - what the end-to-end scripts share; source it after `set -euo pipefail`.
# Gives: $exe (the program, first argument), $here (tests/e2e), $work (a scratch folder, removed
# at exit, or copied to $E2E_KEEP when that is set), fail, await_window, await_gone, alive,
# start_program, shot, leave_with_sair. The program is killed at exit if it is still running.

exe=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d)
pid=
wid=

_cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "${E2E_KEEP:-}" ] && cp "$work"/* "$E2E_KEEP"/ 2>/dev/null || true
  rm -rf "$work"
}
trap _cleanup EXIT

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

# Waits up to 5 s for window $1 (title matching $2) to be gone: closed or hidden.
await_gone() {
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "$2" 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.1
  done
  return 1
}

alive() { kill -0 "$pid" 2>/dev/null; }

# Starts the program, waits for its window and for the start-up picture to give way, and gives
# the window the keyboard. Sets $pid and $wid.
start_program() {
  "$exe" "$@" &
  pid=$!
  wid=$(await_window 'Vetorial$') || fail "no window appeared"
  sleep 2.2  # the start-up picture is held for 1.5 s
  xdotool mousemove --window "$wid" 400 400 windowfocus "$wid"
}

# shot NAME: a screenshot of the whole screen as $work/NAME.png.
shot() {
  sleep 0.5
  import -window root "$work/$1.png"
}

# "&Arquivo" > "&Sair" with the keyboard; the program must end with exit status 0.
leave_with_sair() {
  xdotool key --clearmodifiers alt+a
  sleep 0.4
  xdotool key s
  for _ in $(seq 50); do alive || break; sleep 0.1; done
  alive && fail "the program did not end"
  local rc=0
  wait "$pid" || rc=$?
  pid=
  [ "$rc" -eq 0 ] || fail "exit status $rc"
}
