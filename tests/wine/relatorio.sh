#!/usr/bin/env bash
# The Windows build, running: orbix.exe under Wine in a real X server opens with the axes at
# their reference positions, takes two vectors through the menu and the dialogs, saves the report
# (twice: the second replaces the first), saves the work with Ctrl+S, opens the print dialog and
# leaves with "&Sair"; the report and the work file are byte for byte the ones the Linux build
# writes for the same keys. --pdf, with no PDF printer there, fails in one line.
# usage: relatorio.sh ORBIX_LINUX ORBIX_EXE   (inside an X server, e.g. by xvfb-run)
set -euo pipefail
source "$(dirname "$0")/../e2e/lib/comum.bash"
windows_exe=$2
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || { echo "no $wine"; exit 77; }

session() {  # $1, $2: the report and the work to save; the rest: how to start the program
  local report=$1 work_file=$2
  shift 2
  start_program "$@"
  enter_vectors "1 2 3" "-4 0.5 6"
  save_report "$report"
  save_report "$report"
  save_work "$work_file"
  leave_with_sair
}

session "$work/linux.TXD" "$work/linux.orbix"

export WINEPREFIX="$work/wine" WINEDEBUG=-all
"$wine" wineboot -i >/dev/null 2>&1 || fail "wine could not make its prefix"
exe=$wine
start_program "$windows_exe"
shot wine-axes
python3 "$here/pixels.py" "$work/wine-axes.png" dark 300 150 300 550 100 350 500 350 \
  425 225 174 474 750 100 800 150 750 400 800 360 750 600 800 570 || fail "axes not at their reference positions under Wine"
enter_vectors "1 2 3" "-4 0.5 6"
save_report "Z:${work//\//\\}\\windows.TXD"
save_report "Z:${work//\//\\}\\windows.TXD"
save_work "Z:${work//\//\\}\\windows.orbix"
# Wine has no printer: its print dialog says so, and OK leaves the program as it was.
xdotool key --clearmodifiers ctrl+p
dlg=$(await_window '^Print$') || fail "Ctrl+P opened no print dialog under Wine"
xdotool key Return
await_gone "$dlg" '^Print$' || fail "the print dialog did not close"
await_window '^Orbix$' >/dev/null 2>&1 && fail "a second message after the dialog's own"
alive || fail "the program ended after the print dialog"
leave_with_sair
rc=0
"$wine" "$windows_exe" --pdf "Z:${work//\//\\}\\w.pdf" "Z:${work//\//\\}\\windows.orbix" 2>"$work/pdf.err" || rc=$?
[ "$rc" -eq 1 ] && [ "$(wc -l <"$work/pdf.err")" -eq 1 ] && [ ! -e "$work/w.pdf" ] || fail "--pdf with no PDF printer: status $rc, $(cat "$work/pdf.err")"
/usr/lib/wine/wineserver -k 2>/dev/null || true

[ -f "$work/windows.TXD" ] || fail "the Windows build wrote no report"
cmp "$work/linux.TXD" "$work/windows.TXD" || fail "the two reports differ"
[ -f "$work/windows.orbix" ] || fail "the Windows build saved no work file"
cmp "$work/linux.orbix" "$work/windows.orbix" || fail "the two work files differ"
[ "$(stat -c %s "$work/linux.TXD")" -eq $(( (9 + 2 * 2 + 3 * 2 * 3 / 2) * 100 )) ] || fail "unexpected report size"
echo ok
