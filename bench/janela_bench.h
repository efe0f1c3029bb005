// janela_bench.h - the main window as every benchmark meets it: past its splash (the hold is
// skipped: the timer's work is done at once), at the reference size, from the start state.
#ifndef ORBIX_JANELA_BENCH_H
#define ORBIX_JANELA_BENCH_H

#include "state/estado.h"
#include "testing/wintest.h"
#include "window/janela.h"

inline HWND abrejanela() {
    static ATOM classe = registraclasse(wintest::Instance());
    (void)classe;
    reiniciaestado();
    HWND h = criajanela(wintest::Instance(), SW_SHOWDEFAULT);
    wintest::FireTimer(h, ID_ABERTURA);
    wintest::Pump();
    return h;
}

inline void fechajanela(HWND h) {
    DestroyWindow(h);
    wintest::Pump();
    wintest::TakeQuit();
    reiniciaestado();
}

#endif
