// Any sequence of menu commands, mouse presses and releases at any position, keys (the window's
// own and others, with any modifiers), scroll messages, window sizes and timer messages; the dialogs the commands open are answered from
// the input too. The program's loop (posted messages, then the paint in the current mode) runs when the input says and at its end, so
// events may also come faster than the window repaints, as they do on a busy machine; the calculator, which evaluates at its next paint,
// sees both orders.
#include "harness.h"

#include "resource.h"
#include "state/estado.h"

#include <iterator>
#include <stdint.h>

namespace {
// Sizes a person can give a window, and some no screen has (held at 8192 pixels in the client
// image, the true size reaching the program). The reference size and its half are the only
// large ones: a large image is the slowest thing to make under AddressSanitizer.
// clang-format off
const int kTamanhos[][2] = {{1024, 768}, {512, 384}, {LARGURA_ENTRADA, ALTURA_ENTRADA}, {160, 120}, {64, 48}, {100, 30}, {30, 100}, {0, 0},
                            {1, 1}, {1024, 1}, {1, 768}, {3000, 2}, {2, 4000}, {60000, 3}, {3, 60000}, {150, 200}};
// clang-format on

// The kinds of step, each as often as it stands here: a resize (which makes the client image
// anew, the slowest step under AddressSanitizer when the image is large) and a timer message
// are rarer than commands, presses and scrolling.
enum Passo { COMANDO, PRESSAO, TECLA, TECLADO, ROLAGEM, TAMANHO, TEMPORIZADOR, LACO };
const Passo kPassos[] = {COMANDO, COMANDO, COMANDO, COMANDO, COMANDO, COMANDO,      PRESSAO,      PRESSAO, PRESSAO, PRESSAO, PRESSAO,
                         PRESSAO, TECLA,   TECLA,   TECLA,   TECLA,   TECLA,        TECLA,        ROLAGEM, ROLAGEM, ROLAGEM, ROLAGEM,
                         TAMANHO, LACO,    LACO,    LACO,    TECLADO, TEMPORIZADOR, TEMPORIZADOR, TECLADO, LACO,    LACO};

// Keys of the keyboard: the window's own (with Ctrl, or alone), and some it has no use for.
const int kTeclas[] = {'O', 'S', 'C', 'P', VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_F1, 'A', 'Z', 'D', 'Q'};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider dados(data, size);
    HWND hjan = novaentrada();
    for (int passo = 0; passo < 64 && dados.remaining_bytes() > 0 && wintest::IsLive(hjan); ++passo) {
        switch (kPassos[dados.ConsumeIntegralInRange<size_t>(0, std::size(kPassos) - 1)]) {
        case COMANDO: {
            // Menu commands, and now and then an id no item has. Only a command opens dialogs.
            int id = dados.ConsumeBool() ? dados.ConsumeIntegralInRange(IDM_SALVAR, IDM_IMPRIMIR) : dados.ConsumeIntegral<uint16_t>();
            if (id == IDM_SALVAR) break;  // saving is the save target's work; here it would litter /tmp
            // Closing ends the input and makes the window anew for the next one, the costliest
            // step there is: it is taken one time in sixteen.
            if (id == IDM_SAIR && dados.ConsumeIntegralInRange(0, 15) != 0) break;
            Respostas respostas(dados);
            SendMessageA(hjan, WM_COMMAND, MAKEWPARAM(id, 0), 0);
            break;
        }
        case PRESSAO: {
            UINT msg = dados.ConsumeBool() ? WM_LBUTTONDOWN : WM_LBUTTONUP;
            SendMessageA(hjan, msg, 0, MAKELPARAM(dados.ConsumeIntegral<uint16_t>(), dados.ConsumeIntegral<uint16_t>()));
            break;
        }
        case TECLA: {
            // Presses at a key of the calculator's reference layout, scaled to the window.
            int x = dados.ConsumeIntegralInRange(0, 1023), y = dados.ConsumeIntegralInRange(0, 767);
            for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP}) SendMessageA(hjan, m, 0, MAKELPARAM(x * maxX / 1024, y * maxY / 768));
            break;
        }
        case TECLADO: {
            // A key through the client area, then the loop that turns it into a command.
            const int vk = kTeclas[dados.ConsumeIntegralInRange<size_t>(0, std::size(kTeclas) - 1)];
            const unsigned mods = dados.ConsumeIntegralInRange(0, 7);
            Respostas respostas(dados);
            wintest::PressKey(hjan, vk, mods);
            processa();
            break;
        }
        case ROLAGEM:
            SendMessageA(hjan, WM_VSCROLL, MAKEWPARAM(dados.ConsumeIntegralInRange(0, 9), dados.ConsumeIntegral<uint16_t>()), 0);
            break;
        case TAMANHO: {
            const auto &t = kTamanhos[dados.ConsumeIntegralInRange<size_t>(0, std::size(kTamanhos) - 1)];
            wintest::SetClientSize(hjan, t[0], t[1]);
            break;
        }
        case TEMPORIZADOR: wintest::FireTimer(hjan, dados.ConsumeIntegralInRange(0, 2)); break;
        case LACO: processa(); break;
        }
        verificaestado();
    }
    terminaentrada();
    return 0;
}
