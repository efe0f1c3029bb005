// The region view: the limits put in order, the marks and labels of each stage, the sweeps of
// dots, and everything but the ordering undone afterwards.
#include <gtest/gtest.h>

#include "draw/tela.h"
#include "state/estado.h"
#include "testing/wintest.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

using wintest::GdiCall;
using Calls = std::vector<GdiCall>;

constexpr size_t EIXOS = 1 + 9 * 7;

// One stage of the drawing: its pen's colour, its ticks, labels and dots.
struct Estagio {
    COLORREF cor = 0;
    Calls ticks, rotulos, pontos;
};

class Region : public ::testing::Test {
protected:
    void SetUp() override {
        reiniciaestado();
        hFonte = CreateFontA(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman");
        for (int k = 0; k < MAXVETORES; ++k) caneta[k] = CreatePen(PS_SOLID, 2, Cor[k]);
        maxX = 1024;
        maxY = 768;
        dc = CreateCompatibleDC(nullptr);
    }
    void TearDown() override {
        DeleteDC(dc);
        for (HPEN p : caneta) DeleteObject(p);
        DeleteObject(hFonte);
        reiniciaestado();
    }
    void enter(int sistema, int unidade, float a0, float a1, float b0, float b1, float c0, float c1) {
        Scoord = sistema;
        Medgrau = unidade;
        const float v[3][2] = {{a0, a1}, {b0, b1}, {c0, c1}};
        memcpy(reg, v, sizeof reg);
    }
    Calls paint() {
        wintest::GdiRecorder rec;
        display(dc, MODO_REGIAO);
        Calls c = rec.calls();
        EXPECT_GE(c.size(), EIXOS);
        return Calls(c.begin() + long(std::min(EIXOS, c.size())), c.end());
    }
    // Splits the calls at each pen; a dot is a segment to (x + 1, y + 1), a tick one of 6 pixels.
    static std::vector<Estagio> stages(const Calls &calls) {
        std::vector<Estagio> out;
        for (size_t i = 0; i < calls.size(); ++i) {
            const GdiCall &c = calls[i];
            if (c.op == GdiCall::SelectPen) {
                out.emplace_back();
                out.back().cor = c.color;
                continue;
            }
            if (out.empty()) {
                ADD_FAILURE() << "drawing before the first pen";
                continue;
            }
            if (c.op == GdiCall::TextOut) out.back().rotulos.push_back(c);
            if (c.op != GdiCall::MoveTo) continue;
            EXPECT_LT(i + 1, calls.size());
            const GdiCall &l = calls[i + 1];
            EXPECT_EQ(l.op, GdiCall::LineTo);
            if (l.x == c.x + 1 && l.y == c.y + 1)
                out.back().pontos.push_back(c);
            else
                out.back().ticks.push_back(c);
        }
        return out;
    }
    HDC dc;
};

TEST_F(Region, ThreeStagesWithTheFirstThreePens) {
    for (int s : {CARTESIANO, CILINDRICO, ESFERICO}) {
        enter(s, GRAUS, 1, 2, 10, 80, 3, 90);
        auto st = stages(paint());
        ASSERT_EQ(st.size(), 3u) << s;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(st[i].cor, Cor[i]) << s;
            EXPECT_EQ(st[i].ticks.size(), 6u) << s << " two ticks on each of three axes";
            EXPECT_EQ(st[i].rotulos.size(), 6u) << s;
            EXPECT_FALSE(st[i].pontos.empty()) << s << " stage " << i;
        }
    }
}

