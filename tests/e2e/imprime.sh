#!/usr/bin/env bash
# Printing from the window, in Portuguese, in a real X server: Ctrl+P opens the print dialog in the
# user's language, Esc prints nothing and leaves the program as it was, and Enter prints the view on
# screen to the PDF file the dialog proposes, as paths and text.
# usage: imprime.sh ORBIX_EXECUTABLE   (inside an X server)
set -euo pipefail
source "$(dirname "$0")/lib/comum.bash"
export LANG=pt_BR.UTF-8 HOME=$work  # the dialog proposes print.pdf in the home folder

cp "$here/../dados/trabalhos/escrito.orbix" "$work/"
start_program "$work/escrito.orbix"
shot antes
xdotool key --clearmodifiers ctrl+p
dlg=$(await_window '^Imprimir') || fail "Ctrl+P opened no print dialog in Portuguese"
xdotool key Escape
await_gone "$dlg" '^Imprimir' || fail "Esc did not close the print dialog"
sleep 0.5
[ ! -e "$work/print.pdf" ] || fail "Cancel printed"
shot depois
cmp -s "$work/antes.png" "$work/depois.png" || fail "Cancel changed what the window shows"

xdotool key --clearmodifiers ctrl+p
dlg=$(await_window '^Imprimir') || fail "Ctrl+P opened no print dialog the second time"
xdotool key Return
await_gone "$dlg" '^Imprimir' || fail "Enter did not print"
for _ in $(seq 50); do [ -s "$work/print.pdf" ] && break; sleep 0.1; done
[ "$(pdfinfo "$work/print.pdf" | sed -n 's/^Pages: *//p')" = 1 ] || fail "the drawing is not one page"
pdftotext -raw "$work/print.pdf" - | grep -qx '3.00' || fail "the page holds none of the drawing's labels as text"
[ "$(pdfimages -list "$work/print.pdf" | wc -l)" = 2 ] || fail "the drawing came out as a picture"
leave_with_sair
echo ok
