// The reference canvas: the scale factors of the client area and the auto-scaling.
#include "canvas/tela.h"

#include "state/estado.h"

#include <math.h>

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
