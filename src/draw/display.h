// display.h - the paint routine: one display mode of the program-wide state drawn into a DC.
//
// It only dispatches: the axes, the drawings, the listings and the calculator do the drawing
// on the reference canvas, and none of them knows this routine.
#ifndef ORBIX_DISPLAY_H
#define ORBIX_DISPLAY_H

#include <windows.h>

// Selects the font, then draws mode num into hdc; modes outside the table draw nothing.
void display(HDC hdc, int num);

// The vectors' pens and the font of every text, made for a window or a printout and freed after.
void criaferramentas();
void liberaferramentas();

#endif
