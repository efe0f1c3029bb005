// tela.h - the reference canvas of 1024 x 768 and its mapping to the client area.
//
// Every drawing position is written in reference pixels and turned into device pixels at the
// last moment, truncated toward zero, through pixel(): defined for any value a user's entries
// can produce (NaN, infinities, beyond int), so no drawing is ever undefined behaviour.
//
// The drawings, the listings and the calculator build on this; it knows none of them.
#ifndef ORBIX_TELA_H
#define ORBIX_TELA_H

#include <math.h>

// Reference canvas.
constexpr double REF_LARGURA = 1024;
constexpr double REF_ALTURA = 768;
// The largest drawn magnitude lands this far from the origin of the main view.
constexpr float ESCALA_ALVO = 240;
// Panels draw a scaled value v at v * 100/240 reference pixels.
constexpr double FATOR_PAINEL = 100.0 / 240.0;

// GDI's coordinate space reaches 2^27 either way; nothing beyond it means anything on screen.
constexpr double LIMITE_GDI = 134217727.0;

// Device pixel of a device-scaled position: truncated toward zero; NaN gives 0 and values
// beyond the coordinate space of GDI are held at its edge. Inline: a region's paint converts
// every one of its tens of thousands of dots.
inline int pixel(double v) {
    if (v != v) return 0;
    if (v > LIMITE_GDI) return int(LIMITE_GDI);
    if (v < -LIMITE_GDI) return -int(LIMITE_GDI);
    return int(v);  // truncation toward zero
}
// True when v can be drawn (finite): a point that is not finite is not drawn.
inline bool desenhavel(double v) { return isfinite(v); }

// The scale factors of the current client area (maxX, maxY).
struct Tela {
    float maxx;
    float maxy;
    int x(double refx) const { return pixel(refx * maxx); }
    int y(double refy) const { return pixel(refy * maxy); }
};
Tela telaatual();

// Auto-scaling: the drawing scale 240 / M for the largest magnitude M of the n values (floor
// 0.001, so a picture of zeros or of nothing keeps a finite scale).
float escalaauto(const float *valores, int n);

#endif
