// The work-file format: a work as text and back, with nothing of the program's state.
#include "trabalho/formato.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <charconv>
#include <vector>

namespace {

// Names of the coded values, in the order of their codes.
struct Nome {
    int codigo;
    const char *nome;
};
const Nome SISTEMAS[] = {{CARTESIANO, "cartesiano"}, {CILINDRICO, "cilindrico"}, {ESFERICO, "esferico"}};
const Nome UNIDADES[] = {{GRAUS, "graus"}, {RADIANOS, "radianos"}};
const Nome ESCALAS[] = {{ESCALA_NENHUMA, "nenhuma"}, {ESCALA_VETORES, "vetores"}, {ESCALA_MEDIA, "media"}};

template <size_t N>
const char *nomede(const Nome (&nomes)[N], int codigo) {
    for (const Nome &n : nomes)
        if (n.codigo == codigo) return n.nome;
    return nullptr;
}
// A name as a person may write it: with its accents ("cilíndrico", "esférico", "média"), read as
// the name without them.
std::string semacentos(const std::string &nome) {
    std::string s;
    for (char c : nome) {
        switch (static_cast<unsigned char>(c)) {
        case 0xED: s += 'i'; break;  // í
        case 0xE9: s += 'e'; break;  // é
        default: s += c;
        }
    }
    return s;
}

template <size_t N>
bool codigode(const Nome (&nomes)[N], const std::string &nome, int &codigo) {
    for (const Nome &n : nomes)
        if (semacentos(nome) == n.nome) {
            codigo = n.codigo;
            return true;
        }
    return false;
}

// The shortest text that reads back to exactly the same value.
template <class T>
std::string numero(T v) {
    char b[64];
    auto r = std::to_chars(b, b + sizeof b, v);
    return std::string(b, r.ptr);
}

bool finito(double v) { return isfinite(v); }

// ------------------------------------------------------------------ reading
constexpr size_t TAMMAX_LINHA = 256;

struct Linha {
    int numero;
    std::vector<std::string> campos;
};

class Erro {
public:
    explicit Erro(std::string &destino) : destino_(destino) {}
    // Always false, so a check can end with return erro(...).
    template <class... A>
    bool operator()(const char *formato, A... a) {
        char b[256];
        if constexpr (sizeof...(A) == 0)
            snprintf(b, sizeof b, "%s", formato);
        else
            snprintf(b, sizeof b, formato, a...);
        destino_ = b;
        return false;
    }

private:
    std::string &destino_;
};

// A field quoted in a message (the formats keep at most 24 of its characters).
const char *citado(const std::string &campo) { return campo.c_str(); }

// The letters of Windows-1252 that a UTF-8 editor writes as two bytes (U+00A0 to U+00FF), so a
// name typed with its accents reads the same from either kind of editor. 0 for anything else.
unsigned char latin1de(const std::string &texto, size_t k) {
    const unsigned char a = static_cast<unsigned char>(texto[k]);
    const unsigned char b = k + 1 < texto.size() ? static_cast<unsigned char>(texto[k + 1]) : 0;
    if ((a == 0xC2 || a == 0xC3) && b >= 0x80 && b <= 0xBF) return static_cast<unsigned char>((a & 0x03) << 6 | (b & 0x3F));
    return 0;
}

// The lines with their numbers and fields, blank lines and comments left out. A comment runs from
// a '#' to the end of its line and may hold any letter; other text is printable ASCII or the
// accented letters of Portuguese.
bool divide(const std::string &texto, std::vector<Linha> &linhas, int &ultima, Erro &erro) {
    size_t i = 0;
    if (texto.compare(0, 3, "\xEF\xBB\xBF") == 0) i = 3;  // the mark some editors put before UTF-8 text
    int numero = 0;
    while (i < texto.size()) {
        ++numero;
        size_t fim = texto.find('\n', i);
        if (fim == std::string::npos) fim = texto.size();
        size_t corpo = fim;
        if (corpo > i && texto[corpo - 1] == '\r') --corpo;
        if (corpo - i > TAMMAX_LINHA) return erro("Linha %d: linha longa demais.", numero);
        Linha l{numero, {}};
        std::string campo;
        bool comentario = false;
        for (size_t k = i; k < corpo; ++k) {
            const unsigned char c = static_cast<unsigned char>(texto[k]);
            comentario = comentario || c == '#';
            if (comentario && ((c >= ' ' && c != 0x7F) || c == '\t')) continue;
            if (!comentario && (c == ' ' || c == '\t')) {
                if (!campo.empty()) l.campos.push_back(std::move(campo));
                campo.clear();
                continue;
            }
            if (!comentario && c > ' ' && c < 0x7F) {
                campo += char(c);
                continue;
            }
            if (const unsigned char letra = comentario ? 0 : latin1de(texto, k)) {
                campo += char(letra);
                ++k;
                continue;
            }
            if (!comentario && c >= 0xA0) {
                campo += char(c);
                continue;
            }
            return erro("Linha %d: caractere inválido (código %d).", numero, int(c));
        }
        if (!campo.empty()) l.campos.push_back(std::move(campo));
        if (!l.campos.empty()) linhas.push_back(std::move(l));
        i = fim + 1;
    }
    ultima = numero;
    return true;
}

template <class T>
bool lenumero(const std::string &campo, T &v) {
    const char *p = campo.c_str(), *fim = p + campo.size();
    if (*p == '+') ++p;
    auto r = std::from_chars(p, fim, v);
    return r.ec == std::errc() && r.ptr == fim;
}

bool leinteiro(const std::string &campo, int &v) {
    const char *p = campo.c_str(), *fim = p + campo.size();
    auto r = std::from_chars(p, fim, v);
    return r.ec == std::errc() && r.ptr == fim;
}

// What the reader has seen so far, to tell a repeated or a missing record.
struct Vistos {
    bool sistema = false, unidade = false, vetores = false, vista = false, escala = false;
    bool regiao[3] = {};
    int vetor[MAXVETORES];  // the line of each vector, 0 when not seen
    int fim = 0;
};

bool lerecord(const Linha &l, Trabalho &t, Vistos &v, Erro &erro) {
    const std::string &chave = l.campos[0];
    const int n = l.numero;
    const size_t valores = l.campos.size() - 1;
    auto quantos = [&](size_t esperados) {
        if (valores == esperados) return true;
        return erro("Linha %d: «%.24s» leva %d valor%s, não %d.", n, citado(chave), int(esperados), esperados == 1 ? "" : "es",
                    int(valores));
    };
    auto real = [&](size_t k, auto &destino) {
        if (lenumero(l.campos[k], destino) && finito(destino)) return true;
        std::string ponto = l.campos[k];
        for (char &c : ponto)
            if (c == ',') c = '.';
        if (ponto != l.campos[k] && lenumero(ponto, destino) && finito(destino))
            return erro("Linha %d: use ponto decimal: %.24s.", n, citado(ponto));
        return erro("Linha %d: «%.24s» não é um número finito.", n, citado(l.campos[k]));
    };
    auto inteiro = [&](size_t k, int &destino) {
        if (leinteiro(l.campos[k], destino)) return true;
        return erro("Linha %d: «%.24s» não é um número inteiro.", n, citado(l.campos[k]));
    };
    auto unico = [&](bool &visto) {
        if (visto) return erro("Linha %d: «%.24s» repetido.", n, citado(chave));
        visto = true;
        return true;
    };
    if (v.fim) return erro("Linha %d: texto depois de «fim».", n);

    if (chave == "sistema") {
        if (!unico(v.sistema) || !quantos(1)) return false;
        if (!codigode(SISTEMAS, l.campos[1], t.sistema))
            return erro("Linha %d: sistema de coordenadas desconhecido «%.24s».", n, citado(l.campos[1]));
    } else if (chave == "unidade") {
        if (!unico(v.unidade) || !quantos(1)) return false;
        if (!codigode(UNIDADES, l.campos[1], t.unidade))
            return erro("Linha %d: unidade de ângulo desconhecida «%.24s».", n, citado(l.campos[1]));
    } else if (chave == "escala") {
        if (!unico(v.escala) || !quantos(1)) return false;
        if (!codigode(ESCALAS, l.campos[1], t.escala)) return erro("Linha %d: escala desconhecida «%.24s».", n, citado(l.campos[1]));
    } else if (chave == "vetores") {
        if (!unico(v.vetores) || !quantos(1) || !inteiro(1, t.quantos)) return false;
        if (t.quantos < 0 || t.quantos > MAXVETORES) return erro("Linha %d: o número de vetores deve ser de 0 a %d.", n, MAXVETORES);
    } else if (chave == "vetor") {
        int i;
        if (!quantos(4) || !inteiro(1, i)) return false;
        if (i < 0 || i >= MAXVETORES) return erro("Linha %d: não há vetor %d (os vetores vão de 0 a 14).", n, i);
        if (v.vetor[i]) return erro("Linha %d: vetor %d repetido.", n, i);
        v.vetor[i] = n;
        for (int e = 0; e < 3; ++e)
            if (!real(size_t(2 + e), t.vetores[e][i])) return false;
    } else if (chave == "regiao") {
        int k;
        if (!quantos(3) || !inteiro(1, k)) return false;
        if (k < 1 || k > 3) return erro("Linha %d: a região não tem coordenada %d (são 1, 2 e 3).", n, k);
        if (v.regiao[k - 1]) return erro("Linha %d: coordenada %d da região repetida.", n, k);
        v.regiao[k - 1] = true;
        if (!real(2, t.regiao[k - 1][0]) || !real(3, t.regiao[k - 1][1])) return false;
    } else if (chave == "vista") {
        if (!unico(v.vista) || !quantos(2) || !real(1, t.angulox) || !real(2, t.anguloz)) return false;
        if (t.angulox < GIRO_MIN || t.angulox > ANGULOX_MAX || t.anguloz < GIRO_MIN || t.anguloz > ANGULOZ_MAX)
            return erro("Linha %d: ângulos de vista fora dos limites.", n);
    } else if (chave == "fim") {
        if (!quantos(0)) return false;
        v.fim = n;
    } else {
        return erro("Linha %d: palavra desconhecida «%.24s».", n, citado(chave));
    }
    return true;
}

bool cabecalho(const Linha &l, Erro &erro) {
    const auto &c = l.campos;
    const int n = l.numero;
    if (c.size() != 3 || c[0] != "ORBIX" || c[1] != "TRABALHO") return erro("Linha %d: o arquivo não é um trabalho do Orbix.", n);
    int versao;
    if (!leinteiro(c[2], versao) || versao < 1) return erro("Linha %d: versão ilegível «%.24s».", n, citado(c[2]));
    if (versao > VERSAO_TRABALHO)
        return erro("Linha %d: trabalho da versão %d, mais nova que a deste programa (%d).", n, versao, VERSAO_TRABALHO);
    return true;
}

// Everything a work needs was there, and nothing more.
bool completo(const Trabalho &t, const Vistos &v, int ultima, Erro &erro) {
    const int n = v.fim ? v.fim : ultima + 1;
    // clang-format off
    const std::pair<bool, const char *> exigidos[] = {
        {v.sistema, "sistema"},      {v.unidade, "unidade"},      {v.vetores, "vetores"},
        {v.regiao[0], "regiao 1"},   {v.regiao[1], "regiao 2"},   {v.regiao[2], "regiao 3"},
        {v.vista, "vista"},          {v.escala, "escala"},        {v.fim != 0, "fim"},
    };
    // clang-format on
    for (auto [visto, nome] : exigidos)
        if (!visto) return erro("Linha %d: falta «%.24s».", n, nome);
    for (int i = 0; i < MAXVETORES; ++i) {
        if (i < t.quantos && !v.vetor[i]) return erro("Linha %d: falta o vetor %d de %d.", n, i, t.quantos);
        if (i >= t.quantos && v.vetor[i]) return erro("Linha %d: vetor %d além dos %d anunciados.", v.vetor[i], i, t.quantos);
    }
    return true;
}

}  // namespace

