// The text listings on the recorded GDI calls: where the lines stand, what they say, and that
// the tables are left as they were.
#include "apoio/desenho.h"
#include "draw/listagem.h"

#include <string.h>

#include <algorithm>

#include <tuple>

namespace {

using Listagem = apoio::Desenho;
const int MODOS[] = {MODO_ANGULOS, MODO_ESCALARES, MODO_VETORIAIS, MODO_LISTAGEM, MODO_MODULOS};

// Where a text stands and the vector numbers it names ("V(1) X V(2)" names "12").
using Linha = std::tuple<int, int, std::string>;

std::vector<Linha> linhas(const apoio::Chamadas &c) {
    std::vector<Linha> out;
    for (auto &k : c) {
        if (k.op != wintest::GdiCall::TextOut) continue;
        std::string n;
        for (size_t p = k.text.find("V("); p != std::string::npos; p = k.text.find("V(", p + 1)) n += k.text[p + 2];
        out.push_back({k.x, k.y, n});
    }
    return out;
}

TEST_F(Listagem, LinesStandOnTheirGridAndScrollExceptTheVectorList) {
    apoio::guarda(CARTESIANO, GRAUS, {{1, 2, 3}, {-1, 0, 2}, {4, 4, 0}});
    reg[0][0] = -1;
    const std::vector<Linha> pares = {{30, 30, "00"}, {30, 46, "01"}, {30, 62, "02"},
                                      {30, 94, "11"}, {30, 110, "12"}, {30, 158, "22"}};
    const std::vector<Linha> esperado[] = {
        pares, pares, pares,
        {{30, 12, ""}, {30, 30, "0"}, {30, 46, "1"}, {30, 62, "2"}, {250, 20, ""}, {250, 50, ""}, {250, 70, ""}, {250, 90, ""}},
        {{30, 30, "00"}, {30, 46, "11"}, {30, 62, "22"}}};
    for (int m = 0; m < 5; ++m)
        for (int rolagem : {0, 3}) {
            SBPosy = rolagem;
            auto e = esperado[m];
            for (auto &l : e) std::get<1>(l) -= MODOS[m] == MODO_LISTAGEM ? 0 : 10 * rolagem;
            EXPECT_EQ(linhas(pinta(MODOS[m])), e) << "mode " << MODOS[m] << " SBPosy " << rolagem;
        }
    for (int n : {0, -1}) {  // nothing, not even the region
        numpt = n;
        for (int modo : MODOS) EXPECT_TRUE(apoio::textos(pinta(modo)).empty()) << modo << ", numpt " << n;
    }
}

TEST_F(Listagem, TextsAndUnitsWithTheTablesLeftAlone) {
    struct Caso {
        const char *nome;
        int sistema, unidade;
        std::vector<std::vector<float>> vs;
        float reg1[2];  // limits of coordinate 1; those of coordinate 2 are 1 and 2
        int modo;
        size_t n;
        std::string texto;
    } casos[] = {
        {"perpendicular", CARTESIANO, GRAUS, {{1, 0, 0}, {0, 1, 0}}, {}, MODO_ANGULOS, 1, "Ângulo entre: V(0) e V(1) = 89.96"},
        {"opposite", CARTESIANO, GRAUS, {{1, 0, 0}, {-1, 0, 0}}, {}, MODO_ANGULOS, 1, "Ângulo entre: V(0) e V(1) = 180.01"},
        {"null vector", CARTESIANO, GRAUS, {{1, 2, 3}, {0, 0, 0}}, {}, MODO_ANGULOS, 1, "Ângulo entre: V(0) e V(1) = indefinido"},
        {"dot", CARTESIANO, GRAUS, {{1, 2, 3}, {-1, 0.5f, 2}}, {}, MODO_ESCALARES, 1, "V(0).V(1) =  6.00"},
        {"modulus", CARTESIANO, GRAUS, {{1, 2, 3}}, {}, MODO_MODULOS, 0, "Módulo de V(0) -> |V(0)| =  3.74"},
        {"cross", CARTESIANO, GRAUS, {{1, 0, 0}, {0, 1, 0}}, {}, MODO_VETORIAIS, 1, "V(0) X V(1) =  0.00a_x +  0.00a_y +  1.00a_z"},
        {"cross negative", CARTESIANO, GRAUS, {{1, 0, 0}, {0, 0, 1}}, {}, MODO_VETORIAIS, 1, "V(0) X V(1) =  0.00a_x-1.00a_y +  0.00a_z"},
        {"cross spherical", ESFERICO, GRAUS, {{0, 1, 0}, {1, 0, 0}}, {}, MODO_VETORIAIS, 1, "V(0) X V(1) =  0.00a_r +  0.00a_theta-1.00a_phi"},
        {"cross beyond float", CARTESIANO, GRAUS, {{0, 1e20f, 0}, {0, 0, 1e20f}}, {}, MODO_VETORIAIS, 1, "V(0) X V(1) =   infa_x +  0.00a_y +  0.00a_z"},
        {"vectors and region", CARTESIANO, GRAUS, {{1, -2, 3}}, {-1, 1}, MODO_LISTAGEM, 1, "V(0) =  1.00a_x-2.00a_y +  3.00a_z"},
        {"cyl degrees vector in radians", CILINDRICO, GRAUS, {{5, 90, 2}}, {0, 90}, MODO_LISTAGEM, 1, "V(0) =  5.00a_r +  1.57a_phi +  2.00a_z"},
        {"cyl degrees region", CILINDRICO, GRAUS, {{5, 90, 2}}, {0, 90}, MODO_LISTAGEM, 4, " 0.00 < phi < 90.00"},
        {"cyl radians region", CILINDRICO, RADIANOS, {{5, 1.57f, 2}}, {0, 3.1415f}, MODO_LISTAGEM, 4, " 0.00 < phi < 180.00"},
        {"cyl z not converted", CILINDRICO, RADIANOS, {{5, 1.57f, 2}}, {0, 3.1415f}, MODO_LISTAGEM, 5, " 1.00 < z <  2.00"},
        {"sph degrees vector", ESFERICO, GRAUS, {{1, 180, 360}}, {0, 180}, MODO_LISTAGEM, 1, "V(0) =  1.00a_r +  3.14a_theta +  6.28a_phi"},
        {"sph radians phi", ESFERICO, RADIANOS, {{1, 3.1415f, 6.283f}}, {1.57075f, 3.1415f}, MODO_LISTAGEM, 5, "57.30 < phi < 114.59"},
        {"Cartesian not converted", CARTESIANO, GRAUS, {{1, 90, 2}}, {}, MODO_LISTAGEM, 1, "V(0) =  1.00a_x + 90.00a_y +  2.00a_z"},
        {"Cartesian region", CARTESIANO, RADIANOS, {{1, 2, 3}}, {0, 3.1415f}, MODO_LISTAGEM, 4, " 0.00 < y <  3.14"},
    };
    for (auto &c : casos) {
        apoio::guarda(c.sistema, c.unidade, c.vs);
        reg[1][0] = c.reg1[0], reg[1][1] = c.reg1[1], reg[2][0] = 1, reg[2][1] = 2;
        float v[3][MAXVETORES], r[3][2];
        memcpy(v, vetores, sizeof v), memcpy(r, reg, sizeof r);
        auto ts = apoio::textos(pinta(c.modo));
        EXPECT_EQ(ts.size() > c.n ? ts[c.n] : "<none>", c.texto) << c.nome;
        EXPECT_TRUE(memcmp(v, vetores, sizeof v) == 0 && memcmp(r, reg, sizeof r) == 0) << c.nome;
    }
}

// The titles of the vector and region blocks, by coordinate system, as the window shows them.
TEST_F(Listagem, TitlesNameTheSystem) {
    const struct {
        int sistema;
        const char *vetores, *regiao;
    } casos[] = {
        {CARTESIANO, "Vetores em Coordenadas Cartesianas:", "Região em Coordenadas Cartesianas:"},
        {CILINDRICO, "Vetores em Coordenadas Cilíndricas:", "Região em Coordenadas Cilíndricas (ângulos em graus):"},
        {ESFERICO, "Vetores em Coordenadas Esféricas:", "Região em Coordenadas Esféricas (ângulos em graus):"},
    };
    for (auto &c : casos) {
        apoio::guarda(c.sistema, GRAUS, {{1, 2, 3}});
        const auto ts = apoio::textos(pinta(MODO_LISTAGEM));
        ASSERT_EQ(ts.size(), 6u) << c.sistema;
        EXPECT_EQ(ts[0], c.vetores);
        EXPECT_EQ(ts[2], c.regiao);
    }
}

TEST_F(Listagem, LinesTooLongAreCutNeverOverrun) {
    apoio::guarda(CARTESIANO, GRAUS, {{3.4e38f, -3.4e38f, 3.4e38f}, {0, 1e19f, 0}, {0, 0, 1e19f}});
    reg[0][0] = -3.4e38f, reg[0][1] = 3.4e38f;
    char inteira[400], cortada[TAMLINHA];
    ASSERT_GT(linhavetor(inteira, sizeof inteira, 0), TAMLINHA - 1);
    // On screen and on the clipboard a line is whole: only the report's records are cut.
    const auto textos = apoio::textos(pinta(MODO_LISTAGEM));
    EXPECT_NE(std::find(textos.begin(), textos.end(), std::string(inteira)), textos.end());
    EXPECT_NE(textolistagem(MODO_LISTAGEM).find(std::string(inteira) + "\r\n"), std::string::npos);
    EXPECT_EQ(linhavetor(cortada, sizeof cortada, 0), TAMLINHA - 1);
    EXPECT_EQ(std::string(cortada), std::string(inteira, TAMLINHA - 1));
    EXPECT_EQ(linhaangulo(cortada, 10, 0, 0), 9u);
    EXPECT_STREQ(cortada, "Ângulo en");
    // No room at all writes nothing; room for the terminator alone leaves an empty line.
    const struct {
        const char *nome;
        size_t (*linha)(char *, size_t);
    } linhas[] = {
        {"vetor", [](char *d, size_t n) { return linhavetor(d, n, 0); }},
        {"regiao", [](char *d, size_t n) { return linharegiao(d, n, 0); }},
        {"angulo", [](char *d, size_t n) { return linhaangulo(d, n, 0, 1); }},
        {"escalar", [](char *d, size_t n) { return linhaescalar(d, n, 0, 1); }},
        {"vetorial", [](char *d, size_t n) { return linhavetorial(d, n, 0, 1); }},
        {"modulo", [](char *d, size_t n) { return linhamodulo(d, n, 0); }},
    };
    for (auto &l : linhas) {
        char d[2] = {'#', '#'};
        EXPECT_EQ(l.linha(d, 0), 0u) << l.nome;
        EXPECT_EQ(d[0], '#') << l.nome;
        EXPECT_EQ(l.linha(d, 1), 0u) << l.nome;
        EXPECT_EQ(d[0], '\0') << l.nome;
        EXPECT_EQ(d[1], '#') << l.nome;
    }
    for (int k : {-1, 3}) {  // there is no coordinate k
        char d[10] = "#";
        EXPECT_EQ(linharegiao(d, sizeof d, k), 0u) << k;
        EXPECT_STREQ(d, "") << k;
    }
}

}  // namespace
