#!/usr/bin/env bash
# The program on a screen of device pixel ratio 2, as a person with a 200 % display sees it:
# GDI scaling draws the picture at the screen's resolution, every position at twice its
# reference one, every line twice as thick and whole.
# usage: tela_escalada.sh ORBIX_EXECUTABLE   (inside an X server twice the usual size)
# xvfb-screen: 2560x2048x24
set -euo pipefail
source "$(dirname "$0")/lib/comum.bash"
export QT_SCALE_FACTOR=2

# Client coordinates are the program's; pixels.py puts them two screen pixels apart.
px() { python3 "$here/pixels.py" "$work/$1.png" --scale 2 --origin "$origem" "${@:2}"; }

start_program
shot eixos
origem=$(python3 "$here/pixels.py" "$work/eixos.png" --scale 2 origin) || fail "no main y axis at twice its place"

# Each axis two screen pixels thick, at twice its place from the origin found on the main y axis:
# y (row 350) and z (column 300) of the main view, and an axis of each panel.
px eixos dark 100 350 100 350.5 450 350 450 350.5 700 150 700 150.5 800 570 800 570.5 \
  || fail "a row axis is not two pixels thick at its place"
px eixos light 100 349.5 100 351 450 349.5 450 351 700 149.5 700 151 || fail "a row axis is thicker than two pixels"
px eixos dark 300 200 300.5 200 300 500 300.5 500 750 100 750.5 100 750 420 750.5 420 \
  || fail "a column axis is not two pixels thick at its place"
px eixos light 299.5 200 301 200 749.5 100 751 100 || fail "a column axis is thicker than two pixels"
# The oblique x axis from (425, 225) toward its tip at (174, 474), short of the arrowhead: whole,
# and drawn at the screen's resolution, not a picture of half the size enlarged.
px eixos unbroken 420 230 180 468 || fail "the oblique x axis is broken"
px eixos sharp 180 230 420 468 100 || fail "the oblique x axis is an enlarged picture"

# Vector 0 (red) along y and z: its arrow from the origin to (540, 110) in the main view and to
# (850, 50) in the y-z panel, short of the arrowheads.
enter_vectors "0 10 10"
shot vetor
px vetor along 255 0 0 300 350 535 115 || fail "the main arrow is not red all along"
px vetor along 255 0 0 750 150 845 55 || fail "the y-z panel's arrow is not red all along"
px vetor count 255 0 0 400 400 600 600 0 || fail "red drawn off the vector"
# The label of y at (540, 360), in glyphs of the screen's resolution.
px vetor sharp 540 360 575 374 20 || fail "the labels are enlarged from half their size"

leave_with_sair
echo ok
