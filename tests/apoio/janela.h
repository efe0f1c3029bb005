// janela.h - the main window as the tests, the benchmarks and the fuzz targets meet it: made as
// WinMain makes it, from the start state, past its splash unless asked otherwise (the timer's work
// done at once); and what the window made for itself when it was created, kept so that a state
// put back to its start values can have it again instead of making it twice.
#ifndef ORBIX_TESTS_APOIO_JANELA_H
#define ORBIX_TESTS_APOIO_JANELA_H

#include "state/estado.h"
#include "testing/wintest.h"
#include "window/janela.h"

#include <string.h>

#include <vector>

namespace apoio {

inline HWND abrejanela(bool passaabertura = true) {
    static ATOM classe = registraclasse(wintest::Instance());  // once per process
    (void)classe;
    reiniciaestado();
    HWND h = criajanela(wintest::Instance(), SW_SHOWDEFAULT);
    if (h && passaabertura) {
        wintest::FireTimer(h, ID_ABERTURA);
        wintest::Pump();
    }
    return h;
}

inline void fechajanela(HWND h) {
    if (wintest::IsLive(h)) DestroyWindow(h);
    wintest::Pump();
    wintest::TakeQuit();
    reiniciaestado();
}

// Runs the pending messages through the program's own loop body, as WinMain does.
inline void bombeia(HWND h) {
    wintest::Pump([h](MSG *m) { despachamensagem(h, m); });
}

// The handles and the help text WM_CREATE and criajanela made, which reiniciaestado forgets.
struct Recursos {
    HPEN canetas[MAXVETORES];
    HFONT fonte;
    HBITMAP figura;
    HINSTANCE instancia;
    char texto[TAMAJUDA];
    void guarda() {
        memcpy(canetas, caneta, sizeof canetas), fonte = hFonte, figura = BMP_Orbix, instancia = hInst;
        memcpy(texto, ajuda, sizeof texto);
    }
    void devolve() const {
        memcpy(caneta, canetas, sizeof canetas), hFonte = fonte, BMP_Orbix = figura, hInst = instancia;
        memcpy(ajuda, texto, sizeof texto);
    }
};

// Stores the vectors as the entry command would (entries in the order of the system).
inline void guarda(int sistema, int unidade, const std::vector<std::vector<float>> &vs) {
    Scoord = sistema;
    Medgrau = unidade;
    numpt = int(vs.size());
    for (int k = 0; k < numpt; ++k)
        for (int e = 0; e < 3; ++e) vetores[e][k] = vs[size_t(k)][size_t(e)];
}

}  // namespace apoio

#endif
