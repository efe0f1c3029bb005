// The region angle check: which pairs it repairs, in what order it warns, and what it leaves.
#include "state/estado.h"
#include "state/vetorial.h"

#include <gtest/gtest.h>
#include "testing/wintest.h"

#include <string.h>

#include <string>
#include <vector>

namespace {

const std::string PHI = "O valor de phi está errado e foi colocado nos limites!";
const std::string THETA = "O valor de theta está errado e foi colocado nos limites!";

struct Caso {
    const char *nome;
    int sistema, unidade;
    float antes[3][2], depois[3][2];
    std::vector<std::string> mensagens;
};

// In radians the repaired upper limits are the floats of 3.1415 and 6.283, a little below the
// constants, so a typed 3.1415 or 6.283 passes the check.
const Caso casos[] = {
    {"cilindrico em graus, phi abaixo de 0", CILINDRICO, GRAUS,
     {{1, 2}, {-10, 90}, {0, 5}}, {{1, 2}, {0, 360}, {0, 5}}, {PHI}},
    {"cilindrico em graus, phi acima de 360", CILINDRICO, GRAUS,
     {{0, 1}, {10, 361}, {0, 0}}, {{0, 1}, {0, 360}, {0, 0}}, {PHI}},
    {"cilindrico em graus, 0 a 360 cabe", CILINDRICO, GRAUS,
     {{0, 1}, {0, 360}, {0, 0}}, {{0, 1}, {0, 360}, {0, 0}}, {}},
    {"cilindrico em radianos, 6.283 digitado cabe", CILINDRICO, RADIANOS,
     {{0, 1}, {0, 6.283f}, {0, 0}}, {{0, 1}, {0, 6.283f}, {0, 0}}, {}},
    {"cilindrico em radianos, 360 nao cabe", CILINDRICO, RADIANOS,
     {{0, 1}, {0, 360}, {0, 0}}, {{0, 1}, {0, 6.283f}, {0, 0}}, {PHI}},
    {"esferico em graus, theta avisado antes de phi", ESFERICO, GRAUS,
     {{0, 1}, {0, 200}, {-5, 90}}, {{0, 1}, {0, 180}, {0, 360}}, {THETA, PHI}},
    {"esferico em graus, so phi fora", ESFERICO, GRAUS,
     {{0, 1}, {0, 180}, {0, 400}}, {{0, 1}, {0, 180}, {0, 360}}, {PHI}},
    {"esferico em radianos, theta e phi fora", ESFERICO, RADIANOS,
     {{0, 1}, {0, 4}, {0, 7}}, {{0, 1}, {0, 3.1414999961853027f}, {0, 6.2829999923706055f}}, {THETA, PHI}},
    {"par invertido dentro da faixa fica como digitado", CILINDRICO, GRAUS,
     {{0, 1}, {90, 30}, {0, 0}}, {{0, 1}, {90, 30}, {0, 0}}, {}},
    {"raio e z nao sao conferidos", CILINDRICO, GRAUS,
     {{-5, -1}, {0, 90}, {-3, 1000}}, {{-5, -1}, {0, 90}, {-3, 1000}}, {}},
    {"cartesiano em graus nunca conferido", CARTESIANO, GRAUS,
     {{-9, 500}, {-9, 500}, {-9, 500}}, {{-9, 500}, {-9, 500}, {-9, 500}}, {}},
    {"cartesiano em radianos nunca conferido", CARTESIANO, RADIANOS,
     {{-9, 500}, {-9, 500}, {-9, 500}}, {{-9, 500}, {-9, 500}, {-9, 500}}, {}},
};

TEST(VerificaRegiao, ReparaEAvisaPorLinha)
{
    WNDCLASSA classe{};
    classe.lpfnWndProc = DefWindowProcA;
    classe.hInstance = wintest::Instance();
    classe.lpszClassName = "OrbixTesteRegiao";
    RegisterClassA(&classe);
    HWND dialogo = CreateWindowExA(0, "OrbixTesteRegiao", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                   NULL, NULL, wintest::Instance(), NULL);
    ASSERT_NE(dialogo, (HWND)NULL);

    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        reiniciaestado();
        Scoord = c.sistema;
        Medgrau = c.unidade;
        memcpy(reg, c.antes, sizeof reg);
        wintest::MessageBoxLog log;
        verificaregiao(dialogo);
        EXPECT_EQ(log.texts(), c.mensagens);
        for (const wintest::MessageBoxCall &m : log.calls()) {
            EXPECT_EQ(m.owner, dialogo);
            EXPECT_EQ(m.caption, "Orbix");
            EXPECT_EQ(m.type, UINT(MB_OK | MB_ICONEXCLAMATION));
        }
        for (int k = 0; k < 3; k++)
            for (int l = 0; l < 2; l++)
                EXPECT_EQ(reg[k][l], c.depois[k][l]) << "coordenada " << k + 1 << ", limite " << l;
    }
    DestroyWindow(dialogo);
}

} // namespace
