// The axes of the oblique view and the panels, and the scale labels of the largest value.
#include "draw/eixos.h"

#include "canvas/tela.h"
#include "state/estado.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

namespace {

void texto(HDC hdc, int x, int y, const char *s) { TextOutA(hdc, x, y, s, int(strlen(s))); }

// One axis: the shaft, then four strokes of the arrowhead that come back to the tip, then its
// letter. Points in reference pixels.
struct Eixo {
    double x0, y0, x1, y1;
    double seta[4][2];
    const char *letra;
    double lx, ly;
};

void desenhaeixo(HDC hdc, const Tela &t, const Eixo &e) {
    MoveToEx(hdc, t.x(e.x0), t.y(e.y0), NULL);
    LineTo(hdc, t.x(e.x1), t.y(e.y1));
    for (const auto &p : e.seta) LineTo(hdc, t.x(p[0]), t.y(p[1]));
    texto(hdc, t.x(e.lx), t.y(e.ly), e.letra);
}

}  // namespace

void desenhasc(HDC hdc) {
    Tela t = telaatual();
    double ca = cos(angulox), sz = sin(anguloz);
    posxini = float(300 + 250 * ca);
    posyini = float(350 - 250 * sz);
    posxfin = float(300 - 250 * ca);
    posyfin = float(350 + 250 * sz);

    // clang-format off
    const Eixo eixos[] = {
        // main view
        {300, 600, 300, 100, {{305, 100}, {300, 95}, {295, 100}, {300, 100}}, "z", 306, 95},
        {50, 350, 550, 350, {{550, 355}, {555, 350}, {550, 345}, {550, 350}}, "y", 553, 353},
        {posxini, posyini, posxfin, posyfin,
         {{posxfin - 5 * ca, posyfin - 5 * sz},
          {posxfin - 5 * ca, posyfin + 5 * sz},
          {posxfin + 5 * ca, posyfin + 5 * sz},
          {posxfin, posyfin}},
         "x", posxfin + 3, posyfin + 3},
        // top panel (y-z)
        {750, 250, 750, 50, {{755, 50}, {750, 45}, {745, 50}, {750, 50}}, "z", 755, 45},
        {650, 150, 850, 150, {{850, 155}, {855, 150}, {850, 145}, {850, 150}}, "y", 853, 153},
        // middle panel (x-z)
        {750, 460, 750, 260, {{755, 260}, {750, 255}, {745, 260}, {750, 260}}, "z", 755, 255},
        {650, 360, 850, 360, {{850, 365}, {855, 360}, {850, 355}, {850, 360}}, "x", 853, 363},
        // bottom panel (x-y)
        {750, 680, 750, 470, {{755, 470}, {750, 465}, {745, 470}, {750, 470}}, "y", 755, 465},
        {650, 570, 850, 570, {{850, 575}, {855, 570}, {850, 565}, {850, 570}}, "x", 853, 573},
    };
    // clang-format on
    for (const Eixo &e : eixos) desenhaeixo(hdc, t, e);
}

void rotulosescala(HDC hdc, float valmax) {
    Tela t = telaatual();
    double ca = cos(angulox), sz = sin(anguloz);
    char m[100], meio[100];
    // Divided in double, as every intermediate that is not stored: in float, half of 669.75
    // would print 334.88.
    snprintf(m, sizeof m, "%5.2f", 240.0 / valmax);
    snprintf(meio, sizeof meio, "%5.2f", 120.0 / valmax);
    const double pontos[9][4] = {
        {300 - 240 * ca, 350 + 240 * sz, 300 - 120 * ca, 350 + 120 * sz},
        {540, 360, 420, 360},
        {310, 110, 310, 230},
        {760, 480, 760, 525},
        {840, 585, 795, 580},
        {760, 270, 760, 315},
        {840, 375, 795, 370},
        {760, 60, 760, 105},
        {840, 165, 795, 160},
    };
    for (const auto &p : pontos) {
        texto(hdc, t.x(p[0]), t.y(p[1]), m);
        texto(hdc, t.x(p[2]), t.y(p[3]), meio);
    }
}
