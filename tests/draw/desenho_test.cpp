// What the drawings do beyond where they put things (which the stored scenes hold): a region is
// drawn as its limits put in order and held within the angle check, and leaves them sorted; what
// is not finite is not drawn, and nothing lands far off the canvas.
#include "apoio/teste.h"

#include <math.h>
#include <string.h>

#include <array>

namespace {

using wintest::GdiCall;
using Limites = std::array<float, 6>;

// The calls a mode draws after the axes, checking each point on the way.
std::string depoisdoseixos(const apoio::Chamadas &c) {
    std::string t;
    size_t eixos = 0;
    while (eixos < c.size() && (c[eixos].op != GdiCall::SelectPen || c[eixos].width != 2)) ++eixos;
    for (size_t i = eixos; i < c.size(); ++i) {
        const GdiCall &g = c[i];
        t += std::to_string(g.op) + " " + std::to_string(g.x) + " " + std::to_string(g.y) + g.text + ";";
        const bool dentro = g.x > -100 && g.x < 1124 && g.y > -100 && g.y < 868 && g.text.size() < 100;
        EXPECT_TRUE(g.op > GdiCall::TextOut || ((g.x || g.y) && dentro)) << "a stray point: " << g.x << ", " << g.y;
    }
    return t;
}

class Desenho : public apoio::JanelaPrincipal {
protected:
    std::string regiao(int s, int u, Limites v) {
        Scoord = s, Medgrau = u, mostnum = ESCALA_VETORES;
        memcpy(reg, v.data(), sizeof reg);
        return depoisdoseixos(desenha(MODO_REGIAO));
    }
};

TEST_F(Desenho, ARegionIsDrawnAsItsLimitsInOrderWithinTheAngleCheck) {
    // Reversed pairs draw sorted and stay sorted; a huge or infinite angle is held within the
    // angle check for the drawing only (every sweep ends); radians draw as degrees; a negative
    // lower radius is raised to 0, but before the sort (5 and -3 give -3..5).
    const float I = INFINITY, R90 = float(90 * 3.1415 / 180);
    // clang-format off
    const struct { const char *nome; int s, u, ud; Limites e, d, depois; } rows[] = {
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
    // clang-format on
    for (auto &r : rows) {
        const std::string d = regiao(r.s, r.ud, r.d);
        EXPECT_TRUE(regiao(r.s, r.u, r.e) == d) << r.nome;
        EXPECT_EQ(memcmp(reg, r.depois.data(), sizeof reg), 0) << r.nome;
    }
}

TEST_F(Desenho, WhatIsNotFiniteIsNotDrawn) {
    const float I = INFINITY, N = NAN, F = 3.4e38f;
    // clang-format off
    const struct { const char *nome; int s; std::vector<std::vector<float>> vetores; Limites regiao; } rows[] = {
        {"infinite", CARTESIANO, {{I, 1, 2}, {3, 4, 5}}, {0, I, 0, 1, 0, 1}},
        {"nan", CARTESIANO, {{N, N, N}, {1, 2, 3}}, {N, 1, 0, N, 0, 1}},
        {"largest floats", CARTESIANO, {{F, -F, F}}, {-F, F, -F, F, 0, F}},
        {"infinite radius", ESFERICO, {{I, 10, 10}, {1, 20, 20}}, {0, I, 0, 90, 0, 1}},
        {"infinite angle", CILINDRICO, {{1, I, 1}}, {0, 1, N, 90, 0, 1}},
        {"huge and nan angles", ESFERICO, {{1, 1e30f, -1e30f}, {1, N, 1}}, {0, 1, N, 90, 0, N}},
    };
    // clang-format on
    for (auto &r : rows) {
        SCOPED_TRACE(r.nome);
        apoio::guarda(r.s, GRAUS, r.vetores);
        depoisdoseixos(desenha(MODO_VETORES));
        regiao(r.s, GRAUS, r.regiao);
    }
}

}  // namespace
