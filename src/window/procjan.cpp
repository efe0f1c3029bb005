// The window procedure of the main window.
#include "window/janela.h"

#include "calc/calculadora.h"
#include "draw/display.h"
#include "draw/listagem.h"
#include "state/estado.h"
#include "trabalho/trabalho.h"
#include "window/ajuda.h"

#include <string.h>

namespace {

// The start-up picture is held by a timer, not inside the paint, so the window stays responsive
// and the picture actually reaches the screen before the vector view replaces it.
bool aberturaagendada = false;

void criarecursos() {
    criaferramentas();
    temps3[0] = '\0';
    // The help text is kept in pieces and joined once here.
    strcpy(ajuda, partesajuda[0]);
    for (int i = 1; i < 5; i++) strcat(ajuda, partesajuda[i]);
    aberturaagendada = false;
}

void liberarecursos() {
    liberaferramentas();
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
    const int limite = fimrolagem(num);
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
    case SB_THUMBTRACK: SBPosy = HIWORD(wParam); break;
    case SB_TOP: SBPosy = 0; break;
    case SB_BOTTOM: SBPosy = limite; break;
    default: return;  // SB_THUMBPOSITION, SB_ENDSCROLL and the rest change nothing
    }
    mostrarolagem(hjan);
    InvalidateRect(hjan, NULL, TRUE);
}

// A notch of the wheel moves a listing three of its lines, as desktop programs do.
void roda(HWND hjan, WPARAM wParam) {
    if (!elistagem(num)) return;
    const int entalhes = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
    const int limite = fimrolagem(num);
    SBPosy -= entalhes * 3 * LISTA_PASSO / LISTA_ROLAGEM;
    if (SBPosy > limite) SBPosy = limite;
    if (SBPosy < 0) SBPosy = 0;
    mostrarolagem(hjan);
    InvalidateRect(hjan, NULL, TRUE);
}

}  // namespace

// The bar's range is the listing's, so its thumb at the bottom is the listing's last line; the
// bar stays, disabled, where nothing scrolls. The thumb is held to the range, SBPosy is not.
void mostrarolagem(HWND hjan) {
    SCROLLINFO si;
    memset(&si, 0, sizeof si);
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMax = fimrolagem(num);
    si.nPos = SBPosy;
    SetScrollInfo(hjan, SB_VERT, &si, TRUE);
}

LRESULT CALLBACK ProcJan(HWND hjan, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    switch (iMsg) {
    case WM_CREATE: criarecursos(); return 0;
    case WM_SIZE:
        maxX = LOWORD(lParam);
        maxY = HIWORD(lParam);
        return 0;
    case WM_PAINT: pinta(hjan); return 0;
    case WM_TIMER:
        if (wParam != ID_ABERTURA) break;
        fimdaabertura(hjan);
        return 0;
    case WM_COMMAND: comando(hjan, LOWORD(wParam)); return 0;
    case WM_VSCROLL: rola(hjan, wParam); return 0;
    case WM_MOUSEWHEEL: roda(hjan, wParam); return 0;
    case WM_LBUTTONDOWN:
        pox = LOWORD(lParam);
        poy = HIWORD(lParam);
        marcatecla(hjan, teclaem(pox, poy));
        return 0;
    case WM_LBUTTONUP:
        pox = LOWORD(lParam);
        poy = HIWORD(lParam);
        soltatecla(teclaem(pox, poy));
        InvalidateRect(hjan, NULL, TRUE);
        return 0;
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_KEYUP:
        if (teclacalculadora(hjan, iMsg, wParam, lParam)) return 0;
        break;
    case WM_CLOSE:
        // Unsaved work is asked about first; DefWindowProc then destroys the window.
        if (!podedescartar(hjan)) return 0;
        break;
    case WM_QUERYENDSESSION: return podedescartar(hjan);
    case WM_DESTROY:
        liberarecursos();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hjan, iMsg, wParam, lParam);
}
