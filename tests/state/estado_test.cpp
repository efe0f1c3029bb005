// The program's state at start and after reiniciaestado, the region angle check, the vector
// operations and the vector text.
#include "state/estado.h"
#include "state/vetorial.h"

#include <gtest/gtest.h>
#include "testing/stored.h"
#include "testing/wintest.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

// The state as one line; vectors, region and pens only say whether they are all null.
std::string retrato() {
    static const char zero[sizeof vetores] = {};
    char s[1024];
    int n = snprintf(s, sizeof s,
                     "numpt=%d Scoord=%d Medgrau=%d num=%d inicia=%d mostnum=%d SBPosy=%d oper=%d pto=%d "
                     "contr=%d contre=%d x=%.17g z=%.17g nulos=%d%d%d dlg=%d %.6s|%.99s|%.29s|%.99s cores",
                     numpt, Scoord, Medgrau, num, inicia, mostnum, SBPosy, oper, pto, contr, contre, angulox, anguloz,
                     !memcmp(vetores, zero, sizeof vetores), !memcmp(reg, zero, sizeof reg), !memcmp(caneta, zero, sizeof caneta),
                     hDlgnmodal != NULL, szNomeAplic, fn, temps3, equacao);
    for (COLORREF c : Cor) n += snprintf(s + n, sizeof s - n, " %06x", unsigned(c));
    return s;
}

const std::string aoIniciar = retrato();  // before any test runs

// Angles of 60 and 30 degrees with pi = 3.1415 and fifteen colours as 0xBBGGRR, as stored; every
// variable of the state line scribbled over, and reiniciaestado gives the same line again.
TEST(EstadoInicial, AoIniciarEDepoisDeReiniciaestado) {
    EXPECT_TRUE(wintest::MatchesStoredText(ORBIX_DADOS "/estado-inicial.txt", aoIniciar));
    auto rabisca = [](auto &...v) { (memset(&v, 'Z', sizeof v), ...); };
    rabisca(numpt, Scoord, Medgrau, num, inicia, mostnum, SBPosy, angulox, anguloz, oper, pto, contr, contre, vetores, reg, Cor, caneta,
            hDlgnmodal, szNomeAplic, fn, temps3, equacao);
    ASSERT_NE(retrato(), aoIniciar);
    reiniciaestado();
    EXPECT_EQ(retrato(), aoIniciar);
}

const std::string P = "O valor de phi está errado e foi colocado nos limites!";
const std::string T = "O valor de theta está errado e foi colocado nos limites!";
// Repaired radian limits are the floats of 3.1415 and 6.283, a little below them: a typed 6.283 passes.
const float PIF = 3.1414999961853027f, VOLTA = 6.2829999923706055f, INF = INFINITY;

std::string f2(double v) {
    char s[64];
    textoangulo(s, sizeof s, v);
    return s;
}  // "%5.2f" or "indefinido"
std::string tx(const float c[3], int sis = CARTESIANO, const char *p = "") {
    char s[200];
    textovetor(s, sizeof s, p, c, sis);
    return s;
}

