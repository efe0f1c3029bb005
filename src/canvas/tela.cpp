// The reference canvas: device pixels, the scale factors of the client area, the auto-scaling.
#include "canvas/tela.h"

#include "state/estado.h"

#include <math.h>

namespace {

// GDI's coordinate space reaches 2^27 either way; nothing beyond it means anything on screen.
constexpr double LIMITE_GDI = 134217727.0;

}  // namespace

int pixel(double v) {
    if (v != v) return 0;
    if (v > LIMITE_GDI) return int(LIMITE_GDI);
    if (v < -LIMITE_GDI) return -int(LIMITE_GDI);
    return int(v);  // truncation toward zero
}

bool desenhavel(double v) { return isfinite(v); }

Tela telaatual() {
    Tela t;
    t.maxx = float(maxX * 1.0 * (1.0 / REF_LARGURA));
    t.maxy = float(maxY * 1.0 * (1.0 / REF_ALTURA));
    return t;
}

float escalaauto(const float *valores, int n) {
    float valmax = 0.001f;
    for (int i = 0; i < n; ++i)
        if (fabs(valores[i]) > valmax) valmax = float(fabs(valores[i]));
    return float(ESCALA_ALVO / valmax);
}
