// The region view, read from the GDI calls a 1024 x 768 paint makes after the axes.
#include "apoio/desenho.h"

#include <array>
#include <cmath>
#include <cstring>
#include <tuple>

namespace {

using wintest::GdiCall;
using L = std::array<float, 6>;  // the three pairs of limits as entered

struct Estagio { COLORREF cor; apoio::Chamadas ticks, rotulos, pontos; };

struct Regiao : apoio::Desenho {
    apoio::Chamadas c;  // after the font and the nine axes
    std::vector<Estagio> st;
    // Paints; returns the calls after the axes as text and splits them in st at each pen (a dot
    // is a segment to (x + 1, y + 1), a tick any other). Nothing, not even what is not finite,
    // may be drawn far off the canvas or on (0, 0), where NaN lands.
    std::string desenha(int s, int u, L v, int m = ESCALA_VETORES) {
        Scoord = s, Medgrau = u, mostnum = m;
        memcpy(reg, v.data(), sizeof reg);
        auto t0 = pinta(MODO_REGIAO);
        c.assign(t0.begin() + long(std::min<size_t>(t0.size(), 1 + 9 * 7)), t0.end());
        std::string t;
        st.clear();
        for (size_t i = 0; i < c.size(); ++i) {
            const GdiCall &g = c[i], &h = c[std::min(i + 1, c.size() - 1)];
            t += std::to_string(g.op) + " " + std::to_string(g.x) + " " + std::to_string(g.y) + g.text + ";";
            if (g.op == GdiCall::SelectPen) st.push_back({g.color, {}, {}, {}});
            else if (st.empty()) ADD_FAILURE() << "drawn before the first pen";
            else if (g.op == GdiCall::TextOut) st.back().rotulos.push_back(g);
            else if (g.op == GdiCall::MoveTo) (h.x == g.x + 1 && h.y == g.y + 1 ? st.back().pontos : st.back().ticks).push_back(g);
            EXPECT_TRUE(g.op > GdiCall::TextOut || (g.x > -100 && g.x < 1124 && g.y > -100 && g.y < 868 && (g.x || g.y))) << "a stray point: " << g.x << ", " << g.y;
        }
        return t;
    }
};

TEST_F(Regiao, Estagios) {
    // Pens 0, 1, 2; two ticks and two labels on three axes each (mostnum 0: no label); sorted
    // limits come back untouched. Dots: lengths sweep by 7, 9 and 8 scaled pixels from the
    // truncated lower limit while below the upper, angles by 0.05 radian from the lower limit.
    const struct { const char *nome; int s, m; L v; size_t n[3]; } rows[] = {
        {"box: valmax 80, 23 x 23", CARTESIANO, 1, {-1, 1, 0, 2, 0, 3}, {3 * 23 * 23, 3 * 18 * 27, 3 * 20 * 30}},
        {"equal whole limits: no x sweep", CARTESIANO, 0, {1, 1, 0, 2, 0, 3}, {0, 0, 3 * 20 * 30}},
        {"equal limits 80.8: x once", CARTESIANO, 2, {1.01f, 1.01f, 0, 2, 0, 3}, {3 * 23, 3 * 27, 3 * 20 * 30}},
        {"phi 0..90: 32 samples", CILINDRICO, 1, {0, 1, 0, 90, 0, 1}, {3 * 35 * 32, 4 * 27 * 27, 2 * 32 * 30 + 2 * 27 * 30}},
        {"full shell: 63 x 126 angles", ESFERICO, 0, {0, 10, 0, 180, 0, 360}, {4 * 35 * 63, 4 * 27 * 126, 4 * 63 * 126}},
    };
    for (auto &r : rows) {
        desenha(r.s, GRAUS, r.v, r.m);
        EXPECT_EQ(memcmp(reg, r.v.data(), sizeof reg), 0) << r.nome;
        ASSERT_EQ(st.size(), 3u) << r.nome;
        for (int i = 0; i < 3; ++i)  // pen, ticks, labels, dots
            EXPECT_EQ(std::make_tuple(st[i].cor, st[i].ticks.size(), st[i].rotulos.size(), st[i].pontos.size()),
                      std::make_tuple(Cor[i], 6u, r.m ? 6u : 0u, r.n[i])) << r.nome << ", stage " << i;
    }
}

TEST_F(Regiao, Posicoes) {
    // Call i of stage est: a t(ick), r(otulo) or p(onto).
    const L caixa = {-1, 1, 0, 2, 0, 3}, casca = {0, 10, 0, 180, 0, 360};
    const struct { const char *nome; int s; L v; int est; char tipo; size_t i; int x, y; } rows[] = {
        {"box: x label 80 out", CARTESIANO, caixa, 0, 'r', 0, 260, 390},
        {"box: z label 3 up", CARTESIANO, caixa, 1, 'r', 1, 310, 110},
        {"box: first bottom-panel dot", CARTESIANO, caixa, 0, 'p', 2, 716, 570},
        {"box: last bottom-panel dot", CARTESIANO, caixa, 0, 'p', 3 * 23 * 23 - 1, 780, 505},
        {"scale from lengths only", CILINDRICO, {0, 0.5f, 0, 360, 0, 0.25f}, 0, 't', 3, 747, 470},
        {"shell: main x", ESFERICO, casca, 0, 'r', 1, 190, 469},
        {"shell: middle, vertical", ESFERICO, casca, 0, 'r', 3, 760, 260},
        {"shell: bottom, horizontal, up 3", ESFERICO, casca, 1, 'r', 3, 850, 577},
        {"shell: bottom, vertical, left 3", ESFERICO, casca, 1, 'r', 5, 757, 470},
        {"shell: main y, up 3", ESFERICO, casca, 2, 'r', 1, 507, 357},
        {"shell: top, vertical, left 3", ESFERICO, casca, 2, 'r', 3, 757, 50},
    };
    for (auto &r : rows) {
        desenha(r.s, GRAUS, r.v);
        ASSERT_EQ(st.size(), 3u) << r.nome;
        auto &l = r.tipo == 't' ? st[r.est].ticks : r.tipo == 'r' ? st[r.est].rotulos : st[r.est].pontos;
        ASSERT_LT(r.i, l.size()) << r.nome;
        EXPECT_TRUE(std::abs(l[r.i].x - r.x) <= 1 && std::abs(l[r.i].y - r.y) <= 1) << r.nome << ": " << l[r.i].x << ", " << l[r.i].y;
    }
    desenha(CARTESIANO, GRAUS, caixa);
    EXPECT_EQ(apoio::textos(st[0].rotulos), (std::vector<std::string>{" 1.00", "-1.00", " 0.00", " 2.00", "-1.00", " 1.00"}));
}

TEST_F(Regiao, DesenhadoComo) {
    // Reversed pairs draw sorted and stay sorted; a huge or infinite angle is held within the
    // angle check for the drawing only (every sweep ends); radians draw as degrees; a negative
    // lower radius is raised to 0, but before the sort (5 and -3 give -3..5).
    const float I = INFINITY, R90 = float(90 * 3.1415 / 180);
    const struct { const char *nome; int s, u, ud; L e, d, depois; } rows[] = {
        {"reversed, cartesian", CARTESIANO, GRAUS, GRAUS, {1, -1, 2, 0, 3, 0}, {-1, 1, 0, 2, 0, 3}, {-1, 1, 0, 2, 0, 3}},
        {"reversed, cylindrical", CILINDRICO, GRAUS, GRAUS, {4, 1, 90, 10, 5, -5}, {1, 4, 10, 90, -5, 5}, {1, 4, 10, 90, -5, 5}},
        {"reversed, spherical", ESFERICO, GRAUS, GRAUS, {4, 1, 120, 30, 300, 45}, {1, 4, 30, 120, 45, 300}, {1, 4, 30, 120, 45, 300}},
        {"phi 1e30..10 degrees", CILINDRICO, GRAUS, GRAUS, {0, 1, 1e30f, 10, 0, 1}, {0, 1, 10, 360, 0, 1}, {0, 1, 10, 1e30f, 0, 1}},
        {"phi 1e8..1 radians", CILINDRICO, RADIANOS, RADIANOS, {0, 1, 1e8f, 1, 0, 1}, {0, 1, 1, 6.283f, 0, 1}, {0, 1, 1, 1e8f, 0, 1}},
        {"theta and phi huge", ESFERICO, GRAUS, GRAUS, {0, 1, 5e7f, 20, 3e9f, 0}, {0, 1, 20, 180, 0, 360}, {0, 1, 20, 5e7f, 0, 3e9f}},
        {"infinite", ESFERICO, RADIANOS, RADIANOS, {0, 1, I, 0, I, 1}, {0, 1, 0, 3.1415f, 1, 6.283f}, {0, 1, 0, I, 1, I}},
        {"radians", CILINDRICO, RADIANOS, GRAUS, {0, 1, 0, R90, 0, 1}, {0, 1, 0, 90, 0, 1}, {0, 1, 0, R90, 0, 1}},
        {"rho -2..5 raised", CILINDRICO, GRAUS, GRAUS, {-2, 5, 0, 90, 0, 90}, {0, 5, 0, 90, 0, 90}, {0, 5, 0, 90, 0, 90}},
        {"r -2..5 raised", ESFERICO, GRAUS, GRAUS, {-2, 5, 0, 90, 0, 90}, {0, 5, 0, 90, 0, 90}, {0, 5, 0, 90, 0, 90}},
        {"rho 5..-3: -3..5", CILINDRICO, GRAUS, GRAUS, {5, -3, 0, 90, 0, 90}, {5, -3, 0, 90, 0, 90}, {-3, 5, 0, 90, 0, 90}},
        {"r 5..-3: -3..5", ESFERICO, GRAUS, GRAUS, {5, -3, 0, 90, 0, 90}, {5, -3, 0, 90, 0, 90}, {-3, 5, 0, 90, 0, 90}},
    };
    for (auto &r : rows) {
        std::string d = desenha(r.s, r.ud, r.d);
        EXPECT_TRUE(desenha(r.s, r.u, r.e) == d) << r.nome;
        EXPECT_EQ(memcmp(reg, r.depois.data(), sizeof reg), 0) << r.nome;
    }
}

TEST_F(Regiao, LimitesNaoFinitosNaoSaoDesenhados) {
    const float I = INFINITY, N = NAN, F = 3.4e38f;
    const struct { const char *nome; int s; L v; } rows[] = {
        {"infinite length", CARTESIANO, {0, I, 0, 1, 0, 1}}, {"nan", CARTESIANO, {N, 1, 0, N, 0, 1}},
        {"largest floats", CARTESIANO, {-F, F, -F, F, 0, F}}, {"infinite radius", CILINDRICO, {0, I, 0, 90, 0, 1}},
        {"angle nan", ESFERICO, {0, 1, N, 90, 0, N}}, {"phi nan", CILINDRICO, {0, 1, N, 90, 0, 1}},
    };
    for (auto &r : rows) {
        SCOPED_TRACE(r.nome);
        desenha(r.s, GRAUS, r.v);
    }
}

}  // namespace