TEST_F(Region, CartesianBoxIsScaledAndSweptOnItsGrid) {
    enter(CARTESIANO, GRAUS, -1, 1, 0, 2, 0, 3);
    mostnum = ESCALA_VETORES;
    auto st = stages(paint());
    ASSERT_EQ(st.size(), 3u);
    // valmax 80: x -80..80 by 7 and y 0..160 by 7 give 23 x 23 points, three dots each.
    EXPECT_EQ(st[0].pontos.size(), 3u * 23 * 23);
    // Their bottom-panel dots span x -80..74 and y 0..154 at 100/240.
    int minx = 10000, maxx = -10000, miny = 10000, maxy = -10000;
    for (size_t i = 2; i < st[0].pontos.size(); i += 3) {
        minx = std::min(minx, st[0].pontos[i].x);
        maxx = std::max(maxx, st[0].pontos[i].x);
        miny = std::min(miny, st[0].pontos[i].y);
        maxy = std::max(maxy, st[0].pontos[i].y);
    }
    EXPECT_EQ(minx, 716);  // 750 - 33.3
    EXPECT_EQ(maxx, 780);  // 750 + 30.8
    EXPECT_EQ(miny, 505);  // 570 - 64.2
    EXPECT_EQ(maxy, 570);
    // Stage 1 writes x on the main axis upper limit first, then y and x in the bottom panel.
    std::vector<std::string> t;
    for (auto &r : st[0].rotulos) t.push_back(r.text);
    EXPECT_EQ(t, (std::vector<std::string>{" 1.00", "-1.00", " 0.00", " 2.00", "-1.00", " 1.00"}));
    // The main x label of the upper limit stands 80 out along the axis.
    EXPECT_EQ(st[0].rotulos[0].x, int(300 - 80 * std::cos(angulox)));
    // z on the main axis: 0 at the origin, 3 at 240 above it.
    EXPECT_EQ(st[1].rotulos[1].x, 310);
    EXPECT_EQ(st[1].rotulos[1].y, 110);
}

TEST_F(Region, ReversedLimitsAreDrawnInOrderAndStaySorted) {
    struct Row {
        const char *name;
        int sistema;
        float entrada[6], ordenado[6];
    } rows[] = {
        {"cartesian", CARTESIANO, {1, -1, 2, 0, 3, 0}, {-1, 1, 0, 2, 0, 3}},
        {"cylindrical", CILINDRICO, {4, 1, 90, 10, 5, -5}, {1, 4, 10, 90, -5, 5}},
        {"spherical", ESFERICO, {4, 1, 120, 30, 300, 45}, {1, 4, 30, 120, 45, 300}},
    };
    for (auto &r : rows) {
        const float *o = r.ordenado, *e = r.entrada;
        enter(r.sistema, GRAUS, o[0], o[1], o[2], o[3], o[4], o[5]);
        Calls emordem = paint();
        enter(r.sistema, GRAUS, e[0], e[1], e[2], e[3], e[4], e[5]);
        Calls invertido = paint();
        ASSERT_EQ(invertido.size(), emordem.size()) << r.name;
        for (size_t i = 0; i < emordem.size(); ++i) {
            EXPECT_EQ(invertido[i].x, emordem[i].x) << r.name << " call " << i;
            EXPECT_EQ(invertido[i].y, emordem[i].y) << r.name << " call " << i;
            EXPECT_EQ(invertido[i].text, emordem[i].text) << r.name << " call " << i;
        }
        EXPECT_EQ(memcmp(reg, r.ordenado, sizeof reg), 0) << r.name << ": the listing shows them sorted";
    }
}

TEST_F(Region, NegativeLowerRadiusIsRaisedBeforeTheSort) {
    struct Row {
        const char *name;
        int sistema;
        float r0, r1, depois0, depois1;
        float outra;  // the lower radius after a second paint
    } rows[] = {
        {"cylindrical -2..5", CILINDRICO, -2, 5, 0, 5, 0},
        {"cylindrical 5..-3", CILINDRICO, 5, -3, -3, 5, 0},
        {"spherical -2..5", ESFERICO, -2, 5, 0, 5, 0},
        {"spherical 5..-3", ESFERICO, 5, -3, -3, 5, 0},
        {"cartesian x is no radius", CARTESIANO, -2, 5, -2, 5, -2},
    };
    for (auto &r : rows) {
        enter(r.sistema, GRAUS, r.r0, r.r1, 0, 90, 0, 90);
        paint();
        EXPECT_EQ(reg[0][0], r.depois0) << r.name;
        EXPECT_EQ(reg[0][1], r.depois1) << r.name;
        paint();
        EXPECT_EQ(reg[0][0], r.outra) << r.name << ", next paint";
        EXPECT_EQ(reg[0][1], r.depois1) << r.name << ", next paint";
    }
}

