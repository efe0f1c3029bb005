// The vector view, read from the GDI calls a 1024 x 768 paint makes after the axes.
#include "apoio/desenho.h"

#include <cmath>
#include <cstring>
#include <tuple>

namespace {

using wintest::GdiCall;
using V = std::vector<std::vector<float>>;
const GdiCall nada[5]{};  // what a missing arrow reads as

struct Vetores : apoio::Desenho {
    apoio::Chamadas c;  // after the font and the nine axes (seven calls each)
    std::string ops;    // one letter a call: M(ove) L(ine) T(ext) P(en)
    // Paints. The table entered comes out untouched whatever the units, and nothing (not even
    // what is not finite) is drawn far off the canvas, on (0, 0) where NaN lands, or as a line of
    // 100 bytes.
    void desenha(int sis, int uni, const V &vs, int m = ESCALA_VETORES) {
        apoio::guarda(sis, uni, vs);
        mostnum = m;
        const std::vector<float> antes(&vetores[0][0], &vetores[0][0] + 3 * MAXVETORES);
        auto t = pinta(MODO_VETORES);
        EXPECT_EQ(memcmp(antes.data(), vetores, sizeof vetores), 0) << "table changed by the paint";
        c.assign(t.begin() + long(std::min<size_t>(t.size(), 1 + 9 * 7)), t.end());
        ops.clear();
        for (auto &g : c) {
            ops += "MLTPFBRXYZ"[g.op];
            EXPECT_TRUE((maxX == 0 || g.op > GdiCall::TextOut || (g.x > -100 && g.x < 1124 && g.y > -100 && g.y < 868 && (g.x || g.y))) && g.text.size() < 100) << g.x << ", " << g.y;
        }
    }
    // The n-th arrow: MoveTo, the shaft's LineTo (the tip) and the head's three.
    const GdiCall *seta(int n) {
        size_t i = ops.find("MLLLL");
        while (n-- > 0 && i != std::string::npos) i = ops.find("MLLLL", i + 1);
        EXPECT_NE(i, std::string::npos) << "no such arrow";
        return i == std::string::npos ? nada : &c[i];
    }
};

TEST_F(Vetores, PassosEmOrdem) {
    // Per view (main, bottom, middle, top): M L a tick, T a label, M L L L L an arrow. mostnum 0
    // drops the labels, 2 writes M and M/2 on the nine axes first instead.
    const std::string sem = "MLMLMLMLLLL" "MLMLMLLLL" "MLMLMLLLL" "MLMLMLLLL";
    const struct { int s, m; std::string passos; } rows[] = {
        {CARTESIANO, 1, "P" "MLTMLTMLTMLLLL" "MLTMLTMLLLL" "MLTMLTMLLLL" "MLTMLTMLLLL"},
        {CILINDRICO, 1, "P" "TMLLLLMLTTMLML" "MLLLLTMLMLT" "TTMLLLLMLML" "TTMLLLLMLML"},
        {ESFERICO, 1, "P" "TMLLLLTMLMLTML" "MLLLLTMLTML" "MLLLLTMLTML" "MLLLLTMLTML"},
        {CARTESIANO, 0, "P" + sem}, {CARTESIANO, 2, std::string(18, 'T') + "P" + sem},
    };
    for (auto &r : rows) {
        desenha(r.s, GRAUS, {{3, 40, 70}}, r.m);
        EXPECT_EQ(ops, r.passos) << r.s << " mostnum " << r.m;
    }
}

TEST_F(Vetores, ChamadasExatas) {
    // (10, 0, 0): M = 10, x's tick, label and tip 240 out, y's and z's on the origin, head A. Heads
    // take atan2(x, y) of the tip in device pixels; B is the curved systems' main one; a tip on the
    // guarded zero (no client area) takes 1.57075.
    using P = std::vector<std::tuple<int, int, std::string>>;
    const struct { const char *nome; int s, tela, n; V vs; P p; } rows[] = {
        {"(10, 0, 0)", CARTESIANO, 1024, -1, {{10, 0, 0}}, {{177, 469, ""}, {181, 469, ""}, {189, 469, "10.00"},
         {300, 348, ""}, {300, 352, ""}, {300, 360, " 0.00"}, {298, 350, ""}, {302, 350, ""}, {312, 350, " 0.00"},
         {300, 350, ""}, {179, 469, ""}, {178, 472, ""}, {182, 471, ""}, {179, 469, ""}}},
        {"B cylindrical", CILINDRICO, 1024, 0, {{5, 90, 0}}, {{507, 350, ""}, {505, 352, ""}, {509, 351, ""}, {509, 350, ""}}},
        {"B spherical", ESFERICO, 1024, 0, {{5, 90, 90}}, {{507, 349, ""}, {505, 352, ""}, {509, 351, ""}, {509, 349, ""}}},
        {"guard on y", CARTESIANO, 0, 1, {{1, 1, 1}}, {{0, 0, ""}, {-2, 0, ""}, {0, 2, ""}, {0, 0, ""}}},
        {"guard on x", ESFERICO, 0, 1, {{1, 1, 1}}, {{0, 0, ""}, {-2, 0, ""}, {0, 2, ""}, {0, 0, ""}}},
    };
    for (auto &r : rows) {
        maxX = r.tela, maxY = r.tela * 3 / 4;
        desenha(r.s, GRAUS, r.vs);
        ASSERT_GE(c.size(), 15u) << r.nome;
        const GdiCall *g = r.n < 0 ? &c[1] : seta(r.n) + 1;
        for (size_t i = 0; i < r.p.size(); ++i) EXPECT_EQ(std::tie(g[i].x, g[i].y, g[i].text), r.p[i]) << r.nome << " " << i;
    }
}

TEST_F(Vetores, Pontas) {
    // Arrows 4k..4k+3 are vector k's in the main view, bottom, middle and top panels. What is not
    // finite is not drawn (the fixture looks at every call).
    using P = std::vector<std::tuple<int, double, double>>;  // {arrow, x, y}
    const P curvo = {{0, 507.8, 350}, {1, 750, 470}, {2, 750, 360}, {3, 850, 150}};
    const float I = INFINITY, N = NAN;
    const struct { const char *nome; int s, u; V vs; P p; } rows[] = {
        {"one scale: 120 and 240", CARTESIANO, GRAUS, {{2, 0, 0}, {0, 4, 0}}, {{0, 240, 410}, {1, 800, 570}, {4, 540, 350}, {5, 750, 470}}},
        {"(0, 0, 10)", CARTESIANO, GRAUS, {{0, 0, 10}}, {{0, 300, 110}, {2, 750, 260}, {3, 750, 50}}},
        {"(0, 5, 0)", CARTESIANO, GRAUS, {{0, 5, 0}}, {{0, 540, 350}, {1, 750, 470}, {2, 750, 360}, {3, 850, 150}}},
        {"rho 5, phi 90 degrees", CILINDRICO, GRAUS, {{5, 90, 0}}, curvo},
        {"phi 1.57075 radians", CILINDRICO, RADIANOS, {{5, 1.57075f, 0}}, curvo},
        {"r 5, theta 90, phi 90", ESFERICO, GRAUS, {{5, 90, 90}}, curvo},
        {"infinite", CARTESIANO, GRAUS, {{I, 1, 2}, {3, 4, 5}}, {}}, {"nan", CARTESIANO, GRAUS, {{N, N, N}, {1, 2, 3}}, {}},
        {"largest floats", CARTESIANO, GRAUS, {{3.4e38f, -3.4e38f, 3.4e38f}}, {}},
        {"infinite r", ESFERICO, GRAUS, {{I, 10, 10}, {1, 20, 20}}, {}}, {"infinite angle", CILINDRICO, GRAUS, {{1, I, 1}}, {}},
        {"huge angles", ESFERICO, GRAUS, {{1, 1e30f, -1e30f}}, {}},
    };
    for (auto &r : rows) {
        SCOPED_TRACE(r.nome);
        desenha(r.s, r.u, r.vs);
        for (auto &[n, x, y] : r.p) {
            const GdiCall &t = seta(n)[1];
            EXPECT_TRUE(std::abs(t.x - x) <= 1 && std::abs(t.y - y) <= 1) << "arrow " << n << ": " << t.x << ", " << t.y;
        }
    }
}

TEST_F(Vetores, QuinzeCanetasERotulosEmpilhados) {
    desenha(CILINDRICO, GRAUS, V(MAXVETORES, {1, 0, 0}));
    // rho on the horizontal axes, main then the panels; vector k's 2 + 11k pixels below.
    const int base[4][2] = {{540, 355}, {850, 575}, {850, 365}, {850, 155}};
    std::vector<std::pair<int, int>> pos, quer;
    std::vector<COLORREF> cores;
    for (auto &g : c) {
        if (g.op == GdiCall::SelectPen) cores.push_back(g.color);
        if (g.op == GdiCall::TextOut && (g.x == 540 || g.x == 850)) pos.emplace_back(g.x, g.y);
    }
    for (int j = 0; j < 4 * MAXVETORES; ++j) quer.emplace_back(base[j % 4][0], base[j % 4][1] + 2 + 11 * (j / 4));
    EXPECT_EQ(cores, std::vector<COLORREF>(Cor, Cor + MAXVETORES));
    EXPECT_EQ(pos, quer);
}

}  // namespace
