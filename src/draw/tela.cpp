// The paint routine, the reference canvas and the axes of the oblique view and the panels.
#include "draw/tela.h"

#include "calc/calculadora.h"
#include "draw/listagem.h"
#include "draw/regiao.h"
#include "draw/vetores.h"
#include "state/estado.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

namespace {

// GDI's coordinate space reaches 2^27 either way; nothing beyond it means anything on screen.
constexpr double LIMITE_GDI = 134217727.0;

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

void desenhaabertura(HDC hdc) {
    texto(hdc, 300, 20, "Carregando o ORBIX...");
    HDC hdcmem = CreateCompatibleDC(hdc);
    SelectObject(hdcmem, BMP_Orbix);
    BitBlt(hdc, 100, 50, 800, 600, hdcmem, 0, 0, SRCCOPY);
    DeleteDC(hdcmem);
}

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

void desenhasc(HDC hdc) {
    Tela t = telaatual();
    double ca = cos(angulox), sz = sin(anguloz);
    posxini = float(300 + 250 * ca);
    posyini = float(350 - 250 * sz);
    posxfin = float(300 - 250 * ca);
    posyfin = float(350 + 250 * sz);

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
    for (const Eixo &e : eixos) desenhaeixo(hdc, t, e);
}

float escalaauto(const float *valores, int n) {
    float valmax = 0.001f;
    for (int i = 0; i < n; ++i)
        if (fabs(valores[i]) > valmax) valmax = float(fabs(valores[i]));
    return float(ESCALA_ALVO / valmax);
}

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
        case ESFERICO:
            valores[n++] = vetores[0][k];
            break;
        }
    }
    return escalaauto(valores, n);
}

void rotulosescala(HDC hdc, float valmax) {
    Tela t = telaatual();
    double ca = cos(angulox), sz = sin(anguloz);
    char m[100], meio[100];
    snprintf(m, sizeof m, "%5.2f", 240 / valmax);
    snprintf(meio, sizeof meio, "%5.2f", 120 / valmax);
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

void display(HDC hdc, int num) {
    SelectObject(hdc, hFonte);
    switch (num) {
    case MODO_VETORES:
        desenhasc(hdc);
        desenhavetores(hdc);
        break;
    case MODO_REGIAO:
        desenhasc(hdc);
        desenharegiao(hdc);
        break;
    case MODO_ANGULOS:
    case MODO_ESCALARES:
    case MODO_VETORIAIS:
    case MODO_LISTAGEM:
    case MODO_MODULOS:
        desenhalistagem(hdc, num);
        break;
    case MODO_CALCULADORA:
        desenhacalculadora(hdc);
        break;
    case MODO_ABERTURA:
        desenhaabertura(hdc);
        break;
    default:
        break;
    }
}
