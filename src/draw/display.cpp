// The paint routine: the font, then the mode's drawing, listing, calculator or splash.
#include "draw/display.h"

#include "calc/calculadora.h"
#include "draw/eixos.h"
#include "draw/listagem.h"
#include "draw/regiao.h"
#include "draw/vetores.h"
#include "state/estado.h"

#include <string.h>

namespace {

void desenhaabertura(HDC hdc) {
    const char *texto = "Carregando o ORBIX...";
    TextOutA(hdc, 300, 20, texto, int(strlen(texto)));
    HDC hdcmem = CreateCompatibleDC(hdc);
    SelectObject(hdcmem, BMP_Orbix);
    BitBlt(hdc, 100, 50, 800, 600, hdcmem, 0, 0, SRCCOPY);
    DeleteDC(hdcmem);
}

}  // namespace

void criaferramentas() {
    for (int i = 0; i < MAXVETORES; i++) caneta[i] = CreatePen(PS_SOLID, 2, Cor[i]);
    hFonte = CreateFontA(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman");
}

void liberaferramentas() {
    for (int i = 0; i < MAXVETORES; i++) DeleteObject(caneta[i]);
    DeleteObject(hFonte);
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
    case MODO_SISTEMAS: desenhalistagem(hdc, num); break;
    case MODO_CALCULADORA: desenhacalculadora(hdc); break;
    case MODO_ABERTURA: desenhaabertura(hdc); break;
    default: break;
    }
}
