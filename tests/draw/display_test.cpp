// The paint routine: the axes of the main view and of the panels, the scale labels of the largest
// value and the start-up picture, from the recorded GDI calls at the reference size and at half of
// it, in the initial view and in a turned one.
#include "apoio/desenho.h"

#include <math.h>

#include <algorithm>

namespace {

using wintest::GdiCall;
using V = std::vector<std::vector<float>>;
constexpr size_t EIXOS = 1 + 9 * 7;  // the font, then per axis a move, five lines and a letter

using Frame = apoio::Desenho;

// Each axis: its start, its tip, the four points of its head after the tip, where its letter
// stands (reference pixels). The main x axis turns with the view.
struct Eixo {
    const char *nome, *letra;
    double p[7][2];
};

std::vector<Eixo> eixos(double angulox, double anguloz) {
    const double ca = cos(angulox), sz = sin(anguloz);
    const float xi = float(300 + 250 * ca), yi = float(350 - 250 * sz);
    const float xf = float(300 - 250 * ca), yf = float(350 + 250 * sz);
    return {
        {"main z", "z", {{300, 600}, {300, 100}, {305, 100}, {300, 95}, {295, 100}, {300, 100}, {306, 95}}},
        {"main y", "y", {{50, 350}, {550, 350}, {550, 355}, {555, 350}, {550, 345}, {550, 350}, {553, 353}}},
        {"main x",
         "x",
         {{xi, yi}, {xf, yf}, {xf - 5 * ca, yf - 5 * sz}, {xf - 5 * ca, yf + 5 * sz}, {xf + 5 * ca, yf + 5 * sz},
          {xf, yf}, {xf + 3, yf + 3}}},
        {"top z", "z", {{750, 250}, {750, 50}, {755, 50}, {750, 45}, {745, 50}, {750, 50}, {755, 45}}},
        {"top y", "y", {{650, 150}, {850, 150}, {850, 155}, {855, 150}, {850, 145}, {850, 150}, {853, 153}}},
        {"middle z", "z", {{750, 460}, {750, 260}, {755, 260}, {750, 255}, {745, 260}, {750, 260}, {755, 255}}},
        {"middle x", "x", {{650, 360}, {850, 360}, {850, 365}, {855, 360}, {850, 355}, {850, 360}, {853, 363}}},
        {"bottom y", "y", {{750, 680}, {750, 470}, {755, 470}, {750, 465}, {745, 470}, {750, 470}, {755, 465}}},
        {"bottom x", "x", {{650, 570}, {850, 570}, {850, 575}, {855, 570}, {850, 565}, {850, 570}, {853, 573}}},
    };
}

TEST_F(Frame, EveryAxisWithItsHeadAndLetterAtItsPlaceInTheFontOfTheWindow) {
    for (const apoio::Vista &v : {apoio::INICIAL, apoio::GIRADA})
        for (apoio::Tamanho t : apoio::TAMANHOS) {
            std::string nome = "axes";
            apoio::Esperado e = em(t, v, nome);
            for (const Eixo &a : eixos(v.angulox, v.anguloz)) {
                const std::string n = a.nome;
                e.ponto(n + ", start", GdiCall::MoveTo, a.p[0][0], a.p[0][1]);
                e.ponto(n + ", tip", GdiCall::LineTo, a.p[1][0], a.p[1][1]);
                for (int i = 2; i < 6; ++i)
                    e.ponto(n + ", head " + std::to_string(i - 1), GdiCall::LineTo, a.p[i][0], a.p[i][1]);
                e.texto(n + ", letter", a.letra, a.p[6][0], a.p[6][1]);
            }
            numpt = 0;  // the vector view with nothing in it: the axes alone
            auto c = pinta(MODO_VETORES);
            ASSERT_FALSE(c.empty());
            EXPECT_TRUE(c[0].op == GdiCall::SelectFont && c[0].width == 12) << nome << ": the font is not scaled";
            apoio::confere(c, 1, e.passos, nome);
        }
}

TEST_F(Frame, ScaleLabelsOfTheLargestValueStandOnEveryAxis) {
    // M is 240 / scale and M/2 is 120 / scale, both divided in double: a scale kept in a float
    // gives 334.87 for half of 669.75, where a division in float would print 334.88.
    const struct {
        const char *nome;
        int sistema;
        V vs;
        const char *m, *meio;
    } rows[] = {
        {"nothing drawn: the floor 0.001", CARTESIANO, {}, " 0.00", " 0.00"},
        {"largest magnitude of all entries", CARTESIANO, {{1, -10, 3}, {2, 2, 2}}, "10.00", " 5.00"},
        {"wider than five characters", CARTESIANO, {{250, 0, 0}}, "250.00", "125.00"},
        {"half of 669.75", CARTESIANO, {{1, 669.75f, 2}}, "669.75", "334.87"},
        {"cylindrical: phi takes no part", CILINDRICO, {{2, 300, -4}}, " 4.00", " 2.00"},
        {"spherical: r alone", ESFERICO, {{3, 170, 350}}, " 3.00", " 1.50"},
    };
    mostnum = ESCALA_MEDIA;
    for (auto &r : rows)
        for (const apoio::Vista &v : {apoio::INICIAL, apoio::GIRADA})
            for (apoio::Tamanho t : apoio::TAMANHOS) {
                std::string nome = r.nome;
                apoio::Esperado e = em(t, v, nome);
                const double ca = cos(v.angulox), sz = sin(v.anguloz);
                // Where M and M/2 stand on each axis.
                const struct {
                    const char *eixo;
                    double m[2], meio[2];
                } pontos[] = {
                    {"main x", {300 - 240 * ca, 350 + 240 * sz}, {300 - 120 * ca, 350 + 120 * sz}},
                    {"main y", {540, 360}, {420, 360}},
                    {"main z", {310, 110}, {310, 230}},
                    {"bottom panel, vertical", {760, 480}, {760, 525}},
                    {"bottom panel, horizontal", {840, 585}, {795, 580}},
                    {"middle panel, vertical", {760, 270}, {760, 315}},
                    {"middle panel, horizontal", {840, 375}, {795, 370}},
                    {"top panel, vertical", {760, 60}, {760, 105}},
                    {"top panel, horizontal", {840, 165}, {795, 160}},
                };
                for (auto &p : pontos) {
                    e.texto(std::string(p.eixo) + ", M", r.m, p.m[0], p.m[1]);
                    e.texto(std::string(p.eixo) + ", M/2", r.meio, p.meio[0], p.meio[1]);
                }
                apoio::guarda(r.sistema, GRAUS, r.vs);
                auto c = pinta(MODO_VETORES);
                // Written after the axes and before the first vector's pen, and nothing else.
                if (!r.vs.empty()) {
                    c.resize(std::min(c.size(), EIXOS + 18 + 1));
                    e.caneta("first vector's pen", Cor[0]);
                }
                apoio::confere(c, EIXOS, e.passos, nome);
            }
}

TEST_F(Frame, ModesOutsideTheTableDrawNothingButSelectTheFont) {
    for (int modo : {0, 10, 99, -1}) {
        auto c = pinta(modo);
        ASSERT_EQ(c.size(), 1u) << modo;
        EXPECT_EQ(c[0].op, GdiCall::SelectFont) << modo;
    }
}

TEST_F(Frame, SplashWritesItsLineAndCopiesTheBitmap) {
    BMP_Orbix = LoadBitmapA(wintest::Instance(), "BITMAPOrbix");
    auto c = pinta(MODO_ABERTURA);
    DeleteObject(BMP_Orbix);
    // The font, the line, the bitmap chosen into a memory DC and copied from it.
    std::vector<int> ops;
    for (auto &k : c) ops.push_back(k.op);
    ASSERT_EQ(ops, std::vector<int>({GdiCall::SelectFont, GdiCall::TextOut, GdiCall::SelectBitmap, GdiCall::BitBlt}));
    EXPECT_EQ(c[1].text, "Carregando o ORBIX...");
    EXPECT_EQ(std::vector<int>({c[1].x, c[1].y, c[3].x, c[3].y, c[3].x2, c[3].y2}),
              std::vector<int>({300, 20, 100, 50, 800, 600}));
}

}  // namespace
