// vetores.cpp - the vector view: one drawing per coordinate system, sharing the scale, the
// labels, the tick marks and the arrowheads.
#include "draw/vetores.h"

#include "canvas/tela.h"
#include "draw/eixos.h"
#include "state/estado.h"
#include "state/vetorial.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

namespace {

constexpr double S = FATOR_PAINEL;

// Shape A closes a small triangle at the tip; shape B is the open figure of the main view of
// the cylindrical and spherical drawings.
enum Forma { FORMA_A, FORMA_B };

// One vector being drawn: its device context, the scale of the client area, its index (the
// stacked labels of vector k stand 11 pixels below those of vector k - 1) and the stored
// values its labels show.
class Traco {
public:
    Traco(HDC hdc, const Tela &t, int k, bool guardaemx) : hdc_(hdc), t_(t), k_(k), guardaemx_(guardaemx) {}

    // Tick marks: 4 device pixels across, centred on the point.
    void tickh(double X, double Y) const {
        double xd = X * t_.maxx, yd = Y * t_.maxy;
        if (!finito(xd, yd)) return;
        MoveToEx(hdc_, pixel(xd - 2), pixel(yd), NULL);
        LineTo(hdc_, pixel(xd + 2), pixel(yd));
    }
    void tickv(double X, double Y) const {
        double xd = X * t_.maxx, yd = Y * t_.maxy;
        if (!finito(xd, yd)) return;
        MoveToEx(hdc_, pixel(xd), pixel(yd - 2), NULL);
        LineTo(hdc_, pixel(xd), pixel(yd + 2));
    }

    // The stored value beside its tick, only in the scale-label mode of the vectors; dx and dy
    // are device pixels.
    void rotulo(float valor, double X, double Y, double dx = 0, double dy = 0) const {
        if (mostnum != ESCALA_VETORES) return;
        double xd = X * t_.maxx + dx, yd = Y * t_.maxy + dy;
        if (!finito(xd, yd)) return;
        char texto[100];
        snprintf(texto, sizeof texto, "%5.2f", valor);
        TextOutA(hdc_, pixel(xd), pixel(yd), texto, int(strlen(texto)));
    }
    // Labels on a horizontal axis where every vector may stand at the same place.
    void empilhado(float valor, double X, double Y) const { rotulo(valor, X, Y, 0, 2 + 11 * k_); }

