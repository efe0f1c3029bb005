// Any sequence of menu commands, mouse presses and releases at any position, scroll messages
// and window sizes, with a paint in the current mode after each; the dialogs the commands open
// are answered from the input too.
#include "harness.h"

#include "state/estado.h"

#include <stdint.h>

namespace {
// Sizes a person can give a window, and some no screen has.
const int kTamanhos[][2] = {{1024, 768}, {512, 384}, {0, 0}, {1, 1}, {3000, 2}, {800, 600}, {2, 4000}, {1024, 768}};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider dados(data, size);
    HWND hjan = novaentrada();
    for (int passo = 0; passo < 64 && dados.remaining_bytes() > 0 && IsWindow(hjan); ++passo) {
        Respostas respostas(dados, "/tmp");
        switch (dados.ConsumeIntegralInRange(0, 6)) {
        case 0: {
            // Menu commands, and now and then an id no item has.
            int id = dados.ConsumeBool() ? dados.ConsumeIntegralInRange(101, 123) : dados.ConsumeIntegral<uint16_t>();
            if (id == 101) break;  // saving is the save target's work; here it would litter /tmp
            SendMessageA(hjan, WM_COMMAND, MAKEWPARAM(id, 0), 0);
            break;
        }
        case 1:
        case 2: {
            UINT msg = dados.ConsumeBool() ? WM_LBUTTONDOWN : WM_LBUTTONUP;
            SendMessageA(hjan, msg, 0, MAKELPARAM(dados.ConsumeIntegral<uint16_t>(), dados.ConsumeIntegral<uint16_t>()));
            break;
        }
        case 3: {
            // Presses at a key of the calculator's reference layout, scaled to the window.
            int x = dados.ConsumeIntegralInRange(0, 1023), y = dados.ConsumeIntegralInRange(0, 767);
            LPARAM p = MAKELPARAM(x * maxX / 1024, y * maxY / 768);
            SendMessageA(hjan, WM_LBUTTONDOWN, 0, p);
            SendMessageA(hjan, WM_LBUTTONUP, 0, p);
            break;
        }
        case 4:
            SendMessageA(hjan, WM_VSCROLL,
                         MAKEWPARAM(dados.ConsumeIntegralInRange(0, 9), dados.ConsumeIntegral<uint16_t>()), 0);
            break;
        case 5: {
            const auto &t = kTamanhos[dados.ConsumeIntegralInRange<size_t>(0, 7)];
            wintest::SetClientSize(hjan, t[0], t[1]);
            break;
        }
        default:
            wintest::FireTimer(hjan, dados.ConsumeIntegralInRange(0, 2));
            break;
        }
        processa();
        verificaestado();
    }
    terminaentrada();
    return 0;
}
