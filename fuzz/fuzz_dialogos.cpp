// Any text typed or pasted into any field of the three data dialogs, with any radio choices,
// then OK (or another way out), for up to four commands in any order; every view is then painted
// from what the dialogs stored. Between two commands the window repaints when the input says:
// the region view puts reversed limits in order, which the next dialog shows.
#include "harness.h"

#include "resource.h"
#include "state/estado.h"

#include <stdint.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider dados(data, size);
    HWND hjan = novaentrada();
    static const int kComandos[] = {IDM_PONTOS, IDM_LIMITES, IDM_COORD};
    for (int passo = 0; passo < 4 && dados.remaining_bytes() > 0 && wintest::IsLive(hjan); ++passo) {
        int comando = kComandos[dados.ConsumeIntegralInRange(0, 2)];
        // A dialog with nothing left in the input to answer it would only be cancelled.
        if (dados.remaining_bytes() == 0) break;
        {
            Respostas respostas(dados);
            SendMessageA(hjan, WM_COMMAND, comando, 0);
        }
        if (dados.ConsumeBool()) processa();
        verificaestado();
    }
    // Every view, with the scale labels (drawn by the vector and region views) the input picks.
    mostnum = dados.ConsumeIntegralInRange(ESCALA_NENHUMA, ESCALA_MEDIA);
    for (int modo = MODO_VETORES; modo <= MODO_ABERTURA; ++modo) {
        num = modo;
        InvalidateRect(hjan, nullptr, TRUE);
        processa();
    }
    verificaestado();
    terminaentrada();
    return 0;
}
