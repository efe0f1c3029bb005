// The start state of the program, and reiniciaestado bringing it back.
#include "state/estado.h"

#include <gtest/gtest.h>

#include <string.h>

namespace {

// What a test checks of the start state, taken from the variables themselves.
struct Retrato {
    int numpt, Scoord, Medgrau, num, inicia, mostnum, SBPosy, oper, pto, contr, contre;
    double angulox, anguloz;
    COLORREF Cor[MAXVETORES];
    bool vetoresnulos, canetasnulas;
    HWND hDlgnmodal;
    char szNomeAplic[6], fn[256], temps3[30], equacao[100];
};

Retrato tira()
{
    Retrato r{numpt, Scoord, Medgrau, num, inicia, mostnum, SBPosy, oper, pto, contr, contre,
              angulox, anguloz, {}, true, true, hDlgnmodal, {}, {}, {}, {}};
    memcpy(r.Cor, Cor, sizeof Cor);
    for (const auto &entrada : vetores)
        for (float v : entrada)
            r.vetoresnulos = r.vetoresnulos && v == 0;
    for (HPEN c : caneta)
        r.canetasnulas = r.canetasnulas && c == NULL;
    memcpy(r.szNomeAplic, szNomeAplic, sizeof r.szNomeAplic);
    memcpy(r.fn, fn, sizeof r.fn);
    memcpy(r.temps3, temps3, sizeof r.temps3);
    memcpy(r.equacao, equacao, sizeof r.equacao);
    return r;
}

// Taken before any test runs: the variables as the program finds them at start.
const Retrato aoIniciar = tira();

void confereInicial(const Retrato &r)
{
    EXPECT_EQ(r.numpt, 0);
    EXPECT_EQ(r.Scoord, CARTESIANO);
    EXPECT_EQ(r.Medgrau, GRAUS);
    EXPECT_EQ(r.num, 9);
    EXPECT_EQ(r.inicia, 1);
    EXPECT_EQ(r.mostnum, 1);
    EXPECT_EQ(r.SBPosy, 0);
    EXPECT_EQ(r.angulox, 1.0471666666666668); // 60 and 30 degrees with pi = 3.1415
    EXPECT_EQ(r.anguloz, 0.5235833333333334);
    EXPECT_EQ(r.Cor[0], RGB(255, 0, 0));
    EXPECT_EQ(r.Cor[14], RGB(20, 190, 155));
    EXPECT_TRUE(r.vetoresnulos);
    EXPECT_TRUE(r.canetasnulas);
    EXPECT_EQ(r.hDlgnmodal, (HWND)NULL);
    EXPECT_STREQ(r.szNomeAplic, "Orbix");
    EXPECT_STREQ(r.fn, "");
    EXPECT_STREQ(r.temps3, "");
    EXPECT_STREQ(r.equacao, "");
    EXPECT_EQ(r.oper, 11);
    EXPECT_EQ(r.pto, 1);
    EXPECT_EQ(r.contr, 0);
    EXPECT_EQ(r.contre, 0);
}

TEST(EstadoInicial, AoIniciar)
{
    static_assert(sizeof ajuda > 4206, "the help text with its terminator");
    confereInicial(aoIniciar);
}

TEST(EstadoInicial, ReiniciaestadoDesfazTudo)
{
    numpt = 7; Scoord = ESFERICO; Medgrau = RADIANOS; num = 3; inicia = 0; mostnum = 2;
    SBPosy = 40; angulox = anguloz = 0.1; oper = 2; pto = 0; contr = contre = 1;
    vetores[2][14] = 5; Cor[14] = 0; caneta[3] = reinterpret_cast<HPEN>(&numpt);
    hDlgnmodal = reinterpret_cast<HWND>(&numpt); strcpy(szNomeAplic, "x");
    strcpy(fn, "/tmp/a.txd"); strcpy(temps3, "12"); strcpy(equacao, "1+2");
    reiniciaestado();
    confereInicial(tira());
}

TEST(EstadoInicial, CadaVetorTemCorPropria)
{
    for (int i = 0; i < MAXVETORES; i++)
        for (int j = i + 1; j < MAXVETORES; j++)
            EXPECT_NE(aoIniciar.Cor[i], aoIniciar.Cor[j]) << "vetores " << i << " e " << j;
}

} // namespace
