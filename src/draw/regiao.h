// regiao.h - the region held in reg drawn as dotted faces in the oblique view and the panels.
#ifndef ORBIX_REGIAO_H
#define ORBIX_REGIAO_H

#include <windows.h>

// Draws the region over the axes that desenhasc has drawn, in three stages with the pens
// caneta[0], caneta[1] and caneta[2]. Leaves each pair of limits in reg in ascending order and,
// in cylindrical and spherical form, a negative lower radius raised to 0; nothing else changes.
void desenharegiao(HDC hdc);

#endif
