// The commands that open and save work files, and the work of the program-wide state.
#include "trabalho/trabalho.h"

#include "arquivo/arquivo.h"
#include "state/historico.h"

#include <stdio.h>
#include <string.h>

namespace {

const char FILTROS[] =
    "Trabalhos do Orbix (*.orbix)\0*.orbix\0"
    "Todos os Arquivos (*.*)\0*.*\0";
const char EXTENSAO[] = "orbix";
const char TITULO_ERRO_SALVAR[] = "Não pode salvar o Arquivo";

char titulotrabalho[MAX_PATH];

void mostraerro(HWND hjan, const char *caminho, const std::string &motivo) {
    std::string texto = "Não foi possível abrir o trabalho\n";
    texto += caminho;
    texto += "\n\n";
    texto += motivo;
    MessageBoxA(hjan, texto.c_str(), szNomeAplic, MB_OK | MB_ICONEXCLAMATION);
}

void lembra(const char *caminho) { snprintf(fntrabalho, sizeof fntrabalho, "%s", caminho); }

// The dialog record both commands fill: the last work proposed, the work files listed first.
void preparadialogo(OPENFILENAMEA &ofn, HWND hjan, char *arquivo, size_t tamanho) {
    memset(&ofn, 0, sizeof ofn);
    snprintf(arquivo, tamanho, "%s", fntrabalho);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hjan;
    ofn.lpstrFilter = FILTROS;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = arquivo;
    ofn.nMaxFile = DWORD(tamanho);
    ofn.lpstrFileTitle = titulotrabalho;
    ofn.nMaxFileTitle = sizeof titulotrabalho;
    ofn.lpstrDefExt = EXTENSAO;
}

}  // namespace

Trabalho trabalhoatual() {
    Trabalho t;
    memset(&t, 0, sizeof t);
    t.sistema = Scoord;
    t.unidade = Medgrau;
    t.quantos = numpt;
    for (int e = 0; e < 3; ++e)
        for (int i = 0; i < numpt && i < MAXVETORES; ++i) t.vetores[e][i] = vetores[e][i];
    memcpy(t.regiao, reg, sizeof t.regiao);
    t.angulox = angulox;
    t.anguloz = anguloz;
    t.escala = mostnum;
    return t;
}

void aplicatrabalho(const Trabalho &t) {
    Scoord = t.sistema;
    Medgrau = t.unidade;
    numpt = t.quantos;
    memcpy(vetores, t.vetores, sizeof vetores);
    memcpy(reg, t.regiao, sizeof reg);
    angulox = t.angulox;
    anguloz = t.anguloz;
    mostnum = t.escala;
}

bool lertrabalho(const char *caminho, Trabalho &t, std::string &motivo) {
    std::string texto;
    switch (learquivo(caminho, TAMMAX_TRABALHO, texto)) {
    case Leitura::NaoAbre: motivo = "O arquivo não pode ser lido: não existe, é uma pasta ou não há permissão."; return false;
    case Leitura::NomeInvalido: motivo = "O nome tem caracteres que o programa não aceita."; return false;
    case Leitura::Grande: motivo = "O arquivo tem mais de 64 KiB: não é um trabalho do Orbix."; return false;
    case Leitura::Lido: break;
    }
    return letrabalho(texto, t, motivo);
}

bool abretrabalho(HWND hjan, const char *caminho) {
    std::string motivo;
    Trabalho t;
    if (!lertrabalho(caminho, t, motivo)) {
        mostraerro(hjan, caminho, motivo);
        return false;
    }
    aplicatrabalho(t);
    lembra(caminho);
    marcasalvo();
    // While the start-up picture is on screen its timer brings the vector view.
    if (num != MODO_ABERTURA) num = MODO_VETORES;
    InvalidateRect(hjan, NULL, TRUE);
    return true;
}

bool abrirtrabalho(HWND hjan) {
    if (!podedescartar(hjan)) return false;
    char arquivo[sizeof fntrabalho];
    OPENFILENAMEA ofn;
    preparadialogo(ofn, hjan, arquivo, sizeof arquivo);
    ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (!GetOpenFileNameA(&ofn)) {
        caminhorecusado(hjan, arquivo);
        return false;
    }
    return abretrabalho(hjan, arquivo);
}

bool gravatrabalho(HWND hjan, const char *arquivo) {
    std::string texto;
    DWORD erro = 0;
    if (textotrabalho(trabalhoatual(), texto) && gravaseguro(arquivo, texto.data(), texto.size(), &erro)) {
        lembra(arquivo);
        marcasalvo();
        return true;
    }
    const std::string mensagem = std::string(arquivo) + "\n\n" + motivogravacao(erro);
    MessageBoxA(hjan, mensagem.c_str(), TITULO_ERRO_SALVAR, MB_OK);
    return false;
}

bool salvartrabalhocomo(HWND hjan) {
    char arquivo[sizeof fntrabalho];
    OPENFILENAMEA ofn;
    preparadialogo(ofn, hjan, arquivo, sizeof arquivo);
    // Unlike the report, a work holds what cannot be typed again in a minute: never replace one
    // without asking.
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    if (GetSaveFileNameA(&ofn)) return gravatrabalho(hjan, arquivo);
    caminhorecusado(hjan, arquivo);
    return false;
}

bool salvartrabalho(HWND hjan) {
    if (!fntrabalho[0]) return salvartrabalhocomo(hjan);
    const std::string arquivo = fntrabalho;  // gravatrabalho writes fntrabalho again
    return gravatrabalho(hjan, arquivo.c_str());
}

bool podedescartar(HWND hjan) {
    if (!alterado() || !algoentrado()) return true;
    switch (MessageBoxA(hjan, "Salvar as alterações do trabalho?", szNomeAplic, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return salvartrabalho(hjan);
    case IDNO: return true;
    default: return false;
    }
}

std::string titulojanela() {
    if (!fntrabalho[0]) return "Álgebra Vetorial";
    const char *nome = fntrabalho;
    for (const char *p = fntrabalho; *p; ++p)
        if (*p == '/' || *p == '\\') nome = p + 1;
    return std::string(alterado() ? "*" : "") + nome + " - Álgebra Vetorial";
}

const char *ultimotrabalho() { return fntrabalho; }