TEST_F(Region, AnglesAreSweptInRadiansAndListedAsEntered) {
    // phi 0..90 degrees: 0, 0.05, ..., 1.55 radians, 32 samples for each of the 35 radii
    // (0..238 by 7), three dots each.
    enter(CILINDRICO, GRAUS, 0, 1, 0, 90, 0, 1);
    auto st = stages(paint());
    ASSERT_EQ(st.size(), 3u);
    EXPECT_EQ(st[0].pontos.size(), 3u * 35 * 32);
    EXPECT_EQ(reg[1][0], 0.0f);
    EXPECT_EQ(reg[1][1], 90.0f) << "phi is kept in degrees";
    // The same in radians draws the same.
    Calls graus = paint();
    enter(CILINDRICO, RADIANOS, 0, 1, 0, float(90 * 3.1415 / 180), 0, 1);
    Calls rad = paint();
    ASSERT_EQ(rad.size(), graus.size());
    for (size_t i = 0; i < rad.size(); ++i) {
        EXPECT_EQ(rad[i].x, graus[i].x) << i;
        EXPECT_EQ(rad[i].y, graus[i].y) << i;
    }
}

TEST_F(Region, ScaleComesFromTheLengthsOnly) {
    // Radius and height below 1, phi up to a full turn: the region still fills the view.
    enter(CILINDRICO, RADIANOS, 0, 0.5f, 0, 6.283f, 0, 0.25f);
    auto st = stages(paint());
    ASSERT_EQ(st.size(), 3u);
    // The upper radius on the bottom panel's vertical axis: 240 scaled, 100 above 570.
    EXPECT_EQ(st[0].ticks[3].y, 470);
}

TEST_F(Region, EqualLimitsSweepOnceOnlyWithAFraction) {
    struct Row {
        const char *name;
        float x;
        size_t estagio1, estagio2;
    } rows[] = {
        // valmax 80: 1 gives 80, swept not at all; 1.01 gives 80.8, swept once at 80.
        {"whole", 1, 0, 0},
        {"with a fraction", 1.01f, 3 * 23, 3 * 27},
    };
    for (auto &r : rows) {
        enter(CARTESIANO, GRAUS, r.x, r.x, 0, 2, 0, 3);
        auto st = stages(paint());
        ASSERT_EQ(st.size(), 3u) << r.name;
        EXPECT_EQ(st[0].pontos.size(), r.estagio1) << r.name;
        EXPECT_EQ(st[1].pontos.size(), r.estagio2) << r.name;
        // Stage 3 still draws the faces x = x0 and x = x1, which coincide.
        ASSERT_FALSE(st[2].pontos.empty()) << r.name;
        for (size_t i = 0; i + 2 < st[2].pontos.size(); i += 3) {
            EXPECT_EQ(st[2].pontos[i].x, st[2].pontos[i + 1].x) << r.name;
            EXPECT_EQ(st[2].pontos[i].y, st[2].pontos[i + 1].y) << r.name;
        }
    }
}

TEST_F(Region, LabelsFollowTheScaleLabelMode) {
    std::vector<std::string> textos;
    for (int m : {ESCALA_NENHUMA, ESCALA_VETORES, ESCALA_MEDIA}) {
        enter(ESFERICO, GRAUS, 1, 2, 0, 90, 0, 90);
        mostnum = m;
        Calls c = paint();
        size_t t = 0;
        std::vector<std::string> estes;
        for (auto &g : c)
            if (g.op == GdiCall::TextOut) estes.push_back(g.text);
        for (auto &s : stages(c)) t += s.ticks.size();
        EXPECT_EQ(t, 18u) << "every tick in mode " << m;
        if (m == ESCALA_NENHUMA) {
            EXPECT_TRUE(estes.empty());
        } else {
            EXPECT_EQ(estes.size(), 18u) << m;
            if (!textos.empty()) {
                EXPECT_EQ(estes, textos) << "modes 1 and 2 write the same labels";
            }
            textos = estes;
        }
    }
}

