// calculadora.h - the vector calculator of display mode 7: a keypad drawn in the window and
// worked with the mouse or the keyboard. A release only records the key; the next paint in mode 7
// loads the operands, evaluates and shows the equation line.
#ifndef ORBIX_CALCULADORA_H
#define ORBIX_CALCULADORA_H

#include <windows.h>

// Puts the calculator back to an empty equation (the menu command and the clear key).
void iniciacalc();

// The keypad and the display box, after loading a waiting operand and evaluating a released
// "=". hdc is the paint's device context.
void desenhacalculadora(HDC hdc);

// A key of the keypad by what it is: digit 0..9, vector key V(0)..V(14), or operator key 0..8
// (",+-X./x=" and the clear key). The mouse and the keyboard press the same keys.
struct TeclaCalc {
    enum Grupo { NENHUMA, DIGITO, VETOR, OPERADOR } grupo;
    int indice;
};
// The key at client position (x, y), whether it responds now or not; NENHUMA between keys.
TeclaCalc teclaem(int x, int y);
// A key goes down: when it responds, its diagonals are drawn at once, straight into the window;
// nothing of the state changes (but a V1 typed and still waiting is V(1) now, see below).
void marcatecla(HWND hjan, TeclaCalc t);
// A key comes up: when it responds, it acts on the state. The caller repaints.
void soltatecla(TeclaCalc t);

// A key message for the main window (WM_KEYDOWN, WM_CHAR, WM_KEYUP): in the calculator view the
// keypad is typed, each key marked when it goes down and acting when it comes up, as clicked.
// Digits; "," and the keypad's decimal key; + - X . / = as labelled; "*" and "x"; Enter for "=";
// Esc and Delete for the clear key; V and the index for a vector key. With more than ten
// vectors, V1 waits for a second digit 0..4 (V12 is V(12)), and any other key first makes it
// V(1). True when the message was one of these keys, false for the window to handle.
bool teclacalculadora(HWND hjan, UINT msg, WPARAM wParam, LPARAM lParam);

#endif
