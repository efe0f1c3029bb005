#!/usr/bin/env bash
# Nothing lost for good, in a real X server: fifteen vectors typed and the report saved, Esc on
# the number dialog (which leaves no vectors), Ctrl+Z, and the report saved again is the same
# bytes; one vector edited through "Editar Vetor..."; then closing with the changes not saved,
# answered Cancelar (the program stays) and Não (it ends).
# usage: desfazer.sh ORBIX_EXECUTABLE   (inside an X server)
set -euo pipefail
source "$(dirname "$0")/lib/comum.bash"

start_program
vetores=()
for i in $(seq 15); do vetores+=("$i $((i * 2)) -$i"); done
enter_vectors "${vetores[@]}"
save_report "$work/antes.TXD"
xdotool key --clearmodifiers alt+v; sleep 0.4; xdotool key e
npt=$(await_window 'Entrada do N') || fail "the number dialog did not open"
xdotool key Escape
await_gone "$npt" 'Entrada do N' || fail "Esc did not close the number dialog"
xdotool key --clearmodifiers ctrl+z; sleep 0.5
save_report "$work/depois.TXD"
cmp "$work/antes.TXD" "$work/depois.TXD" || fail "Ctrl+Z did not bring the fifteen vectors back"

# "Editar Vetor...", reached with the keyboard: Up from the first item wraps to the last
# ("Converter Vetores..."), then "Remover Vetor...", then, "Acrescentar Vetor..." being greyed
# at fifteen vectors, "Editar Vetor...".
xdotool key --clearmodifiers alt+v; sleep 0.4; xdotool key Up Up Up Return
idx=$(await_window 'Escolha do Vetor') || fail "Editar Vetor asked for no vector"
xdotool type 3; xdotool key Return
vt=$(await_window 'Entradas$') || fail "no vector dialog for V(3)"
xdotool type 99; xdotool key Return
await_gone "$vt" 'Entradas$' || fail "the vector dialog did not close"
save_report "$work/editado.TXD"
grep -aq 'V(3) = 99.00a_x +  8.00a_y-4.00a_z' "$work/editado.TXD" || fail "V(3) was not edited"

# Closing with changes not saved: Cancelar stays, Não leaves.
xdotool key --clearmodifiers alt+a; sleep 0.4; xdotool key s
q=$(await_window '^Orbix$') || fail "no question about the changes"
xdotool key Escape
await_gone "$q" '^Orbix$' || fail "the question did not close"
alive || fail "Cancelar closed the program"
leave_with_sair
echo ok
