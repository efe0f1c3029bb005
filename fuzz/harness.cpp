#include "harness.h"

#include "apoio/janela.h"
#include "resource.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

HWND hjan = nullptr;
apoio::Recursos recursos;

// The window as the program makes it at start-up (offscreen: no screen shows it).
void criajanelaprincipal() {
    hjan = apoio::abrejanela(false);
    recursos.guarda();
}

// Pasted text, which no limit holds: longer than any field's text the program shows or reads.
constexpr size_t TAMCOLADO = 64;
// What a dialog takes of the input at the least: how many actions, one action, the way out.
constexpr size_t BYTESPORDIALOGO = 4;
// Keys typed in one go. Every key costs the toolkit a search of all its key bindings, more than
// anything else a dialog does; a few keys after a paste reach every state typing can.
constexpr size_t TECLAS = 3;

// The edit fields and the radio buttons of each dialog.
const std::map<std::string, std::pair<std::vector<int>, std::vector<int>>> CAMPOS = {
    {"entnpt", {{IDC_NPT}, {}}},
    {"entidx", {{IDC_NVT}, {}}},
    {"entvt", {{IDC_E1, IDC_E2, IDC_E3}, {IDC_CART, IDC_CIL, IDC_ESF, IDC_GRAUS, IDC_RAD}}},
    {"entlim", {{IDC_LIM1, IDC_LIM2, IDC_LIM3, IDC_LIM4, IDC_LIM5, IDC_LIM6}, {}}},
    {"entreg", {{}, {IDC_CART, IDC_CIL, IDC_ESF, IDC_GRAUS, IDC_RAD}}},
};

template <class V>
int umde(FuzzedDataProvider &dados, const V &v) {
    return v[dados.ConsumeIntegralInRange<size_t>(0, v.size() - 1)];
}

void dirige(wintest::Dialog &d, FuzzedDataProvider &dados) {
    auto it = CAMPOS.find(d.templateName());
    const auto &[edicoes, radios] = it == CAMPOS.end() ? std::pair<std::vector<int>, std::vector<int>>() : it->second;
    int acoes = dados.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < acoes && dados.remaining_bytes() > 0; ++i) {
        int acao = dados.ConsumeIntegralInRange(0, 2);
        if (acao < 2 && !edicoes.empty()) {
            int id = umde(dados, edicoes);
            // A paste, and for typing a few keys after it (after nothing, after a text that fills
            // the field, or after one past its limit).
            d.setFieldText(id, dados.ConsumeRandomLengthString(TAMCOLADO));
            if (acao == 0) d.typeAtEnd(id, dados.ConsumeRandomLengthString(TECLAS));
        } else if (acao == 2 && !radios.empty()) {
            d.click(umde(dados, radios));
        }
    }
    int saida = dados.ConsumeIntegralInRange(0, 5);
    // A series of vector dialogs the rest of the input cannot answer would be cancelled dialog
    // after dialog, all alike, the costliest thing the program can be made to do: a number of
    // vectors is confirmed only with input left for each of its dialogs (a few bytes each).
    // (GetDlgItemInt reads at most what strtoul reads, held to MAXVETORES by the dialog.)
    const unsigned long pedidos = std::min(strtoul(d.fieldText(IDC_NPT).c_str(), nullptr, 10), (unsigned long)MAXVETORES);
    if (saida >= 3 && d.templateName() == "entnpt" && dados.remaining_bytes() < BYTESPORDIALOGO * pedidos) saida = 0;
    saida == 0 ? d.click(IDCANCEL) : saida == 1 ? d.pressEscape() : saida == 2 ? d.closeBox() : saida == 3 ? d.pressEnter() : d.click(IDOK);
    // A vector not in use is refused and its dialog stays, as for a person, who then cancels.
    if (d.visible()) d.click(IDCANCEL);
}

}  // namespace

Respostas::Respostas(FuzzedDataProvider &dados, const char *pasta) {
    for (int i = 0; i < 1 + MAXVETORES; ++i) dialogos_.then([&dados](wintest::Dialog &d) { dirige(d, dados); });
    salvar_.answer(std::string(pasta) + "/salvo");
    // The work an open dialog takes: the program's own now and then, else whatever the input says.
    const std::string trabalho = std::string(pasta) + "/aberto.orbix";
    std::string texto;
    if (dados.ConsumeIntegralInRange(0, 3) != 0 || !textotrabalho(trabalhoatual(), texto)) texto = dados.ConsumeRandomLengthString(400);
    if (FILE *f = fopen(trabalho.c_str(), "wb")) {
        fwrite(texto.data(), 1, texto.size(), f);
        fclose(f);
    }
    dados.ConsumeBool() ? abrir_.answer(trabalho) : abrir_.cancel();
    // Printing is cancelled more often than not: a PDF of every page is slow to make.
    dados.ConsumeIntegralInRange(0, 3) == 0 ? imprimir_.toFile(std::string(pasta) + "/impresso.pdf") : imprimir_.cancel();
}

Respostas::~Respostas() = default;

// fontconfig and D-Bus keep process-lifetime caches on purpose; they are not findings.
extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libdbus-1.so\n"; }

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    wintest::Init(*argc, *argv);
    // Layer complaints (an unexpected dialog) are findings.
    wintest::SetFailureHandler([](const std::string &w) {
        fprintf(stderr, "layer failure: %s\n", w.c_str());
        abort();
    });
    return 0;
}

HWND novaentrada() {
    if (!wintest::IsLive(hjan)) criajanelaprincipal();
    reiniciaestado();
    recursos.devolve();
    SendMessageA(hjan, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);  // the thumb back at the top, as at start-up
    wintest::SetClientSize(hjan, LARGURA_ENTRADA, ALTURA_ENTRADA);
    // The size reaches the program as it does at start-up, whether or not it just changed.
    RECT r;
    GetClientRect(hjan, &r);
    SendMessageA(hjan, WM_SIZE, 0 /* SIZE_RESTORED */, MAKELPARAM(r.right, r.bottom));
    // The splash is over: its timer switches to the vector view, painted at the input's first
    // turn of the loop (the same picture every time, so it is not painted here).
    wintest::FireTimer(hjan, ID_ABERTURA);
    return hjan;
}

void processa() { apoio::bombeia(hjan); }

void terminaentrada() {
    processa();
    // The help dialogs (modeless) outlive the command that opened them; the next input starts
    // without them.
    for (HWND d : wintest::LiveDialogs()) DestroyWindow(d);
    hDlgnmodal = nullptr;
    if (wintest::IsLive(hjan)) KillTimer(hjan, ID_ABERTURA);
    processa();
    wintest::TakeQuit();
    // An input that closed the window pays for the next one.
    if (!wintest::IsLive(hjan)) criajanelaprincipal();
}

void verificaestado() {
    if (!nodominio(trabalhoatual()) || SBPosy < 0 || !std::isfinite(vet[0]) || !std::isfinite(vet[1]) || !std::isfinite(vet[2])) {
        fprintf(stderr, "state out of its domain: numpt %d SBPosy %d Scoord %d Medgrau %d\n", numpt, SBPosy, Scoord, Medgrau);
        abort();
    }
}
