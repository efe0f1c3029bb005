#include "harness.h"

#include "resource.h"
#include "state/estado.h"
#include "trabalho/trabalho.h"
#include "window/janela.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

HWND hjan = nullptr;

// What the window made for itself when it was created (WM_CREATE and criajanela): reiniciaestado
// forgets these handles, and the input gets them back, so they stay valid and are never made
// twice.
struct Recursos {
    HPEN canetas[MAXVETORES];
    HFONT fonte;
    HBITMAP figura;
    HINSTANCE instancia;
    char ajuda[TAMAJUDA];
} recursos;

void guardarecursos() {
    memcpy(recursos.canetas, caneta, sizeof recursos.canetas);
    recursos.fonte = hFonte;
    recursos.figura = BMP_Orbix;
    recursos.instancia = hInst;
    memcpy(recursos.ajuda, ajuda, sizeof recursos.ajuda);
}

void devolverecursos() {
    memcpy(caneta, recursos.canetas, sizeof recursos.canetas);
    hFonte = recursos.fonte;
    BMP_Orbix = recursos.figura;
    hInst = recursos.instancia;
    memcpy(ajuda, recursos.ajuda, sizeof recursos.ajuda);
}

// The window as the program makes it at start-up, hidden: what it shows on a screen is the
// layer's copy of the client image, which no input can change.
void criajanelaprincipal() {
    static ATOM classe = registraclasse(wintest::Instance());
    (void)classe;
    reiniciaestado();
    hjan = criajanela(wintest::Instance(), SW_HIDE);
    guardarecursos();
}

// Pasted text, which no limit holds: longer than any field's text the program shows or reads.
constexpr size_t TAMCOLADO = 64;
// What a dialog takes of the input at the least: how many actions, one action, the way out.
constexpr size_t BYTESPORDIALOGO = 4;
// Keys typed in one go. Every key costs the toolkit a search of all its key bindings, more than
// anything else a dialog does; a few keys after a paste reach every state typing can.
constexpr size_t TECLAS = 3;

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

// The number of vectors the number dialog's text asks for, read as GetDlgItemInt reads it: an
// unsigned decimal number, blanks around it, anything else 0; at most MAXVETORES.
int vetorespedidos(const std::string &texto) {
    size_t i = texto.find_first_not_of(" \t");
    if (i == std::string::npos || !isdigit(static_cast<unsigned char>(texto[i]))) return 0;
    int n = 0;
    for (; i < texto.size() && isdigit(static_cast<unsigned char>(texto[i])); ++i)
        n = std::min(10 * n + (texto[i] - '0'), MAXVETORES + 1);
    return texto.find_first_not_of(" \t", i) == std::string::npos ? std::min(n, MAXVETORES) : 0;
}

void dirige(wintest::Dialog &d, FuzzedDataProvider &dados) {
    auto it = campos().find(d.templateName());
    const Campos vazio;
    const Campos &c = it == campos().end() ? vazio : it->second;
    int acoes = dados.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < acoes && dados.remaining_bytes() > 0; ++i) {
        int acao = dados.ConsumeIntegralInRange(0, 2);
        if (acao < 2 && !c.edicoes.empty()) {
            int id = c.edicoes[dados.ConsumeIntegralInRange<size_t>(0, c.edicoes.size() - 1)];
            // A paste, and for typing a few keys after it (after nothing, after a text that fills
            // the field, or after one past its limit).
            d.setFieldText(id, dados.ConsumeRandomLengthString(TAMCOLADO));
            if (acao == 0) d.typeAtEnd(id, dados.ConsumeRandomLengthString(TECLAS));
        } else if (acao == 2 && !c.radios.empty()) {
            d.click(c.radios[dados.ConsumeIntegralInRange<size_t>(0, c.radios.size() - 1)]);
        }
    }
    int saida = dados.ConsumeIntegralInRange(0, 5);
    // A series of vector dialogs the rest of the input cannot answer would be cancelled dialog
    // after dialog, all alike, the costliest thing the program can be made to do: a number of
    // vectors is confirmed only with input left for each of its dialogs (a few bytes each).
    if (saida >= 3 && d.templateName() == "entnpt" &&
        dados.remaining_bytes() < BYTESPORDIALOGO * size_t(vetorespedidos(d.fieldText(IDC_NPT))))
        saida = 0;
    switch (saida) {
    case 0:
        d.click(IDCANCEL);
        break;
    case 1:
        d.pressEscape();
        break;
    case 2:
        d.closeBox();
        break;
    case 3:
        d.pressEnter();
        break;
    default:
        d.click(IDOK);
        break;
    }
}

}  // namespace

const char *pastadarodada() {
    // In memory where the system has it: every save reaches the disk before it returns.
    static const std::string pasta = [] {
        char memoria[] = "/dev/shm/orbix-fuzz-XXXXXX", disco[] = "/tmp/orbix-fuzz-XXXXXX";
        if (mkdtemp(memoria)) return std::string(memoria);
        return std::string(mkdtemp(disco) ? disco : "/tmp");
    }();
    return pasta.c_str();
}

Respostas::Respostas(FuzzedDataProvider &dados, const char *pasta) {
    for (int i = 0; i < 1 + MAXVETORES; ++i) dialogos_.then([&dados](wintest::Dialog &d) { dirige(d, dados); });
    salvar_.answer(std::string(pasta) + "/salvo");
    // The work an open dialog takes: the program's own now and then, else whatever the input says.
    const std::string trabalho = std::string(pasta) + "/aberto.orbix";
    std::string texto;
    if (dados.ConsumeIntegralInRange(0, 3) != 0 || !textotrabalho(trabalhoatual(), texto))
        texto = dados.ConsumeRandomLengthString(400);
    if (FILE *f = fopen(trabalho.c_str(), "wb")) {
        fwrite(texto.data(), 1, texto.size(), f);
        fclose(f);
    }
    dados.ConsumeBool() ? abrir_.answer(trabalho) : abrir_.cancel();
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
    devolverecursos();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    SetScrollInfo(hjan, SB_VERT, &si, TRUE);
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

void processa() {
    wintest::Pump([](MSG *m) { despachamensagem(hjan, m); });
}

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
