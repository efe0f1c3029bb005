#!/usr/bin/env bash
# orbix --pdf where there is no display at all (no X server, no Wayland session, no platform
# asked for): the PDF is written and nothing is said. The window, which has nowhere to open, is
# refused in one line.
# usage: sem_tela.sh ORBIX_EXECUTABLE WORK_FILE
set -euo pipefail
exe=$1 trabalho=$2 work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; cat "$work/erros"; exit 1; }
sem_tela() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" 2> "$work/erros"; }

sem_tela "$exe" --pdf "$work/s.pdf" "$trabalho" || fail "--pdf failed"
[ ! -s "$work/erros" ] || fail "--pdf wrote to standard error"
pdfinfo "$work/s.pdf" | grep -q '^Pages: *8$' || fail "not the eight pages of the work's views"
if sem_tela "$exe" "$trabalho"; then fail "the program ran with no display"; fi
[ "$(wc -l < "$work/erros")" = 1 ] || fail "not one line on standard error"
echo ok
