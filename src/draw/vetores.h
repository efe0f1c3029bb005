// vetores.h - the stored vectors drawn as arrows in the oblique view and in the three panels.
#ifndef ORBIX_VETORES_H
#define ORBIX_VETORES_H

#include <windows.h>

// Draws every stored vector over the axes that desenhasc has drawn: the scale labels when
// mostnum asks for them, then vector k with pen caneta[k]. The table is left untouched.
void desenhavetores(HDC hdc);

#endif
