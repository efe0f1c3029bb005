// eixos.h - the axes of the oblique view and of the three projection panels, and the scale
// labels written on them.
#ifndef ORBIX_EIXOS_H
#define ORBIX_EIXOS_H

#include <windows.h>

// The axes of the main view and of the three projection panels, with the pen hdc holds.
void desenhasc(HDC hdc);
// The labels M and M/2 on every axis (scale-label mode 2), for the drawing scale valmax.
void rotulosescala(HDC hdc, float valmax);

#endif
