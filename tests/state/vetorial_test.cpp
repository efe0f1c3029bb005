// Conversions, vector operations and the vector text, as the listings, calculator and report
// print them.
#include "state/estado.h"
#include "state/vetorial.h"

#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <limits>
#include <string>

namespace {

const float INF = std::numeric_limits<float>::infinity();

std::string numero(double v)
{
    char s[64];
    snprintf(s, sizeof s, "%5.2f", v);
    return s;
}

std::string angulo(const float a[3], const float b[3])
{
    char s[32];
    textoangulo(s, sizeof s, angulovet(a, b));
    return s;
}

std::string texto(const float c[3], int sistema = CARTESIANO, const char *prefixo = "")
{
    char s[200];
    textovetor(s, sizeof s, prefixo, c, sistema);
    return s;
}

TEST(Conversoes, PiDe3_1415)
{
    EXPECT_EQ(grauparad(90), 1.57075f);
    EXPECT_EQ(numero(grauparad(90)), " 1.57");
    EXPECT_EQ(numero(radpagrau(3.1415f)), "180.00");
    EXPECT_EQ(numero(radpagrau(grauparad(-30))), "-30.00");
    for (float g : {0.0f, 1.0f, 45.0f, 359.5f, -720.0f})
        EXPECT_NEAR(radpagrau(grauparad(g)), g, 1e-4 * (1 + fabsf(g))) << g;
}

TEST(Posicao, CilindricoEEsfericoNoEspacoCartesiano)
{
    struct { const char *nome; int sistema; float e[3]; double xyz[3]; } casos[] = {
        {"cilindrico a 90 graus", CILINDRICO, {2, 1.57075f, 5}, {0, 2, 5}},
        {"esferico no polo", ESFERICO, {2, 0, 1}, {0, 0, 2}},
        {"esferico no equador", ESFERICO, {3, 1.57075f, 3.1415f}, {-3, 0, 0}},
    };
    for (const auto &c : casos) {
        double xyz[3];
        posicionacartesiano(c.sistema, c.e, xyz);
        for (int k = 0; k < 3; k++)
            EXPECT_NEAR(xyz[k], c.xyz[k], 1e-3) << c.nome << ", componente " << k;
    }
}

TEST(Operacoes, ParesConhecidos)
{
    struct { const char *nome; float a[3], b[3]; float escalar; const char *angulo; float vetorial[3]; } casos[] = {
        {"perpendiculares", {1, 0, 0}, {0, 1, 0}, 0, "89.96", {0, 0, 1}},
        {"perpendiculares fora dos eixos", {3, 4, 0}, {4, -3, 0}, 0, "89.96", {0, 0, -25}},
        {"opostos", {1, 2, 3}, {-1, -2, -3}, -14, "180.01", {0, 0, 0}},
        {"o mesmo vetor", {1, 2, 3}, {1, 2, 3}, 14, " 0.00", {0, 0, 0}},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(produtoescalar(c.a, c.b), c.escalar);
        EXPECT_EQ(angulo(c.a, c.b), c.angulo);
        float r[3];
        produtovetorial(c.a, c.b, r);
        for (int k = 0; k < 3; k++)
            EXPECT_EQ(r[k], c.vetorial[k]) << "componente " << k;
    }
}

TEST(Operacoes, AnguloIndefinido)
{
    const float nulo[3] = {0, 0, 0}, x[3] = {1, 0, 0}, infinito[3] = {INF, 0, 0};
    EXPECT_TRUE(isnan(angulovet(nulo, x)));
    EXPECT_EQ(angulo(x, nulo), "indefinido");
    EXPECT_EQ(angulo(nulo, nulo), "indefinido");
    EXPECT_EQ(angulo(infinito, x), "indefinido");
    char curto[5];
    EXPECT_EQ(textoangulo(curto, sizeof curto, NAN), 4u);
    EXPECT_STREQ(curto, "inde");
}

TEST(Operacoes, ProdutoVetorialPerpendicularAosFatores)
{
    const float v[][3] = {{1, 2, 3}, {-4, 0.5f, 7}, {1e-3f, 250, -3}, {9, 9, 9}, {0.1f, -0.2f, 0.3f}};
    for (const auto &a : v)
        for (const auto &b : v) {
            float axb[3], bxa[3], emA[3] = {a[0], a[1], a[2]};
            produtovetorial(a, b, axb);
            produtovetorial(b, a, bxa);
            produtovetorial(emA, b, emA); // the result written over its own first factor
            const double escala = double(modulovet(a)) * modulovet(b) * (modulovet(a) + modulovet(b));
            EXPECT_LE(fabs(produtoescalar(axb, a)) + fabs(produtoescalar(axb, b)), 1e-6 * escala);
            for (int k = 0; k < 3; k++) {
                EXPECT_EQ(axb[k], -bxa[k]);
                EXPECT_EQ(emA[k], axb[k]);
            }
        }
}

TEST(Operacoes, ContasGuardadasEmFloat)
{
    const float a[3] = {1, 2, 3}, b[3] = {0.5f, -4, 0};
    float r[3];
    somavet(a, b, r);
    EXPECT_EQ(texto(r), " 1.50a_x-2.00a_y +  3.00a_z");
    subtraivet(a, b, r);
    EXPECT_EQ(texto(r), " 0.50a_x +  6.00a_y +  3.00a_z");
    multiplicavet(-2, a, r);
    EXPECT_EQ(texto(r), "-2.00a_x-4.00a_y-6.00a_z");
    dividevet(a, 4, r);
    EXPECT_EQ(texto(r), " 0.25a_x +  0.50a_y +  0.75a_z");
    EXPECT_EQ(numero(modulovet(a)), " 3.74");

    // The listings sum in a float in entry order; the calculator adds three float products.
    const float um[3] = {1, 1, 1}, grandeantes[3] = {1e8f, 1, -1e8f}, grandedepois[3] = {1e8f, -1e8f, 1};
    EXPECT_EQ(produtoescalar(grandeantes, um), 0);
    EXPECT_EQ(produtoescalar(grandedepois, um), 1);
    EXPECT_EQ(produtoescalarcalc(grandeantes, um), 1);
}

TEST(Operacoes, ValoresEnormesDaoInfinito)
{
    const float g[3] = {1e38f, 1e38f, 1e38f}, gx[3] = {1e38f, 0, 0}, gy[3] = {0, 1e38f, 0};
    const float quase[3] = {2e38f, 2e38f, 0}, demais[3] = {3e38f, 3e38f, 0};
    float r[3];
    multiplicavet(10, g, r);
    EXPECT_EQ(r[2], INF);
    EXPECT_EQ(produtoescalar(g, g), INF);
    produtovetorial(gx, gy, r);
    EXPECT_EQ(r[2], INF);
    EXPECT_EQ(texto(r), " 0.00a_x +  0.00a_y +   infa_z");
    EXPECT_TRUE(isfinite(modulovet(quase))); // squares summed in double
    EXPECT_EQ(modulovet(demais), INF);
}

TEST(TextoVetor, SeparadoresESufixos)
{
    struct { const char *nome; int sistema; const char *prefixo; float c[3]; const char *esperado; } casos[] = {
        {"cartesiano", CARTESIANO, "", {0, 0, 1}, " 0.00a_x +  0.00a_y +  1.00a_z"},
        {"negativo sem separador", CARTESIANO, "", {1, -2, 3}, " 1.00a_x-2.00a_y +  3.00a_z"},
        {"primeiro negativo", CARTESIANO, "", {-1, 2, -3}, "-1.00a_x +  2.00a_y-3.00a_z"},
        {"zero negativo com separador", CARTESIANO, "", {1, -0.0f, 2}, " 1.00a_x + -0.00a_y +  2.00a_z"},
        {"negativo pequeno sem separador", CARTESIANO, "", {1, -0.001f, 0}, " 1.00a_x-0.00a_y +  0.00a_z"},
        {"cilindrico com prefixo", CILINDRICO, "V(0) = ", {1, 2, 3}, "V(0) =  1.00a_r +  2.00a_phi +  3.00a_z"},
        {"esferico", ESFERICO, "V(1) X V(2) = ", {12.5f, 0, -1}, "V(1) X V(2) = 12.50a_r +  0.00a_theta-1.00a_phi"},
    };
    for (const auto &c : casos)
        EXPECT_EQ(texto(c.c, c.sistema, c.prefixo), c.esperado) << c.nome;
}

TEST(TextoVetor, CortadoNoTamanhoDoDestino)
{
    const float c[3] = {1e38f, -1e38f, 1e38f};
    const std::string inteiro = texto(c, ESFERICO, "V(14) = ");
    ASSERT_GT(inteiro.size(), sizeof temps);
    for (size_t tamanho = 0; tamanho <= inteiro.size() + 1; tamanho++) {
        char buf[256];
        memset(buf, '#', sizeof buf);
        const size_t n = textovetor(buf, tamanho, "V(14) = ", c, ESFERICO);
        const size_t cabe = tamanho == 0 ? 0 : std::min(tamanho - 1, inteiro.size());
        EXPECT_EQ(n, cabe) << tamanho;
        if (tamanho > 0) {
            EXPECT_EQ(std::string(buf), inteiro.substr(0, cabe)) << tamanho;
        }
        EXPECT_EQ(buf[tamanho], '#') << "escrito alem do tamanho " << tamanho;
    }
}

} // namespace