    // The shaft from O to T, then the arrowhead from the tip. The head's angle follows the
    // tip's position from the corner of the client area, and a tip on the guarded coordinate's
    // zero takes the right angle instead.
    void seta(double OX, double OY, double TX, double TY, Forma forma) const {
        double xd = TX * t_.maxx, yd = TY * t_.maxy;
        if (!finito(xd, yd)) return;
        MoveToEx(hdc_, pixel(OX * t_.maxx), pixel(OY * t_.maxy), NULL);
        LineTo(hdc_, pixel(xd), pixel(yd));
        double guarda = guardaemx_ ? xd : yd;
        float theta = fabs(guarda) > 0.0001 ? float(atan2(xd, yd)) : float(RETO_DESENHO);
        double s = sin(double(theta)), c = cos(double(theta));
        if (forma == FORMA_A) {
            LineTo(hdc_, pixel(xd - 3 * s), pixel(yd + 3 * c));
            LineTo(hdc_, pixel(xd + 3 * c), pixel(yd + 3 * s));
            LineTo(hdc_, pixel(xd), pixel(yd));
        } else {
            LineTo(hdc_, pixel(xd - 3 * s), pixel(yd + 3 * s));
            LineTo(hdc_, pixel(xd + 3 * c), pixel(yd + 3 * c));
            LineTo(hdc_, pixel(xd + 3 * c), pixel(yd));
        }
    }

private:
    static bool finito(double x, double y) { return desenhavel(x) && desenhavel(y); }
    HDC hdc_;
    Tela t_;
    int k_;
    bool guardaemx_;
};

// v: the stored entries (for the labels); e: the scaled lengths and the angles in radians.
void cartesiano(const Traco &d, const float v[3], const float e[3]) {
    double ca = cos(angulox), sz = sin(anguloz);
    double x = e[0], y = e[1], z = e[2];
    // Main view.
    d.tickh(300 - ca * x, 350 + sz * x);
    d.rotulo(v[0], 310 - ca * x, 350 + sz * x);
    d.tickv(300 + y, 350);
    d.rotulo(v[1], 300 + y, 360);
    d.tickh(300, 350 - z);
    d.rotulo(v[2], 310, 350 - z, 2, 0);
    d.seta(300, 350, 300 + y - ca * x, 350 - z + sz * x, FORMA_A);
    // Bottom panel (x-y).
    d.tickv(750 + S * x, 570);
    d.rotulo(v[0], 750 + S * x, 580);
    d.tickh(750, 570 - S * y);
    d.rotulo(v[1], 760, 570 - S * y);
    d.seta(750, 570, 750 + S * x, 570 - S * y, FORMA_A);
    // Middle panel (x-z).
    d.tickv(750 + S * x, 360);
    d.rotulo(v[0], 750 + S * x, 370);
    d.tickh(750, 360 - S * z);
    d.rotulo(v[2], 760, 360 - S * z);
    d.seta(750, 360, 750 + S * x, 360 - S * z, FORMA_A);
    // Top panel (y-z).
    d.tickv(750 + S * y, 150);
    d.rotulo(v[1], 750 + S * y, 160);
    d.tickh(750, 150 - S * z);
    d.rotulo(v[2], 760, 150 - S * z);
    d.seta(750, 150, 750 + S * y, 150 - S * z, FORMA_A);
}

// The distance rho is marked on both horizontal axes of each view (it is the length of the
// vector's shadow in the x-y plane), z on the vertical ones.
void cilindrico(const Traco &d, const float v[3], const float e[3]) {
    double ca = cos(angulox), sz = sin(anguloz);
    double rho = e[0], phi = e[1], z = e[2];
    // Main view.
    d.rotulo(v[0], 310 - ca * rho, 350 + sz * rho);
    d.seta(300, 350, 300 - cos(angulox + phi) * rho, 350 - z + sz * cos(phi) * rho, FORMA_B);
    d.tickh(300 - ca * rho, 350 + sz * rho);
    d.empilhado(v[0], 300 + rho, 355);
    d.rotulo(v[2], 310, 350 - z);
    d.tickv(300 + rho, 350);
    d.tickh(300, 350 - z);
    // Bottom panel (x-y).
    d.seta(750, 570, 750 + S * cos(phi) * rho, 570 - S * sin(phi) * rho, FORMA_A);
    d.empilhado(v[0], 750 + S * rho, 575);
    d.tickv(750 + S * rho, 570);
    d.tickh(750, 570 - S * rho);
    d.rotulo(v[0], 760, 570 - S * rho);
    // Middle panel (x-z).
    d.empilhado(v[0], 750 + S * rho, 365);
    d.rotulo(v[2], 760, 360 - S * z);
    d.seta(750, 360, 750 + S * cos(phi) * rho, 360 - S * z, FORMA_A);
    d.tickv(750 + S * rho, 360);
    d.tickh(750, 360 - S * z);
    // Top panel (y-z).
    d.empilhado(v[0], 750 + S * rho, 155);
    d.rotulo(v[2], 760, 150 - S * z);
    d.seta(750, 150, 750 + S * sin(phi) * rho, 150 - S * z, FORMA_A);
    d.tickv(750 + S * rho, 150);
    d.tickh(750, 150 - S * z);
}

// The distance r is marked on every axis of every view.
void esferico(const Traco &d, const float v[3], const float e[3]) {
    double ca = cos(angulox), sz = sin(anguloz);
    double r = e[0], t = e[1], phi = e[2];
    double st = sin(t), ct = cos(t);
    // Main view.
    d.rotulo(v[0], 310 - ca * r, 350 + sz * r);
    d.seta(300, 350, 300 - st * cos(angulox + phi) * r, 350 - ct * r + sz * st * cos(phi) * r, FORMA_B);
    d.empilhado(v[0], 300 + r, 355);
    d.tickh(300 - ca * r, 350 + sz * r);
    d.tickv(300 + r, 350);
    d.rotulo(v[0], 310, 350 - r);
    d.tickh(300, 350 - r);
    // Bottom panel (x-y).
    d.seta(750, 570, 750 + S * st * cos(phi) * r, 570 - S * st * sin(phi) * r, FORMA_A);
    d.empilhado(v[0], 750 + S * r, 575);
    d.tickv(750 + S * r, 570);
    d.rotulo(v[0], 760, 570 - S * r);
    d.tickh(750, 570 - S * r);
    // Middle panel (x-z).
    d.seta(750, 360, 750 + S * st * cos(phi) * r, 360 - S * ct * r, FORMA_A);
    d.empilhado(v[0], 750 + S * r, 365);
    d.tickv(750 + S * r, 360);
    d.rotulo(v[0], 760, 360 - S * r);
    d.tickh(750, 360 - S * r);
    // Top panel (y-z).
    d.seta(750, 150, 750 + S * st * sin(phi) * r, 150 - S * ct * r, FORMA_A);
    d.empilhado(v[0], 750 + S * r, 155);
    d.tickv(750 + S * r, 150);
    d.rotulo(v[0], 760, 150 - S * r);
    d.tickh(750, 150 - S * r);
}

// The values of the vector view that take part in its scale, by coordinate system: the lengths
// only.
float escalavetores() {
    float valores[3 * MAXVETORES];
    int n = 0;
    int quantos = numpt < 0 ? 0 : (numpt > MAXVETORES ? MAXVETORES : numpt);
    for (int k = 0; k < quantos; ++k) {
        switch (Scoord) {
        case CARTESIANO:
            valores[n++] = vetores[0][k];
            valores[n++] = vetores[1][k];
            valores[n++] = vetores[2][k];
            break;
        case CILINDRICO:
            valores[n++] = vetores[0][k];
            valores[n++] = vetores[2][k];
            break;
        case ESFERICO: valores[n++] = vetores[0][k]; break;
        }
    }
    return escalaauto(valores, n);
}

}  // namespace

void desenhavetores(HDC hdc) {
    void (*desenho)(const Traco &, const float[3], const float[3]);
    switch (Scoord) {
    case CARTESIANO: desenho = cartesiano; break;
    case CILINDRICO: desenho = cilindrico; break;
    case ESFERICO: desenho = esferico; break;
    default: return;
    }
    Tela t = telaatual();
    // The lengths alone take part in the scale; the angles only change unit. Both happen on a
    // copy, so the table the user entered is never touched.
    float valmax = escalavetores();
    if (mostnum == ESCALA_MEDIA) rotulosescala(hdc, valmax);
    int quantos = numpt < 0 ? 0 : (numpt > MAXVETORES ? MAXVETORES : numpt);
    for (int k = 0; k < quantos; ++k) {
        float v[3], e[3];
        for (int c = 0; c < 3; ++c) {
            v[c] = vetores[c][k];
            if (!entradaangular(Scoord, c))
                e[c] = v[c] * valmax;
            else
                e[c] = Medgrau == GRAUS ? grauparad(v[c]) : v[c];
        }
        SelectObject(hdc, caneta[k]);
        desenho(Traco(hdc, t, k, Scoord == ESFERICO), v, e);
    }
}