TEST_F(Region, SphericalRadiusMarksOnEveryAxis) {
    enter(ESFERICO, GRAUS, 0, 10, 0, 180, 0, 360);
    auto st = stages(paint());
    ASSERT_EQ(st.size(), 3u);
    // The label of the upper radius (240 scaled) on each axis, stage by stage.
    struct Row {
        const char *eixo;
        int estagio, indice, x, y;
    } rows[] = {
        {"main x, 10 to the right", 0, 1, int(310 - 240 * std::cos(angulox)), int(350 + 240 * std::sin(anguloz))},
        {"middle panel, vertical", 0, 3, 760, 260},
        {"middle panel, horizontal", 0, 5, 850, 360},
        {"main z", 1, 1, 310, 110},
        {"bottom panel, horizontal, up 3", 1, 3, 850, 577},
        {"bottom panel, vertical, left 3", 1, 5, 757, 470},
        {"main y, up 3", 2, 1, int(300 + 240 * std::cos(angulox - 1.57075)), 357},
        {"top panel, vertical, left 3", 2, 3, 757, 50},
        {"top panel, horizontal, up 3", 2, 5, 850, 157},
    };
    for (auto &r : rows) {
        const GdiCall &t = st[r.estagio].rotulos[r.indice];
        EXPECT_EQ(t.text, "10.00") << r.eixo;
        EXPECT_NEAR(t.x, r.x, 1) << r.eixo;
        EXPECT_NEAR(t.y, r.y, 1) << r.eixo;
    }
    // A full shell: stage 3 sweeps 63 x 126 angles, four dots each.
    EXPECT_EQ(st[2].pontos.size(), 4u * 63 * 126);
}

TEST_F(Region, ReversedHugeAnglePairEndsAsAFullRange) {
    struct Row {
        const char *name;
        int sistema, unidade;
        float entrada[6], limitado[6];
    } rows[] = {
        {"cylindrical phi 1e30..10 degrees", CILINDRICO, GRAUS, {0, 1, 1e30f, 10, 0, 1}, {0, 1, 10, 360, 0, 1}},
        {"cylindrical phi 1e8..1 radians", CILINDRICO, RADIANOS, {0, 1, 1e8f, 1, 0, 1}, {0, 1, 1, 6.283f, 0, 1}},
        {"spherical theta and phi", ESFERICO, GRAUS, {0, 1, 5e7f, 20, 3e9f, 0}, {0, 1, 20, 180, 0, 360}},
        {"spherical infinite", ESFERICO, RADIANOS, {0, 1, INFINITY, 0, INFINITY, 1}, {0, 1, 0, 3.1415f, 1, 6.283f}},
    };
    for (auto &r : rows) {
        const float *e = r.entrada, *l = r.limitado;
        enter(r.sistema, r.unidade, l[0], l[1], l[2], l[3], l[4], l[5]);
        Calls inteiro = paint();
        enter(r.sistema, r.unidade, e[0], e[1], e[2], e[3], e[4], e[5]);
        Calls enorme = paint();
        EXPECT_EQ(enorme.size(), inteiro.size()) << r.name << ": drawn as the full range";
        // The pair is sorted in reg, not cut: the listing shows what was entered.
        EXPECT_EQ(reg[1][1], std::max(e[2], e[3])) << r.name;
    }
}

TEST_F(Region, LimitsThatAreNotFiniteDrawNoStrayPoint) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::nanf("");
    struct Row {
        const char *name;
        int sistema;
        float v[6];
    } rows[] = {
        {"infinite length", CARTESIANO, {0, inf, 0, 1, 0, 1}},
        {"not a number", CARTESIANO, {nan, 1, 0, nan, 0, 1}},
        {"largest floats", CARTESIANO, {-3.4e38f, 3.4e38f, -3.4e38f, 3.4e38f, 0, 3.4e38f}},
        {"infinite radius", CILINDRICO, {0, inf, 0, 90, 0, 1}},
        {"angle not a number", ESFERICO, {0, 1, nan, 90, 0, nan}},
    };
    for (auto &r : rows) {
        enter(r.sistema, GRAUS, r.v[0], r.v[1], r.v[2], r.v[3], r.v[4], r.v[5]);
        for (auto &g : paint())
            EXPECT_TRUE(g.x > -100 && g.x < 1124 && g.y > -100 && g.y < 868)
                << r.name << ": (" << g.x << ", " << g.y << ")";
    }
}

TEST_F(Region, NothingButTheSortingStaysInTheTable) {
    for (int s : {CARTESIANO, CILINDRICO, ESFERICO})
        for (int u : {GRAUS, RADIANOS}) {
            enter(s, u, 0.3f, 7.7f, 0.1f, 1.3f, 0.7f, 2.9f);
            float antes[3][2];
            memcpy(antes, reg, sizeof reg);
            paint();
            EXPECT_EQ(memcmp(antes, reg, sizeof reg), 0) << s << " " << u;
        }
}

}  // namespace