TEST(VerificaRegiao, ReparaEAvisaPorLinha) {
    // clang-format off
    const struct { const char *nome; int sis, uni; float antes[6], depois[6]; std::vector<std::string> avisos; } casos[] = {
        {"cil graus, phi < 0", CILINDRICO, GRAUS, {1, 2, -10, 90, 0, 5}, {1, 2, 0, 360, 0, 5}, {P}},
        {"cil graus, phi > 360", CILINDRICO, GRAUS, {0, 1, 10, 361, 0, 0}, {0, 1, 0, 360, 0, 0}, {P}},
        {"cil graus, 0..360, r e z livres", CILINDRICO, GRAUS, {-5, -1, 0, 360, -3, 1e3}, {-5, -1, 0, 360, -3, 1e3}, {}},
        {"cil rad, 6.283 cabe", CILINDRICO, RADIANOS, {0, 1, 0, 6.283f, 0, 0}, {0, 1, 0, 6.283f, 0, 0}, {}},
        {"cil rad, 360 nao cabe", CILINDRICO, RADIANOS, {0, 1, 0, 360, 0, 0}, {0, 1, 0, VOLTA, 0, 0}, {P}},
        {"esf graus, theta antes de phi", ESFERICO, GRAUS, {0, 1, 0, 200, -5, 90}, {0, 1, 0, 180, 0, 360}, {T, P}},
        {"esf graus, theta 180 cabe", ESFERICO, GRAUS, {0, 1, 0, 180, 0, 400}, {0, 1, 0, 180, 0, 360}, {P}},
        {"esf rad, ambos fora", ESFERICO, RADIANOS, {0, 1, 0, 4, 0, 7}, {0, 1, 0, PIF, 0, VOLTA}, {T, P}},
        {"par invertido fica", ESFERICO, GRAUS, {0, 1, 90, 30, 300, 10}, {0, 1, 90, 30, 300, 10}, {}},
        {"cartesiano livre", CARTESIANO, RADIANOS, {-9, 500, -9, 500, -9, 500}, {-9, 500, -9, 500, -9, 500}, {}},
    };
    // clang-format on
    const HWND dono = reinterpret_cast<HWND>(&reg);
    for (const auto &c : casos) {
        Scoord = c.sis, Medgrau = c.uni, memcpy(reg, c.antes, sizeof reg);
        wintest::MessageBoxLog log;
        verificaregiao(dono);
        EXPECT_EQ(log.texts(), c.avisos) << c.nome;
        for (const auto &m : log.calls())
            EXPECT_TRUE(m.owner == dono && m.caption == "Orbix" && m.type == UINT(MB_OK | MB_ICONEXCLAMATION));
        for (int k = 0; k < 6; k++) EXPECT_EQ(reg[k / 2][k % 2], c.depois[k]) << c.nome << ", limite " << k;
    }
}

// Points whose entries in every system are known; each number as the listings print it. (The
// origin, the axes, atan2's pi and a negative radius are also in the stored listings of the three
// systems, tests/dados/cenas/tres-sistemas-*.txt, and are not repeated here.)
TEST(Vetorial, ConversoesEntreSistemas) {  // pi = 3.1415
    EXPECT_EQ(grauparad(90), 1.57075f);
    EXPECT_EQ(f2(radpagrau(3.1415f)) + f2(radpagrau(grauparad(-30))), "180.00-30.00");
    const int C = CARTESIANO, L = CILINDRICO, E = ESFERICO, G = GRAUS, R = RADIANOS;
    // clang-format off
    const struct { const char *nome; int de, u; float e[3]; int para, up; const char *esperado; } casos[] = {
        {"on +y, to Cartesian", L, R, {2, 1.57075f, 5}, C, G, " 0.00  2.00  5.00"},
        {"phi 180 degrees, on -x", E, G, {3, 90, 180}, C, R, "-3.00  0.00  0.00"},
        {"on -y: phi a whole turn less a quarter", C, G, {0, -3, 0}, L, R, " 3.00  4.71  0.00"},
        {"octant - - -", C, G, {-1, -1, -1}, E, G, " 1.73 125.27 225.01"},
        {"octant + - +", C, R, {1, -1, 1}, E, R, " 1.73  0.96  5.50"},
        {"its own system: only the unit changes", L, G, {-2, 90, 1}, L, R, "-2.00  1.57  1.00"},
        {"its own system and unit: as stored", E, G, {-2, 500, -7}, E, G, "-2.00 500.00 -7.00"},
        {"held to the float range", C, G, {3e38f, 3e38f, 0}, L, R, "340282346638528859811704183484516925440.00  0.79  0.00"},
    };
    // clang-format on
    for (const auto &c : casos) {
        float r[3];
        convertevetor(c.de, c.u, c.e, c.para, c.up, r);
        char s[200];
        snprintf(s, sizeof s, "%5.2f %5.2f %5.2f", r[0], r[1], r[2]);
        EXPECT_EQ(s, std::string(c.esperado)) << c.nome;
    }
}

