// The window procedure of the main window.
#include "window/janela.h"

#include "calc/calculadora.h"
#include "draw/display.h"
#include "state/estado.h"
#include "trabalho/trabalho.h"
#include "window/ajuda.h"

#include <string.h>

namespace {

// The start-up picture is held by a timer, not inside the paint, so the window stays responsive
// and the picture actually reaches the screen before the vector view replaces it.
bool aberturaagendada = false;

void criarecursos() {
    for (int i = 0; i < MAXVETORES; i++) caneta[i] = CreatePen(PS_SOLID, 2, Cor[i]);
    hFonte = CreateFontA(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman");
    temps3[0] = '\0';
    // The help text is kept in pieces and joined once here.
    strcpy(ajuda, partesajuda[0]);
    for (int i = 1; i < 5; i++) strcat(ajuda, partesajuda[i]);
    aberturaagendada = false;
}

void liberarecursos() {
    for (int i = 0; i < MAXVETORES; i++) DeleteObject(caneta[i]);
    DeleteObject(hFonte);
    DeleteObject(BMP_Orbix);
}

void pinta(HWND hjan) {
    PAINTSTRUCT ps;
    // The whole client area is redrawn from the state on every paint.
    InvalidateRect(hjan, NULL, TRUE);
    HDC hdc = BeginPaint(hjan, &ps);
    display(hdc, num);
    EndPaint(hjan, &ps);
    if (inicia == 1 && !aberturaagendada) {
        aberturaagendada = true;
        SetTimer(hjan, ID_ABERTURA, TEMPO_ABERTURA, NULL);
    }
}

void fimdaabertura(HWND hjan) {
    KillTimer(hjan, ID_ABERTURA);
    if (inicia != 1) return;
    inicia = 0;
    // A view chosen during the hold (a command, a work opened from the menu) stays.
    if (num != MODO_ABERTURA) return;
    num = MODO_VETORES;
    InvalidateRect(hjan, NULL, TRUE);
}

void rola(HWND hjan, WPARAM wParam) {
    int limite = numpt * numpt * 20;
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        SBPosy -= 1;
        if (SBPosy < 0) SBPosy = 0;
        break;
    case SB_LINEDOWN:
        SBPosy += 1;
        if (SBPosy > limite) SBPosy = limite;
        break;
    case SB_PAGEUP:
        SBPosy -= 16;
        if (SBPosy < 0) SBPosy = 0;
        break;
    case SB_PAGEDOWN:
        SBPosy += 16;
        if (SBPosy > limite) SBPosy = limite;
        break;
    case SB_THUMBTRACK:
        SBPosy = HIWORD(wParam);
        break;
    default:
        return;  // SB_THUMBPOSITION, SB_ENDSCROLL and the rest change nothing
    }
    SCROLLINFO si;
    memset(&si, 0, sizeof si);
    si.cbSize = sizeof(SCROLLINFO);
    si.fMask = SIF_POS;
    si.nPos = SBPosy;
    SetScrollInfo(hjan, SB_VERT, &si, TRUE);
    InvalidateRect(hjan, NULL, TRUE);
}

}  // namespace

LRESULT CALLBACK ProcJan(HWND hjan, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    switch (iMsg) {
    case WM_CREATE:
        criarecursos();
        return 0;
    case WM_SIZE:
        maxX = LOWORD(lParam);
        maxY = HIWORD(lParam);
        return 0;
    case WM_PAINT:
        pinta(hjan);
        return 0;
    case WM_TIMER:
        if (wParam != ID_ABERTURA) break;
        fimdaabertura(hjan);
        return 0;
    case WM_COMMAND:
        comando(hjan, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        rola(hjan, wParam);
        return 0;
    case WM_LBUTTONDOWN:
        pox = LOWORD(lParam);
        poy = HIWORD(lParam);
        marcatecla(hjan, pox, poy);
        return 0;
    case WM_LBUTTONUP:
        pox = LOWORD(lParam);
        poy = HIWORD(lParam);
        soltatecla(pox, poy);
        InvalidateRect(hjan, NULL, TRUE);
        return 0;
    case WM_CLOSE:
        // Unsaved work is asked about first; DefWindowProc then destroys the window.
        if (!podedescartar(hjan)) return 0;
        break;
    case WM_DESTROY:
        liberarecursos();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hjan, iMsg, wParam, lParam);
}
