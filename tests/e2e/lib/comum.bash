# comum.bash - what the end-to-end scripts share; source it after `set -euo pipefail`.
# Gives: $exe (the program, first argument), $here (tests/e2e), $work (a scratch folder, removed
# at exit, or copied to $E2E_KEEP when that is set), fail, await_window, await_gone, alive,
# start_program, shot, leave_with_sair, px, click and the menu helpers below. The program is
# killed at exit if it is still running.

exe=$1
# A bare X server: with no desktop named, Qt's platform theme offers no file dialog of its own,
# so the checks meet Qt's dialog whatever desktop the person running them sits at.
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION GNOME_DESKTOP_SESSION_ID KDE_FULL_SESSION QT_QPA_PLATFORMTHEME
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

# px SHOT QUESTION...: pixels.py on $work/SHOT.png in client coordinates from $origem, which a
# script finds once on the bare axes (the labels of a drawing can cover them).
px() { python3 "$here/pixels.py" "$work/$1.png" --origin "$origem" "${@:2}"; }

# click X Y: a left click at that client point.
click() {
  local o=($origem)
  xdotool mousemove --window "$wid" $(( $1 + o[0] )) $(( $2 + o[1] )) click 1
  sleep 0.3
}

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
# Work typed and not saved is asked about first: the answer is "Não" (Alt+N, in English too).
leave_with_sair() {
  xdotool key --clearmodifiers alt+a
  sleep 0.4
  xdotool key s
  for _ in $(seq 10); do alive || break; sleep 0.1; done
  alive && xdotool key --clearmodifiers alt+n
  for _ in $(seq 50); do alive || break; sleep 0.1; done
  alive && fail "the program did not end"
  local rc=0
  wait "$pid" || rc=$?
  pid=
  [ "$rc" -eq 0 ] || fail "exit status $rc"
}

# enter_vectors "X Y Z" ...: "&Vetor" > "&Entrar Pontos para Vetores" with the keyboard, the count,
# then each vector's three entries (each dialog opens in its first field, the text selected).
enter_vectors() {
  xdotool key --clearmodifiers alt+v
  sleep 0.4
  xdotool key e
  local npt vt
  npt=$(await_window 'Entrada do N') || fail "the number dialog did not open"
  xdotool type "$#"
  xdotool key Return
  await_gone "$npt" 'Entrada do N' || fail "the number dialog did not close with Enter"
  for entries in "$@"; do
    vt=$(await_window 'Entradas$') || fail "no vector dialog for '$entries'"
    set -- $entries
    xdotool type -- "$1"
    for e in "$2" "$3"; do xdotool key Tab; xdotool type -- "$e"; done
    xdotool key Return
    await_gone "$vt" 'Entradas$' || fail "the vector dialog for '$entries' did not close with Enter"
  done
}

# save_report PATH: "&Arquivo" > "Sal&var Dados e Resultados", the path typed into the save
# dialog's name field, Enter; waits for the file to be there.
save_report() {
  xdotool key --clearmodifiers alt+a
  sleep 0.4
  xdotool key v
  local dlg
  dlg=$(await_window 'Save|Salvar|Guardar|Gravar') || fail "the save dialog did not open"
  sleep 0.5
  xdotool type -- "$1"
  xdotool key Return
  await_gone "$dlg" 'Save|Salvar|Guardar|Gravar' || fail "the save dialog did not close"
  sleep 0.5
}

# save_work PATH: Ctrl+S, the path typed into the save dialog's name field, Enter.
save_work() {
  xdotool key --clearmodifiers ctrl+s
  local dlg
  dlg=$(await_window 'Save|Salvar|Guardar|Gravar') || fail "Ctrl+S opened no save dialog"
  sleep 0.5
  xdotool type -- "$1"
  xdotool key Return
  await_gone "$dlg" 'Save|Salvar|Guardar|Gravar' || fail "the save dialog did not close"
  sleep 0.5
}

# choose_spherical: "&Vetor" > "Definir &Sistema de Coordenadas" ("E&scala" shares its letter,
# so Return picks it), "Esféricas" (the fifth tab stop, after OK, Cancel and the two other
# systems), OK.
choose_spherical() {
  xdotool key --clearmodifiers alt+v; sleep 0.3
  xdotool key s; sleep 0.2
  xdotool key Return; sleep 0.5
  xdotool key Tab Tab Tab Tab space Return; sleep 0.5
}

# enter_limits L1 U1 L2 U2 L3 U3: "&Vetor" > "Entrar &Limites para Região", the six limits from
# the first field, where the dialog opens, Enter.
enter_limits() {
  xdotool key --clearmodifiers alt+v; sleep 0.3
  xdotool key l; sleep 0.5
  for lim in "$@"; do xdotool type -- "$lim"; xdotool key Tab; done
  xdotool key Return; sleep 0.7
}
