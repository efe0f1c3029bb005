#!/usr/bin/env bash
# The Windows installer, used as a person would, under Wine in a real X server: a silent install
# puts orbix.exe, its uninstaller and a Start-menu shortcut in place and makes .orbix files open
# in the program; a work file opened from the shell by that association shows its vectors; the
# silent uninstall takes everything away again.
# usage: instalador.sh ORBIX_LINUX ORBIX_INSTALLER   (inside an X server, e.g. by xvfb-run)
set -euo pipefail
source "$(dirname "$0")/../e2e/lib/comum.bash"
installer=$2
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || { echo "no $wine"; exit 77; }
export WINEPREFIX="$work/wine" WINEDEBUG=-all
"$wine" wineboot -i >/dev/null 2>&1 || fail "wine could not make its prefix"
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; _cleanup' EXIT

reg() { "$wine" reg query "$1" /ve 2>/dev/null | tr -d '\r' || true; }

"$wine" "$installer" /S >/dev/null 2>&1 || fail "the silent install failed"
programa="$WINEPREFIX/drive_c/Program Files/Orbix"
[ -f "$programa/bin/orbix.exe" ] || fail "orbix.exe was not installed"
[ -f "$programa/Uninstall.exe" ] || fail "no uninstaller"
atalho=$(find "$WINEPREFIX/drive_c" -name 'Álgebra Vetorial.lnk' | head -n 1)
[ -n "$atalho" ] || fail "no Start-menu shortcut"
reg 'HKCR\.orbix' | grep -q 'Orbix.Trabalho' || fail "the .orbix files are not associated"
reg 'HKCR\Orbix.Trabalho\shell\open\command' | grep -q 'Orbix\\bin\\orbix.exe" "%1"' || fail "no open command"

# A work with a long red vector along y, opened through the association.
printf 'ORBIX TRABALHO 1\r\nsistema cartesiano\r\nunidade graus\r\nvetores 1\r\nvetor 0 0 4 0\r\n' >"$work/aula.orbix"
printf 'regiao 1 0 0\r\nregiao 2 0 0\r\nregiao 3 0 0\r\nvista 1.0471666666666668 0.5235833333333334\r\n' >>"$work/aula.orbix"
printf 'escala vetores\r\nfim\r\n' >>"$work/aula.orbix"
"$wine" start /unix "$work/aula.orbix" >/dev/null 2>&1 || fail "the shell could not open the work"
wid=$(await_window 'Vetorial$') || fail "the installed program did not start"
sleep 3  # past the start-up picture
xdotool mousemove --window "$wid" 400 400 windowfocus "$wid"
shot aberto
origem=$(python3 "$here/pixels.py" "$work/aberto.png" origin) || fail "no axes"
px aberto count 255 0 0 320 340 520 360 100 || fail "the work's vector is not drawn"
xdotool key --clearmodifiers alt+a
sleep 0.4
xdotool key s
await_gone "$wid" 'Vetorial$' || fail "the program did not end"

"$wine" "$programa/Uninstall.exe" /S >/dev/null 2>&1 || fail "the silent uninstall failed"
# The uninstaller goes on from a copy of itself after the first one returns: wait for every
# process of this Wine to end.
timeout 180 /usr/lib/wine/wineserver -w || true
[ -e "$programa/bin/orbix.exe" ] && fail "orbix.exe is still installed"
[ -z "$(find "$WINEPREFIX/drive_c" -name 'Álgebra Vetorial.lnk')" ] || fail "the shortcut is still there"
reg 'HKCR\.orbix' | grep -q 'Orbix.Trabalho' && fail "the association is still there"
echo ok
