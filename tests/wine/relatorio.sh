#!/usr/bin/env bash
# The Windows build, running: orbix.exe under Wine in a real X server opens with the axes at
# their reference positions, takes two vectors through the menu and the dialogs, saves the report
# and leaves with "&Sair"; the report is byte for byte the one the Linux build writes for the
# same keys.
# usage: relatorio.sh ORBIX_LINUX ORBIX_EXE   (inside an X server, e.g. by xvfb-run)
set -euo pipefail
source "$(dirname "$0")/../e2e/lib/comum.bash"
windows_exe=$2
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || { echo "no $wine"; exit 77; }

session() {  # $1: the path to type into the save dialog; the rest: how to start the program
  local path=$1
  shift
  start_program "$@"
  enter_vectors "1 2 3" "-4 0.5 6"
  save_report "$path"
  leave_with_sair
}

session "$work/linux.TXD"

export WINEPREFIX="$work/wine" WINEDEBUG=-all
"$wine" wineboot -i >/dev/null 2>&1 || fail "wine could not make its prefix"
exe=$wine
start_program "$windows_exe"
shot wine-axes
python3 "$here/pixels.py" "$work/wine-axes.png" dark 300 150 300 550 100 350 500 350 \
  425 225 174 474 750 100 800 150 750 400 800 360 750 600 800 570 || fail "axes not at their reference positions under Wine"
enter_vectors "1 2 3" "-4 0.5 6"
save_report "Z:${work//\//\\}\\windows.TXD"
leave_with_sair
/usr/lib/wine/wineserver -k 2>/dev/null || true

[ -f "$work/windows.TXD" ] || fail "the Windows build wrote no report"
cmp "$work/linux.TXD" "$work/windows.TXD" || fail "the two reports differ"
[ "$(stat -c %s "$work/linux.TXD")" -eq $(( (9 + 2 * 2 + 3 * 2 * 3 / 2) * 100 )) ] || fail "unexpected report size"
echo ok