bool textotrabalho(const Trabalho &t, std::string &texto) {
    texto.clear();
    const char *sistema = nomede(SISTEMAS, t.sistema), *unidade = nomede(UNIDADES, t.unidade), *escala = nomede(ESCALAS, t.escala);
    if (!sistema || !unidade || !escala || t.quantos < 0 || t.quantos > MAXVETORES) return false;
    std::string s;
    // One record: its words, then CR LF.
    auto linha = [&s](std::initializer_list<std::string> palavras) {
        const char *separador = "";
        for (const std::string &p : palavras) {
            s += separador;
            s += p;
            separador = " ";
        }
        s += "\r\n";
    };
    linha({"ORBIX", "TRABALHO", std::to_string(VERSAO_TRABALHO)});
    linha({"sistema", sistema});
    linha({"unidade", unidade});
    linha({"vetores", std::to_string(t.quantos)});
    for (int i = 0; i < t.quantos; ++i) {
        for (int e = 0; e < 3; ++e)
            if (!finito(t.vetores[e][i])) return false;
        linha({"vetor", std::to_string(i), numero(t.vetores[0][i]), numero(t.vetores[1][i]), numero(t.vetores[2][i])});
    }
    for (int k = 0; k < 3; ++k) {
        if (!finito(t.regiao[k][0]) || !finito(t.regiao[k][1])) return false;
        linha({"regiao", std::to_string(k + 1), numero(t.regiao[k][0]), numero(t.regiao[k][1])});
    }
    if (!finito(t.angulox) || !finito(t.anguloz)) return false;
    linha({"vista", numero(t.angulox), numero(t.anguloz)});
    linha({"escala", escala});
    linha({"fim"});
    texto = std::move(s);
    return true;
}

bool letrabalho(const std::string &texto, Trabalho &t, std::string &motivo) {
    Erro erro(motivo);
    memset(&t, 0, sizeof t);
    if (texto.empty()) return erro("O arquivo está vazio.");
    std::vector<Linha> linhas;
    int ultima = 0;
    if (!divide(texto, linhas, ultima, erro)) return false;
    if (linhas.empty()) return erro("O arquivo está vazio.");  // nothing but blanks and comments
    if (!cabecalho(linhas[0], erro)) return false;
    Vistos v;
    memset(v.vetor, 0, sizeof v.vetor);
    for (size_t k = 1; k < linhas.size(); ++k)
        if (!lerecord(linhas[k], t, v, erro)) return false;
    // Columns beyond the count stay 0: a vector line beyond it is refused.
    return completo(t, v, ultima, erro);
}