// A vector with itself and with the null vector are in every stored listing of pairs
// (tests/dados/cenas/angulos-vetor-nulo.txt for the null one).
TEST(Vetorial, ParesConhecidos) {  // the cross product also written over either factor
    // clang-format off
    const struct { float a[3], b[3], escalar; const char *angulo; float axb[3]; } casos[] = {
        {{1, 0, 0}, {0, 1, 0}, 0, "89.96", {0, 0, 1}},             {{1, 2, 3}, {-1, -2, -3}, -14, "180.01", {0, 0, 0}},
        {{1, 2, 3}, {-4, 0.5f, 7}, 18, "53.45", {12.5f, -19, 8.5f}}, {{INF, 0, 0}, {1, 1, 1}, INF, "indefinido", {0, -INF, INF}}};
    // clang-format on
    for (const auto &c : casos) {
        float r[3], ra[3] = {c.a[0], c.a[1], c.a[2]}, rb[3] = {c.b[0], c.b[1], c.b[2]};
        produtovetorial(c.a, c.b, r), produtovetorial(ra, c.b, ra), produtovetorial(c.a, rb, rb);
        EXPECT_EQ(produtoescalar(c.a, c.b), c.escalar) << c.angulo;
        EXPECT_EQ(f2(angulovet(c.a, c.b)) + f2(angulovet(c.b, c.a)), std::string(c.angulo) + c.angulo);
        EXPECT_EQ(tx(r) + tx(ra) + tx(rb), tx(c.axb) + tx(c.axb) + tx(c.axb)) << c.angulo;
    }
}

TEST(Vetorial, ContasGuardadasEmFloat) {
    const float a[3] = {1, 2, 3}, b[3] = {0.5f, -4, 0}, quase[3] = {2e38f, 2e38f, 0}, demais[3] = {3e38f, 3e38f, 0};
    float r[4][3];
    somavet(a, b, r[0]), subtraivet(a, b, r[1]), multiplicavet(-2, a, r[2]), dividevet(a, 4, r[3]);
    EXPECT_EQ(tx(r[0]) + "|" + tx(r[1]) + "|" + tx(r[2]) + "|" + tx(r[3]) + "|" + f2(modulovet(a)),
              " 1.50a_x-2.00a_y +  3.00a_z| 0.50a_x +  6.00a_y +  3.00a_z|-2.00a_x-4.00a_y-6.00a_z|"
              " 0.25a_x +  0.50a_y +  0.75a_z| 3.74");
    // The listings sum in a float in entry order; the calculator adds three float products.
    const float um[3] = {1, 1, 1}, antes[3] = {1e8f, 1, -1e8f}, depois[3] = {1e8f, -1e8f, 1};
    EXPECT_EQ(produtoescalar(antes, um) + 10 * produtoescalar(depois, um) + 100 * produtoescalarcalc(antes, um), 110);
    EXPECT_TRUE(isfinite(modulovet(quase)));  // squares summed in double
    EXPECT_EQ(modulovet(demais), INF);
}

// The suffixes of each system and the prefix are in every stored listing of vectors.
TEST(Vetorial, TextoComSeparadoresSufixosECorte) {
    // clang-format off
    const struct { int sis; const char *prefixo; float c[3]; const char *esperado; } casos[] = {
        {CARTESIANO, "", {1, -0.0f, 2}, " 1.00a_x + -0.00a_y +  2.00a_z"}, // a negative zero keeps its " + "
        {CARTESIANO, "", {1, -0.001f, 0}, " 1.00a_x-0.00a_y +  0.00a_z"},
    };
    // clang-format on
    for (const auto &c : casos) EXPECT_EQ(tx(c.c, c.sis, c.prefixo), c.esperado);
    for (int sis : {CARTESIANO, CILINDRICO, ESFERICO})
        for (int k : {-1, 3}) EXPECT_STREQ(sufixovetor(sis, k), "") << sis << ", " << k;  // no component k
    const float c[3] = {1e38f, -1e38f, 1e38f};                                            // the widest components, cut at every size
    const std::string inteiro = tx(c, ESFERICO, "V(14) = ");
    for (size_t n = 0; n <= inteiro.size() + 1; n++) {
        char buf[256];
        memset(buf, '#', sizeof buf);
        EXPECT_EQ(textovetor(buf, n, "V(14) = ", c, ESFERICO), n ? n - 1 : 0) << n;
        EXPECT_EQ(std::string(buf, n + 1), n ? inteiro.substr(0, n - 1) + '\0' + '#' : "#") << n;  // nothing past n
    }
}

}  // namespace
