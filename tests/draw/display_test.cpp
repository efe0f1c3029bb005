// The paint routine: the axes of the view and the panels, the scale labels and the start-up
// picture, on the recorded GDI calls.
#include "apoio/desenho.h"

#include <algorithm>

namespace {

using wintest::GdiCall;

class Frame : public apoio::Desenho {
protected:
    // The nine axes of mode 2 (no region entered draws nothing else): MoveTo, five LineTo, letter.
    apoio::Chamadas eixos() {
        auto c = pinta(MODO_REGIAO);
        c.resize(std::min<size_t>(c.size(), 1 + 9 * 7));
        return c;
    }
};

TEST_F(Frame, AxesInOrderWithArrowheadsBackAtTheTipAndLetters) {
    auto c = eixos();
    ASSERT_EQ(c.size(), 1u + 9 * 7);
    EXPECT_EQ(c[0].op, GdiCall::SelectFont);
    std::string letras;
    for (int a = 0; a < 9; ++a) {
        const GdiCall *e = &c[1 + 7 * a];
        EXPECT_EQ(e[0].op, GdiCall::MoveTo);
        EXPECT_EQ(apoio::conta(apoio::Chamadas(e + 1, e + 6), GdiCall::LineTo), 5) << a;
        EXPECT_EQ(std::make_pair(e[5].x, e[5].y), std::make_pair(e[1].x, e[1].y)) << a;
        letras += e[6].text;
    }
    EXPECT_EQ(letras, "zyxzyzxyx");
    const GdiCall *x = &c[1 + 7 * 2];  // the main x axis at the initial angles
    EXPECT_EQ(std::vector<int>({x[0].x, x[0].y, x[1].x, x[1].y, x[6].x, x[6].y}),
              std::vector<int>({425, 225, 174, 474, 177, 477}));
}

TEST_F(Frame, HalfSizeHalvesEveryPositionButNotTheFont) {
    auto full = eixos();
    maxX = 512;
    maxY = 384;
    auto half = eixos();
    ASSERT_EQ(full.size(), half.size());
    EXPECT_EQ(half[0].width, 12);
    EXPECT_EQ(std::vector<int>({half[1].x, half[1].y, half[2].y}), std::vector<int>({150, 300, 50}));
    for (size_t i = 1; i < full.size(); ++i) {
        EXPECT_NEAR(half[i].x, full[i].x / 2.0, 1.0) << i;
        EXPECT_NEAR(half[i].y, full[i].y / 2.0, 1.0) << i;
    }
}

TEST_F(Frame, ModesOutsideTheTableDrawNothingButSelectTheFont) {
    for (int modo : {0, 10, 99, -1}) {
        auto c = pinta(modo);
        ASSERT_EQ(c.size(), 1u) << modo;
        EXPECT_EQ(c[0].op, GdiCall::SelectFont) << modo;
    }
}

TEST_F(Frame, ScaleLabelsOfTheLargestValueAtTheirPlaces) {
    struct Row {
        int sistema;
        std::vector<std::vector<float>> vs;
        const char *m, *meio;
    } rows[] = {
        {CARTESIANO, {}, " 0.00", " 0.00"},
        {CARTESIANO, {{1, -10, 3}, {2, 2, 2}}, "10.00", " 5.00"},
        {CARTESIANO, {{250, 0, 0}}, "250.00", "125.00"},
        {CILINDRICO, {{2, 300, -4}}, " 4.00", " 2.00"},  // phi takes no part
        {ESFERICO, {{3, 170, 350}}, " 3.00", " 1.50"},   // r alone
    };
    mostnum = ESCALA_MEDIA;
    for (auto &r : rows) {
        apoio::guarda(r.sistema, GRAUS, r.vs);
        std::vector<std::pair<int, int>> m, meio;
        for (auto &k : pinta(MODO_VETORES)) {
            if (k.op != GdiCall::TextOut) continue;
            if (k.text == r.m) m.emplace_back(k.x, k.y);
            if (k.text == r.meio) meio.emplace_back(k.x, k.y);
        }
        EXPECT_EQ(m.size(), r.vs.empty() ? 18u : 9u) << r.m;
        if (r.vs.empty()) {
            EXPECT_EQ(m[0], std::make_pair(179, 469));  // along the main x axis, at 240 and 120
            EXPECT_EQ(m[1], std::make_pair(239, 409));
            EXPECT_EQ(m[17], std::make_pair(795, 160));
        } else {
            EXPECT_EQ(meio.size(), 9u) << r.meio;
        }
    }
    mostnum = ESCALA_NENHUMA;
    apoio::guarda(CARTESIANO, GRAUS, {});
    EXPECT_EQ(apoio::textos(pinta(MODO_VETORES)).size(), 9u) << "only the axis letters";
}

TEST_F(Frame, SplashWritesItsLineAndCopiesTheBitmap) {
    BMP_Orbix = LoadBitmapA(wintest::Instance(), "BITMAPOrbix");
    auto c = pinta(MODO_ABERTURA);
    EXPECT_EQ(apoio::textos(c), std::vector<std::string>{"Carregando o ORBIX..."});
    auto b = std::find_if(c.begin(), c.end(), [](auto &k) { return k.op == GdiCall::BitBlt; });
    ASSERT_NE(b, c.end());
    EXPECT_EQ(std::vector<int>({b->x, b->y, b->x2, b->y2}), std::vector<int>({100, 50, 800, 600}));
    DeleteObject(BMP_Orbix);
}

}  // namespace
