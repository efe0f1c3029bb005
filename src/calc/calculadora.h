// calculadora.h - the vector calculator of display mode 7: a keypad drawn in the window and
// worked with the mouse. A release only records the key; the next paint in mode 7 loads the
// operands, evaluates and shows the equation line.
#ifndef ORBIX_CALCULADORA_H
#define ORBIX_CALCULADORA_H

#include <windows.h>

// Puts the calculator back to an empty equation (the menu command and the clear key).
void iniciacalc();

// The keypad and the display box, after loading a waiting operand and evaluating a released
// "=". hdc is the paint's device context.
void desenhacalculadora(HDC hdc);

// A left-button press at client position (x, y): the key under it is marked at once, straight
// into the window; nothing of the state changes.
void marcatecla(HWND hjan, int x, int y);
// A left-button release at client position (x, y): the key under it acts on the state. The
// caller repaints.
void soltatecla(int x, int y);

#endif
