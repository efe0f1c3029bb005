#!/usr/bin/env bash
# The program as a Brazilian user runs it (LANG=pt_BR.UTF-8). What Qt draws for it speaks
# Portuguese: the save dialog's title, labels and buttons, and the context menu of a dialog's
# number field, read from the accessibility bus as a screen reader reads them. The program's own
# texts stay as they are, numbers are still read and written with a point (1.5 gives 1.50), and a
# report is saved over an existing file by typing its full path with the dialog opened elsewhere,
# by typing its full path and by typing its bare name while the dialog proposes another file of
# that folder.
# usage: idioma.sh ORBIX_EXECUTABLE   (inside an X server)
set -euo pipefail
# A session bus of its own (never the caller's desktop), carrying the accessibility bus.
if [ -z "${ORBIX_E2E_OWN_BUS:-}" ]; then
  exec env ORBIX_E2E_OWN_BUS=1 dbus-run-session -- "$0" "$@"
fi
source "$(dirname "$0")/lib/comum.bash"
locale -a | grep -qix 'pt_BR\.utf-\?8' || fail "no pt_BR.UTF-8 locale here (scripts/setup.sh makes it)"
export LANG=pt_BR.UTF-8 LANGUAGE= LC_ALL= QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
trap 'kill $bus 2>/dev/null || true; _cleanup' EXIT
sleep 1
reader() { /usr/bin/python3 "$here/acessivel.py" "$@"; }
tree() { reader tree > "$work/$1.txt" || fail "the program is not on the accessibility bus"; }
has() {  # has LIST ROLE NAME: the list holds that object (a menu item's shortcut may follow)
  grep -qE "^$2"$'\t'"$3"$'(\t.*)?$' "$work/$1.txt" || fail "$1: no $2 '$3' in"$'\n'"$(cat "$work/$1.txt")"
}

start_program
tree janela
for item in Arquivo Vetor Cálculos Info Esquerda Direita Cima Baixo 'Salvar Dados e Resultados' Sair; do
  has janela 'menu item' "$item"
done

# The number field's context menu, opened with the mouse as a person does.
xdotool key --clearmodifiers alt+v; sleep 0.4; xdotool key e
npt=$(await_window 'Entrada do N') || fail "the number dialog did not open"
sleep 0.5
tree numero
has numero dialog 'Álgebra Vetorial - Entrada do Número de Pontos'
has numero 'push button' 'Cancel'
xy=$(reader centre text '') || fail "the number dialog has no text field"
reader popup bash -c "xdotool mousemove $xy click 3; sleep 0.5; xdotool key Down" > "$work/menu.txt" ||
  fail "no context menu on the number field"
shot menu
for item in Desfazer Refazer Recortar Copiar Colar Excluir 'Selecionar tudo'; do
  has menu 'menu item' "$item"
done
xdotool key Escape; sleep 0.3
xdotool key Escape
await_gone "$npt" 'Entrada do N' || fail "Esc did not close the number dialog"

enter_vectors "1.5 -2 3"

# The save dialog, in Portuguese; the first save replaces a file of another folder by its path.
mkdir -p "$work/d"
for f in A B C; do echo velho > "$work/d/$f.TXD"; done
xdotool key --clearmodifiers alt+a; sleep 0.4; xdotool key v
dlg=$(await_window '^Salvar como$') || fail "no save dialog titled 'Salvar como'"
sleep 0.5
shot salvar
tree salvar
has salvar dialog 'Salvar como'
has salvar label 'Nome do arquivo:'
has salvar 'push button' 'Salvar'
has salvar 'push button' 'Cancelar'
xdotool type -- "$work/d/A.TXD"
xdotool key Return
await_gone "$dlg" 'Salvar como' || fail "the dialog opened elsewhere would not take A.TXD's full path"
sleep 0.5
grep -q 'V(0) =  1.50a_x-2.00a_y +  3.00a_z' "$work/d/A.TXD" || fail "the report does not read 1.50 (C numbers)"
[ "$(stat -c %s "$work/d/A.TXD")" -eq 1400 ] || fail "A.TXD is not a whole report"

# Proposing A.TXD: B by its full path; proposing B.TXD: C by its bare name.
save_report "$work/d/B.TXD"
cmp -s "$work/d/A.TXD" "$work/d/B.TXD" || fail "B.TXD, typed by its full path, was not replaced"
save_report C.TXD
cmp -s "$work/d/A.TXD" "$work/d/C.TXD" || fail "C.TXD, typed by its name, was not replaced"
leave_with_sair
echo ok
