// The text listings and the lines the report shares with them.
#include "draw/listagem.h"

#include "state/estado.h"
#include "state/vetorial.h"

#include <stdio.h>
#include <string.h>

namespace {

// The block of the region in the listing of the vectors.
constexpr int REGIAO_X = 250;
constexpr int REGIAO_TITULO_Y = 20;
constexpr int REGIAO_Y = 50;
constexpr int REGIAO_PASSO = 20;
constexpr int TITULO_VETORES_Y = 12;

int sistema() { return Scoord == CILINDRICO || Scoord == ESFERICO ? Scoord : CARTESIANO; }

void coluna(int i, float c[3]) {
    for (int k = 0; k < 3; ++k) c[k] = vetores[k][i];
}

// snprintf reports the length it wanted; the length kept is what fits.
size_t cortado(int pedido, size_t size) {
    if (pedido < 0) return 0;
    return size_t(pedido) < size ? size_t(pedido) : size - 1;
}

// Vector i in system para, angles in the current unit, as the listing of the three systems shows
// it.
size_t linhasistema(char *dest, size_t size, int i, int para) {
    static const char *const formas[] = {"V(%d) Cartesianas:  x = %5.2f, y = %5.2f, z = %5.2f",
                                         "V(%d) Cilíndricas:  r = %5.2f, phi = %5.2f, z = %5.2f",
                                         "V(%d) Esféricas:    r = %5.2f, theta = %5.2f, phi = %5.2f"};
    float e[3], c[3];
    coluna(i, e);
    convertevetor(sistema(), Medgrau, e, para, Medgrau, c);
    return cortado(snprintf(dest, size, formas[para - CARTESIANO], i, c[0], c[1], c[2]), size);
}

}  // namespace

int vetoreslistados() { return numpt < 0 ? 0 : (numpt > MAXVETORES ? MAXVETORES : numpt); }

const char *titulovetores() {
    switch (sistema()) {
    case CILINDRICO: return "Vetores em Coordenadas Cilíndricas:";
    case ESFERICO: return "Vetores em Coordenadas Esféricas:";
    default: return "Vetores em Coordenadas Cartesianas:";
    }
}

const char *tituloregiao() {
    switch (sistema()) {
    case CILINDRICO: return "Região em Coordenadas Cilíndricas (ângulos em graus):";
    case ESFERICO: return "Região em Coordenadas Esféricas (ângulos em graus):";
    default: return "Região em Coordenadas Cartesianas:";
    }
}

size_t linhavetor(char *dest, size_t size, int i) {
    if (size == 0) return 0;
    float c[3];
    coluna(i, c);
    if (Medgrau == GRAUS)
        for (int k = 0; k < 3; ++k)
            if (entradaangular(sistema(), k)) c[k] = grauparad(c[k]);
    char prefixo[TAMPECA];
    snprintf(prefixo, sizeof prefixo, "V(%d) = ", i);
    return textovetor(dest, size, prefixo, c, sistema());
}

size_t linharegiao(char *dest, size_t size, int k) {
    if (size == 0) return 0;
    static const char *const nomes[3][3] = {
        {"x", "y", "z"},
        {"r", "phi", "z"},
        {"r", "theta", "phi"},
    };
    const int s = sistema();
    const int linha = s == CILINDRICO ? 1 : s == ESFERICO ? 2 : 0;
    if (k < 0 || k > 2) {
        dest[0] = '\0';
        return 0;
    }
    float baixo = reg[k][0], alto = reg[k][1];
    if (Medgrau == RADIANOS && entradaangular(s, k)) {
        baixo = radpagrau(baixo);
        alto = radpagrau(alto);
    }
    return cortado(snprintf(dest, size, "%5.2f < %s < %5.2f", baixo, nomes[linha][k], alto), size);
}

size_t linhaangulo(char *dest, size_t size, int i, int j) {
    if (size == 0) return 0;
    float a[3], b[3];
    coluna(i, a);
    coluna(j, b);
    char angulo[TAMPECA];
    textoangulo(angulo, sizeof angulo, angulovet(a, b));
    return cortado(snprintf(dest, size, "Ângulo entre: V(%d) e V(%d) = %s", i, j, angulo), size);
}

size_t linhaescalar(char *dest, size_t size, int i, int j) {
    if (size == 0) return 0;
    float a[3], b[3];
    coluna(i, a);
    coluna(j, b);
    return cortado(snprintf(dest, size, "V(%d).V(%d) = %5.2f", i, j, produtoescalar(a, b)), size);
}

