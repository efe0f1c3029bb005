// The text listings: where their lines stand, what they say, how they scroll, and that they
// leave the tables as they found them, checked on the recorded GDI calls.
#include <gtest/gtest.h>

#include "draw/listagem.h"
#include "draw/tela.h"
#include "state/estado.h"
#include "resource.h"
#include "testing/wintest.h"
#include "window/janela.h"

#include <string.h>

#include <string>
#include <vector>

namespace {

using wintest::GdiCall;

struct Linha {
    int x, y;
    std::string texto;
};

class Listagem : public ::testing::Test {
protected:
    void SetUp() override {
        reiniciaestado();
        hFonte = CreateFontA(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman");
        maxX = 1024;
        maxY = 768;
        dc = CreateCompatibleDC(nullptr);
    }
    void TearDown() override {
        DeleteDC(dc);
        DeleteObject(hFonte);
        reiniciaestado();
    }
    static void poe(int i, float a, float b, float c) {
        vetores[0][i] = a;
        vetores[1][i] = b;
        vetores[2][i] = c;
        if (numpt < i + 1) numpt = i + 1;
    }
    std::vector<Linha> linhas(int modo) {
        wintest::GdiRecorder rec;
        display(dc, modo);
        std::vector<Linha> out;
        for (auto &c : rec.calls())
            if (c.op == GdiCall::TextOut) out.push_back({c.x, c.y, c.text});
        return out;
    }
    static std::vector<std::string> textos(const std::vector<Linha> &ls) {
        std::vector<std::string> out;
        for (auto &l : ls) out.push_back(l.texto);
        return out;
    }
    HDC dc;
};

const int MODOS_PARES[] = {MODO_ANGULOS, MODO_ESCALARES, MODO_VETORIAIS};
const int MODOS_LISTAGEM[] = {MODO_ANGULOS, MODO_ESCALARES, MODO_VETORIAIS, MODO_LISTAGEM, MODO_MODULOS};

// ---------------------------------------------------------------- layout

TEST_F(Listagem, PairListsStandOnAFullGridWithTheLowerSlotsBlank) {
    poe(0, 1, 2, 3);
    poe(1, -1, 0, 2);
    poe(2, 4, 4, 0);
    for (int modo : MODOS_PARES) {
        auto ls = linhas(modo);
        ASSERT_EQ(ls.size(), 6u) << modo;
        const int ys[] = {30, 46, 62, 94, 110, 158};
        for (size_t n = 0; n < 6; ++n) {
            EXPECT_EQ(ls[n].x, 30) << modo << " line " << n;
            EXPECT_EQ(ls[n].y, ys[n]) << modo << " line " << n;
        }
        // Pairs in order (0,0) (0,1) (0,2) (1,1) (1,2) (2,2).
        const char *pares[] = {"V(0)", "V(0)", "V(0)", "V(1)", "V(1)", "V(2)"};
        for (size_t n = 0; n < 6; ++n) EXPECT_NE(ls[n].texto.find(pares[n]), std::string::npos) << ls[n].texto;
    }
    auto ms = linhas(MODO_MODULOS);
    ASSERT_EQ(ms.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ms[i].x, 30);
        EXPECT_EQ(ms[i].y, 30 + 16 * i);
    }
}

TEST_F(Listagem, ScrollingMovesEveryListButTheVectorsAndRegion) {
    poe(0, 1, 2, 3);
    poe(1, 3, 2, 1);
    for (int modo : MODOS_LISTAGEM) {
        SBPosy = 0;
        auto parado = linhas(modo);
        SBPosy = 3;
        auto rolado = linhas(modo);
        ASSERT_EQ(parado.size(), rolado.size()) << modo;
        ASSERT_FALSE(parado.empty()) << modo;
        const int deslocamento = modo == MODO_LISTAGEM ? 0 : 30;
        for (size_t n = 0; n < parado.size(); ++n) {
            EXPECT_EQ(rolado[n].y, parado[n].y - deslocamento) << modo << " line " << n;
            EXPECT_EQ(rolado[n].x, parado[n].x);
            EXPECT_EQ(rolado[n].texto, parado[n].texto);
        }
    }
}

TEST_F(Listagem, WithoutVectorsNothingIsListedNotEvenTheRegion) {
    reg[0][0] = -1;
    reg[0][1] = 1;
    for (int modo : MODOS_LISTAGEM) EXPECT_TRUE(linhas(modo).empty()) << modo;
}

TEST_F(Listagem, VectorsThenRegionBlockAtFixedPlaces) {
    poe(0, 1, -2, 3);
    poe(1, 0, 0, 0);
    reg[0][0] = -1;
    reg[0][1] = 1;
    reg[2][1] = 3;
    auto ls = linhas(MODO_LISTAGEM);
    ASSERT_EQ(ls.size(), 7u);
    const Linha esperado[] = {
        {30, 12, "Vetores em Coordenadas Cartesianas:"},
        {30, 30, "V(0) =  1.00a_x-2.00a_y +  3.00a_z"},
        {30, 46, "V(1) =  0.00a_x +  0.00a_y +  0.00a_z"},
        {250, 20, "Região em Coordenadas Cartesianas:"},
        {250, 50, "-1.00 < x <  1.00"},
        {250, 70, " 0.00 < y <  0.00"},
        {250, 90, " 0.00 < z <  3.00"},
    };
    for (size_t n = 0; n < 7; ++n) {
        EXPECT_EQ(ls[n].x, esperado[n].x) << n;
        EXPECT_EQ(ls[n].y, esperado[n].y) << n;
        EXPECT_EQ(ls[n].texto, esperado[n].texto) << n;
    }
}

// ---------------------------------------------------------------- results

TEST_F(Listagem, AnglesBetweenVectors) {
    struct Row {
        const char *nome;
        float a[3], b[3];
        const char *entre;  // the line of V(0) with V(1)
    } rows[] = {
        {"perpendicular", {1, 0, 0}, {0, 1, 0}, "Ângulo entre: V(0) e V(1) = 89.96"},
        {"opposite", {1, 0, 0}, {-1, 0, 0}, "Ângulo entre: V(0) e V(1) = 180.01"},
        {"parallel", {2, 0, 0}, {5, 0, 0}, "Ângulo entre: V(0) e V(1) =  0.00"},
        {"with a null vector", {1, 2, 3}, {0, 0, 0}, "Ângulo entre: V(0) e V(1) = indefinido"},
    };
    for (auto &r : rows) {
        numpt = 0;
        poe(0, r.a[0], r.a[1], r.a[2]);
        poe(1, r.b[0], r.b[1], r.b[2]);
        auto ls = linhas(MODO_ANGULOS);
        ASSERT_EQ(ls.size(), 3u) << r.nome;
        EXPECT_EQ(ls[1].texto, r.entre) << r.nome;
        for (auto &l : ls) {
            EXPECT_EQ(l.texto.find("nan"), std::string::npos) << r.nome << ": " << l.texto;
            EXPECT_EQ(l.texto.find("NAN"), std::string::npos) << r.nome << ": " << l.texto;
        }
    }
}

TEST_F(Listagem, DotProductsAndModuli) {
    poe(0, 1, 2, 3);
    poe(1, -1, 0.5f, 2);
    EXPECT_EQ(textos(linhas(MODO_ESCALARES)),
              (std::vector<std::string>{"V(0).V(0) = 14.00", "V(0).V(1) =  6.00", "V(1).V(1) =  5.25"}));
    EXPECT_EQ(textos(linhas(MODO_MODULOS)),
              (std::vector<std::string>{"Módulo de V(0) -> |V(0)| =  3.74", "Módulo de V(1) -> |V(1)| =  2.29"}));
}

TEST_F(Listagem, CrossProductTextJoinsComponentsBySign) {
    struct Row {
        const char *nome;
        int sistema;
        float a[3], b[3];
        const char *entre;
    } rows[] = {
        {"x cross y", CARTESIANO, {1, 0, 0}, {0, 1, 0}, "V(0) X V(1) =  0.00a_x +  0.00a_y +  1.00a_z"},
        {"y cross x", CARTESIANO, {0, 1, 0}, {1, 0, 0}, "V(0) X V(1) =  0.00a_x +  0.00a_y-1.00a_z"},
        {"negative middle", CARTESIANO, {1, 0, 0}, {0, 0, 1}, "V(0) X V(1) =  0.00a_x-1.00a_y +  0.00a_z"},
        {"cylindrical", CILINDRICO, {1, 0, 0}, {0, 1, 0}, "V(0) X V(1) =  0.00a_r +  0.00a_phi +  1.00a_z"},
        {"spherical", ESFERICO, {0, 1, 0}, {1, 0, 0}, "V(0) X V(1) =  0.00a_r +  0.00a_theta-1.00a_phi"},
    };
    for (auto &r : rows) {
        numpt = 0;
        Scoord = r.sistema;
        poe(0, r.a[0], r.a[1], r.a[2]);
        poe(1, r.b[0], r.b[1], r.b[2]);
        auto ls = linhas(MODO_VETORIAIS);
        ASSERT_EQ(ls.size(), 3u) << r.nome;
        EXPECT_EQ(ls[1].texto, r.entre) << r.nome;
    }
}

// ---------------------------------------------------------------- units

TEST_F(Listagem, VectorAnglesListedInRadiansAndRegionAnglesInDegrees) {
    struct Row {
        const char *nome;
        int sistema, unidade;
        float v[3];
        float angulo[2];  // limits of coordinate 2
        const char *vetor, *titulo, *regiao;
    } rows[] = {
        {"cylindrical in degrees", CILINDRICO, GRAUS, {5, 90, 2}, {0, 90},
         "V(0) =  5.00a_r +  1.57a_phi +  2.00a_z", "Região em Coordenadas Cilíndricas (ângulos em graus):",
         " 0.00 < phi < 90.00"},
        {"cylindrical in radians", CILINDRICO, RADIANOS, {5, 1.57f, 2}, {0, 3.1415f},
         "V(0) =  5.00a_r +  1.57a_phi +  2.00a_z", "Região em Coordenadas Cilíndricas (ângulos em graus):",
         " 0.00 < phi < 180.00"},
        {"spherical in degrees", ESFERICO, GRAUS, {1, 180, 360}, {0, 180},
         "V(0) =  1.00a_r +  3.14a_theta +  6.28a_phi", "Região em Coordenadas Esféricas (ângulos em graus):",
         " 0.00 < theta < 180.00"},
        {"spherical in radians", ESFERICO, RADIANOS, {1, 3.1415f, 6.283f}, {1.57075f, 3.1415f},
         "V(0) =  1.00a_r +  3.14a_theta +  6.28a_phi", "Região em Coordenadas Esféricas (ângulos em graus):",
         "90.00 < theta < 180.00"},
        {"Cartesian in degrees is not converted", CARTESIANO, GRAUS, {1, 90, 2}, {0, 90},
         "V(0) =  1.00a_x + 90.00a_y +  2.00a_z", "Região em Coordenadas Cartesianas:", " 0.00 < y < 90.00"},
    };
    for (auto &r : rows) {
        reiniciaestado();
        Scoord = r.sistema;
        Medgrau = r.unidade;
        poe(0, r.v[0], r.v[1], r.v[2]);
        reg[1][0] = r.angulo[0];
        reg[1][1] = r.angulo[1];
        reg[2][0] = 1;  // a spherical phi in radians, to see both limits converted
        reg[2][1] = 2;
        float antesv[3][MAXVETORES], antesr[3][2];
        memcpy(antesv, vetores, sizeof vetores);
        memcpy(antesr, reg, sizeof reg);
        auto ls = linhas(MODO_LISTAGEM);
        ASSERT_EQ(ls.size(), 6u) << r.nome;
        EXPECT_EQ(ls[1].texto, r.vetor) << r.nome;
        EXPECT_EQ(ls[2].texto, r.titulo) << r.nome;
        EXPECT_EQ(ls[4].texto, r.regiao) << r.nome;
        const bool phiconvertido = r.sistema == ESFERICO && r.unidade == RADIANOS;
        EXPECT_EQ(ls[5].texto, phiconvertido ? "57.30 < phi < 114.59" : (r.sistema == ESFERICO ? " 1.00 < phi <  2.00"
                                                                                                : " 1.00 < z <  2.00"))
            << r.nome;
        // The listing converts copies, so the tables are left exactly as they were.
        EXPECT_EQ(memcmp(antesv, vetores, sizeof vetores), 0) << r.nome;
        EXPECT_EQ(memcmp(antesr, reg, sizeof reg), 0) << r.nome;
    }
}

TEST_F(Listagem, EveryListingLeavesTheTablesUnchanged) {
    Scoord = ESFERICO;
    Medgrau = GRAUS;
    for (int i = 0; i < MAXVETORES; ++i) poe(i, float(i) + 0.3f, 17.0f * float(i), 33.3f - float(i));
    reg[1][0] = 10;
    reg[1][1] = 170;
    float antesv[3][MAXVETORES], antesr[3][2];
    memcpy(antesv, vetores, sizeof vetores);
    memcpy(antesr, reg, sizeof reg);
    for (int modo : MODOS_LISTAGEM) {
        linhas(modo);
        EXPECT_EQ(memcmp(antesv, vetores, sizeof vetores), 0) << modo;
        EXPECT_EQ(memcmp(antesr, reg, sizeof reg), 0) << modo;
    }
}

// ---------------------------------------------------------------- long and odd values

TEST_F(Listagem, LinesTooLongForTheirBufferAreCutNotOverrun) {
    const float grande = 3.4e38f;
    poe(0, grande, -grande, grande);
    poe(1, 0, 1e19f, 0);
    poe(2, 0, 0, 1e19f);
    reg[0][0] = -grande;
    reg[0][1] = grande;
    for (int modo : MODOS_LISTAGEM)
        for (auto &l : linhas(modo)) EXPECT_LE(l.texto.size(), TAMLINHA - 1) << modo << ": " << l.texto;

    // A cut line is the beginning of the whole line.
    char inteira[400], cortada[TAMLINHA];
    const size_t n = linhavetor(inteira, sizeof inteira, 0);
    EXPECT_GT(n, TAMLINHA - 1);
    EXPECT_EQ(linhavetor(cortada, sizeof cortada, 0), TAMLINHA - 1);
    EXPECT_EQ(std::string(cortada), std::string(inteira, TAMLINHA - 1));
    EXPECT_EQ(linhavetorial(cortada, 10, 1, 2), 9u);
    EXPECT_STREQ(cortada, "V(1) X V(");
    EXPECT_EQ(linhaangulo(cortada, 1, 0, 0), 0u);
    EXPECT_STREQ(cortada, "");
}

TEST_F(Listagem, ProductsBeyondTheFloatRangeShowAsInfinite) {
    poe(0, 0, 1e20f, 0);
    poe(1, 0, 0, 1e20f);
    auto ls = linhas(MODO_VETORIAIS);
    ASSERT_EQ(ls.size(), 3u);
    EXPECT_EQ(ls[1].texto, "V(0) X V(1) =   infa_x +  0.00a_y +  0.00a_z");
    EXPECT_EQ(textos(linhas(MODO_ANGULOS))[1], "Ângulo entre: V(0) e V(1) = 89.96");
}

// The menu of the running window reaches the listings, and a scroll step moves them.
TEST(ListagemNaJanela, MenuCommandsPaintTheirListsAndScrollMovesThem) {
    reiniciaestado();
    static ATOM atom = registraclasse(wintest::Instance());
    ASSERT_NE(atom, 0);
    HWND h = criajanela(wintest::Instance(), SW_SHOWNORMAL);
    ASSERT_NE(h, nullptr);
    wintest::FireTimer(h, ID_ABERTURA);
    wintest::Pump();
    numpt = 2;
    vetores[0][0] = 1;
    vetores[1][1] = 1;
    struct Row {
        int comando;
        const char *primeira;
    } rows[] = {
        {IDM_ANGULO, "Ângulo entre: V(0) e V(0) =  0.00"},
        {IDM_ESCALAR, "V(0).V(0) =  1.00"},
        {IDM_VETORIAL, "V(0) X V(0) =  0.00a_x +  0.00a_y +  0.00a_z"},
        {IDM_MODULO, "Módulo de V(0) -> |V(0)| =  1.00"},
        {IDM_VERVET, "Vetores em Coordenadas Cartesianas:"},
    };
    for (auto &r : rows) {
        wintest::GdiRecorder rec;
        wintest::ChooseMenuItem(h, r.comando);
        wintest::Pump();
        auto ts = rec.of(GdiCall::TextOut);
        ASSERT_FALSE(ts.empty()) << r.primeira;
        EXPECT_EQ(ts[0].text, r.primeira);
        EXPECT_EQ(ts[0].x, 30);
    }
    wintest::GdiRecorder rec;
    num = MODO_MODULOS;
    SendMessageA(h, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    wintest::Pump();
    auto ts = rec.of(GdiCall::TextOut);
    ASSERT_EQ(ts.size(), 2u);
    EXPECT_EQ(ts[0].y, 20);
    EXPECT_EQ(ts[1].y, 36);
    DestroyWindow(h);
    wintest::Pump();
    wintest::TakeQuit();
    reiniciaestado();
}

}  // namespace
