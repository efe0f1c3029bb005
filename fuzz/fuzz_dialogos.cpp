// Any text typed or pasted into any field of the three data dialogs, with any radio choices,
// then OK (or another way out); every view is painted from what the dialogs stored.
#include "harness.h"

#include "resource.h"
#include "state/estado.h"

#include <stdint.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider dados(data, size);
    HWND hjan = novaentrada();
    static const int kComandos[] = {IDM_PONTOS, IDM_LIMITES, IDM_COORD};
    for (int passo = 0; passo < 6 && dados.remaining_bytes() > 0 && IsWindow(hjan); ++passo) {
        Respostas respostas(dados, "/tmp");
        SendMessageA(hjan, WM_COMMAND, kComandos[dados.ConsumeIntegralInRange(0, 2)], 0);
        processa();
        verificaestado();
    }
    for (int modo = 1; modo <= 9; ++modo) {
        num = modo;
        for (int escala = 0; escala <= 2; ++escala) {
            mostnum = escala;
            InvalidateRect(hjan, nullptr, TRUE);
            processa();
        }
    }
    verificaestado();
    terminaentrada();
    return 0;
}