size_t linhavetorial(char *dest, size_t size, int i, int j) {
    if (size == 0) return 0;
    float a[3], b[3], r[3];
    coluna(i, a);
    coluna(j, b);
    produtovetorial(a, b, r);
    char prefixo[TAMPECA];
    snprintf(prefixo, sizeof prefixo, "V(%d) X V(%d) = ", i, j);
    return textovetor(dest, size, prefixo, r, sistema());
}

size_t linhamodulo(char *dest, size_t size, int i) {
    if (size == 0) return 0;
    float a[3];
    coluna(i, a);
    return cortado(snprintf(dest, size, "Módulo de V(%d) -> |V(%d)| = %5.2f", i, i, modulovet(a)), size);
}

// The line of a pair listing.
using FormaPar = size_t (*)(char *, size_t, int, int);
static FormaPar formapar(int modo) { return modo == MODO_ANGULOS ? linhaangulo : modo == MODO_ESCALARES ? linhaescalar : linhavetorial; }

std::vector<LinhaListagem> linhaslistagem(int modo) {
    std::vector<LinhaListagem> out;
    const int n = vetoreslistados();
    if (n <= 0) return out;
    char linha[TAMLINHAINTEIRA];
    auto poe = [&out](int x, int y, bool rola, const char *texto, size_t k, bool novobloco = false) {
        out.push_back({x, y, rola, novobloco, std::string(texto, k)});
    };
    switch (modo) {
    case MODO_ANGULOS:
    case MODO_ESCALARES:
    case MODO_VETORIAIS: {
        const FormaPar forma = formapar(modo);
        // Placed as in a full n x n grid, so the slots below the diagonal stay blank.
        for (int i = 0; i < n; ++i)
            for (int j = i; j < n; ++j) poe(LISTA_X, LISTA_Y + LISTA_PASSO * (n * i + j), true, linha, forma(linha, sizeof linha, i, j));
        break;
    }
    case MODO_MODULOS:
        for (int i = 0; i < n; ++i) poe(LISTA_X, LISTA_Y + LISTA_PASSO * i, true, linha, linhamodulo(linha, sizeof linha, i));
        break;
    case MODO_LISTAGEM: {
        // This list stays put whatever the scroll position.
        const char *t = titulovetores();
        poe(LISTA_X, TITULO_VETORES_Y, false, t, strlen(t));
        for (int i = 0; i < n; ++i) poe(LISTA_X, LISTA_Y + LISTA_PASSO * i, false, linha, linhavetor(linha, sizeof linha, i));
        // After the vectors, so its opaque text covers a long vector line it meets.
        t = tituloregiao();
        poe(REGIAO_X, REGIAO_TITULO_Y, false, t, strlen(t), true);
        for (int k = 0; k < 3; ++k) poe(REGIAO_X, REGIAO_Y + REGIAO_PASSO * k, false, linha, linharegiao(linha, sizeof linha, k));
        break;
    }
    case MODO_SISTEMAS: {
        const char *t = "Coordenadas nos Três Sistemas";
        poe(LISTA_X, LISTA_Y, true, t, strlen(t));
        // Three lines a vector, a blank line before each.
        for (int i = 0; i < n; ++i)
            for (int s = 0; s < 3; ++s)
                poe(LISTA_X, LISTA_Y + LISTA_PASSO * (2 + 4 * i + s), true, linha, linhasistema(linha, sizeof linha, i, CARTESIANO + s),
                    s == 0);
        break;
    }
    default: break;
    }
    return out;
}

bool elistagem(int modo) {
    return modo == MODO_ANGULOS || modo == MODO_ESCALARES || modo == MODO_VETORIAIS || modo == MODO_LISTAGEM || modo == MODO_MODULOS ||
           modo == MODO_SISTEMAS;
}

int fimrolagem(int modo) {
    int fim = 0;
    for (const LinhaListagem &l : linhaslistagem(modo))
        if (l.rola) fim = (l.y - LISTA_Y + LISTA_ROLAGEM - 1) / LISTA_ROLAGEM;
    return fim;
}

void desenhalistagem(HDC hdc, int modo) {
    for (const LinhaListagem &l : linhaslistagem(modo))
        TextOutA(hdc, l.x, l.rola ? l.y - LISTA_ROLAGEM * SBPosy : l.y, l.texto.data(), int(l.texto.size()));
}

std::string textolistagem(int modo) {
    std::string out;
    for (const LinhaListagem &l : linhaslistagem(modo)) {
        if (l.novobloco) out += "\r\n";
        out += l.texto;
        out += "\r\n";
    }
    return out;
}
