#include "harness.h"

#include "state/estado.h"
#include "window/janela.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

HWND hjan = nullptr;

struct Campos {
    std::vector<int> edicoes;
    std::vector<int> radios;
};

const std::map<std::string, Campos> &campos() {
    static const std::map<std::string, Campos> c = {
        {"entnpt", {{111}, {}}},
        {"entvt", {{108, 109, 110}, {101, 102, 103, 105, 106}}},
        {"entlim", {{112, 113, 114, 115, 116, 117}, {}}},
        {"entreg", {{}, {101, 102, 103, 105, 106}}},
    };
    return c;
}

void dirige(wintest::Dialog &d, FuzzedDataProvider &dados) {
    auto it = campos().find(d.templateName());
    const Campos vazio;
    const Campos &c = it == campos().end() ? vazio : it->second;
    int acoes = dados.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < acoes && dados.remaining_bytes() > 0; ++i) {
        switch (dados.ConsumeIntegralInRange(0, 2)) {
        case 0:
            if (!c.edicoes.empty())
                d.type(c.edicoes[dados.ConsumeIntegralInRange<size_t>(0, c.edicoes.size() - 1)],
                       dados.ConsumeRandomLengthString(14));
            break;
        case 1:
            if (!c.edicoes.empty())
                d.setText(c.edicoes[dados.ConsumeIntegralInRange<size_t>(0, c.edicoes.size() - 1)],
                          dados.ConsumeRandomLengthString(40));
            break;
        default:
            if (!c.radios.empty()) d.click(c.radios[dados.ConsumeIntegralInRange<size_t>(0, c.radios.size() - 1)]);
            break;
        }
    }
    switch (dados.ConsumeIntegralInRange(0, 5)) {
    case 0: d.click(IDCANCEL); break;
    case 1: d.pressEscape(); break;
    case 2: d.closeBox(); break;
    case 3: d.pressEnter(); break;
    default: d.click(IDOK); break;
    }
}

}  // namespace

Respostas::Respostas(FuzzedDataProvider &dados, const char *pasta) {
    // More than any command opens in one go: the vector entry opens at most 16 dialogs.
    for (int i = 0; i < 40; ++i) dialogos_.then([&dados](wintest::Dialog &d) { dirige(d, dados); });
    std::string caminho = std::string(pasta) + "/relatorio.TXD";
    for (int i = 0; i < 8; ++i) salvar_.answer(caminho);
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
    static ATOM classe = registraclasse(wintest::Instance());
    (void)classe;
    if (!IsWindow(hjan)) {
        reiniciaestado();
        hjan = criajanela(wintest::Instance(), SW_SHOWNORMAL);
    }
    // Back to the start values, keeping what the window made for itself.
    HPEN canetas[MAXVETORES];
    for (int i = 0; i < MAXVETORES; ++i) canetas[i] = caneta[i];
    HFONT fonte = hFonte;
    HBITMAP figura = BMP_Orbix;
    reiniciaestado();
    for (int i = 0; i < MAXVETORES; ++i) caneta[i] = canetas[i];
    hFonte = fonte;
    BMP_Orbix = figura;
    hInst = wintest::Instance();
    wintest::SetClientSize(hjan, 1024, 768);
    wintest::FireTimer(hjan, ID_ABERTURA);
    processa();
    return hjan;
}

void processa() { wintest::Pump(&hDlgnmodal); }

void terminaentrada() {
    processa();
    for (HWND d : wintest::LiveDialogs()) DestroyWindow(d);
    hDlgnmodal = nullptr;
    processa();
    wintest::TakeQuit();
}

void verificaestado() {
    bool bom = numpt >= 0 && numpt <= MAXVETORES && SBPosy >= 0;
    for (int k = 0; k < 3; ++k) {
        for (int i = 0; i < MAXVETORES; ++i) bom = bom && std::isfinite(vetores[k][i]);
        bom = bom && std::isfinite(reg[k][0]) && std::isfinite(reg[k][1]);
        bom = bom && std::isfinite(vet[k]);
    }
    bom = bom && (Scoord == CARTESIANO || Scoord == CILINDRICO || Scoord == ESFERICO);
    bom = bom && (Medgrau == GRAUS || Medgrau == RADIANOS);
    if (!bom) {
        fprintf(stderr, "state out of its domain: numpt %d SBPosy %d Scoord %d Medgrau %d\n", numpt, SBPosy, Scoord,
                Medgrau);
        abort();
    }
}
