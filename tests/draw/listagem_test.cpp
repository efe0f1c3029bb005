// What the listings do beyond what they show (which the stored scenes hold, with a report record
// cut where its line is too long): they leave the tables as they were, list nothing without
// vectors, and a line is whole in the listing and cut to its buffer, never past it.
#include "apoio/teste.h"
#include "draw/listagem.h"

#include <string.h>

namespace {

using Listagem = apoio::JanelaPrincipal;
const int MODOS[] = {MODO_ANGULOS, MODO_ESCALARES, MODO_VETORIAIS, MODO_LISTAGEM, MODO_MODULOS, MODO_SISTEMAS};

TEST_F(Listagem, TheTablesAreLeftAsTheyWere) {
    for (int sistema : {CILINDRICO, ESFERICO}) {
        apoio::guarda(sistema, GRAUS, {{5, 90, 2}, {1, 180, 360}});
        reg[1][0] = 0, reg[1][1] = 90, reg[2][0] = 10, reg[2][1] = 20;
        float v[3][MAXVETORES], r[3][2];
        memcpy(v, vetores, sizeof v), memcpy(r, reg, sizeof r);
        for (int modo : MODOS) {
            EXPECT_FALSE(apoio::textos(desenha(modo)).empty()) << modo;
            EXPECT_TRUE(memcmp(v, vetores, sizeof v) == 0 && memcmp(r, reg, sizeof r) == 0) << sistema << ", mode " << modo;
        }
    }
    for (int n : {0, -1}) {  // nothing, not even the region
        numpt = n;
        for (int modo : MODOS) EXPECT_TRUE(apoio::textos(desenha(modo)).empty() && textolistagem(modo).empty()) << n;
    }
}

TEST(LinhasDaListagem, AreWholeInTheListingAndCutToTheirBufferNeverPastIt) {
    reiniciaestado();
    apoio::guarda(CARTESIANO, GRAUS, {{3.4e38f, -3.4e38f, 3.4e38f}});
    char inteira[400], cortada[10];
    ASSERT_GT(linhavetor(inteira, sizeof inteira, 0), TAMLINHA - 1);
    EXPECT_NE(textolistagem(MODO_LISTAGEM).find(std::string(inteira) + "\r\n"), std::string::npos);
    EXPECT_EQ(linhaangulo(cortada, sizeof cortada, 0, 0), 9u);
    EXPECT_STREQ(cortada, "Ângulo en");
    // No room at all writes nothing; room for the terminator alone leaves an empty line.
    // clang-format off
    const struct { const char *nome; size_t (*linha)(char *, size_t); } linhas[] = {
        {"vetor", [](char *d, size_t n) { return linhavetor(d, n, 0); }},        {"regiao", [](char *d, size_t n) { return linharegiao(d, n, 0); }},
        {"angulo", [](char *d, size_t n) { return linhaangulo(d, n, 0, 0); }},   {"escalar", [](char *d, size_t n) { return linhaescalar(d, n, 0, 0); }},
        {"vetorial", [](char *d, size_t n) { return linhavetorial(d, n, 0, 0); }}, {"modulo", [](char *d, size_t n) { return linhamodulo(d, n, 0); }},
    };
    // clang-format on
    for (auto &l : linhas) {
        char d[2] = {'#', '#'};
        EXPECT_TRUE(l.linha(d, 0) == 0 && d[0] == '#') << l.nome;
        EXPECT_TRUE(l.linha(d, 1) == 0 && d[0] == '\0' && d[1] == '#') << l.nome;
    }
    for (int k : {-1, 3}) {  // there is no coordinate k
        char d[10] = "#";
        EXPECT_EQ(linharegiao(d, sizeof d, k), 0u) << k;
        EXPECT_STREQ(d, "") << k;
    }
    reiniciaestado();
}

}  // namespace
