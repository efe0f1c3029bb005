// The vector view: arrows, ticks, labels and arrowheads of the three coordinate systems,
// checked on the recorded GDI calls of a 1024 x 768 client area.
#include <gtest/gtest.h>

#include "draw/tela.h"
#include "state/estado.h"
#include "testing/wintest.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

using wintest::GdiCall;
using Calls = std::vector<GdiCall>;

// Font, then each of the nine axes as MoveTo, five LineTo and its letter.
constexpr size_t EIXOS = 1 + 9 * 7;

class Vectors : public ::testing::Test {
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
    void enter(int sistema, int unidade, std::vector<std::array<float, 3>> vs) {
        Scoord = sistema;
        Medgrau = unidade;
        numpt = int(vs.size());
        for (int k = 0; k < numpt; ++k)
            for (int e = 0; e < 3; ++e) vetores[e][k] = vs[size_t(k)][size_t(e)];
    }
    // What the paint draws after the axes.
    Calls paint() {
        wintest::GdiRecorder rec;
        display(dc, MODO_VETORES);
        Calls c = rec.calls();
        EXPECT_GE(c.size(), EIXOS);
        return Calls(c.begin() + long(std::min(EIXOS, c.size())), c.end());
    }
    // The calls of each vector, from the selection of its pen on.
    static std::vector<Calls> perVector(const Calls &calls) {
        std::vector<Calls> out;
        for (auto &c : calls) {
            if (c.op == GdiCall::SelectPen) out.emplace_back();
            if (!out.empty()) out.back().push_back(c);
        }
        return out;
    }
    static std::string ops(const Calls &calls) {
        std::string s;
        for (auto &c : calls) s += "MLTPFBRXYZ"[c.op];
        return s;
    }
    static Calls of(const Calls &calls, GdiCall::Op op) {
        Calls out;
        for (auto &c : calls)
            if (c.op == op) out.push_back(c);
        return out;
    }
    // Where the n-th arrow starts: a MoveTo followed by four LineTo (a tick has one).
    static size_t arrow(const Calls &calls, int n) {
        for (size_t i = 0; i + 4 < calls.size(); ++i)
            if (ops(Calls(calls.begin() + long(i), calls.begin() + long(i) + 5)) == "MLLLL" && n-- == 0) return i;
        ADD_FAILURE() << "no arrow " << n;
        return 0;
    }
    static GdiCall tip(const Calls &calls, int n) { return calls[arrow(calls, n) + 1]; }
    HDC dc;
};

TEST_F(Vectors, EachSystemDrawsItsStepsInOrder) {
    // M L: a tick; T: a label; M L L L L: an arrow and its head. Views: main, bottom, middle, top.
    struct Row {
        const char *name;
        int sistema;
        std::string passos;
    } rows[] = {
        {"cartesian", CARTESIANO,
         "P" "MLT" "MLT" "MLT" "MLLLL"
             "MLT" "MLT" "MLLLL" "MLT" "MLT" "MLLLL" "MLT" "MLT" "MLLLL"},
        {"cylindrical", CILINDRICO,
         "P" "T" "MLLLL" "ML" "T" "T" "ML" "ML"
             "MLLLL" "T" "ML" "ML" "T"
             "T" "T" "MLLLL" "ML" "ML"
             "T" "T" "MLLLL" "ML" "ML"},
        {"spherical", ESFERICO,
         "P" "T" "MLLLL" "T" "ML" "ML" "T" "ML"
             "MLLLL" "T" "ML" "T" "ML"
             "MLLLL" "T" "ML" "T" "ML"
             "MLLLL" "T" "ML" "T" "ML"},
    };
    for (auto &r : rows) {
        enter(r.sistema, GRAUS, {{3, 40, 70}});
        mostnum = ESCALA_VETORES;
        EXPECT_EQ(ops(paint()), r.passos) << r.name;
    }
}

TEST_F(Vectors, OneCartesianVectorAlongX) {
    enter(CARTESIANO, GRAUS, {{10, 0, 0}});
    mostnum = ESCALA_VETORES;
    Calls c = paint();
    GdiCall t = tip(c, 0);
    EXPECT_NEAR(t.x, 180, 1);
    EXPECT_NEAR(t.y, 470, 1);
    auto texts = of(c, GdiCall::TextOut);
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts[0].text, "10.00");
    EXPECT_NEAR(texts[0].x, 190, 1);
    EXPECT_NEAR(texts[0].y, 470, 1);
    // y just below the origin, z just to its right.
    EXPECT_EQ(texts[1].text, " 0.00");
    EXPECT_EQ(texts[1].x, 300);
    EXPECT_EQ(texts[1].y, 360);
    EXPECT_EQ(texts[2].text, " 0.00");
    EXPECT_EQ(texts[2].x, 312);
    EXPECT_EQ(texts[2].y, 350);
    // The y and z ticks stand on the origin.
    EXPECT_EQ(c[4].x, 300);
    EXPECT_EQ(c[4].y, 348);
    EXPECT_EQ(c[5].y, 352);
    EXPECT_EQ(c[7].x, 298);
    EXPECT_EQ(c[8].x, 302);
    EXPECT_EQ(c[8].y, 350);
}

TEST_F(Vectors, LengthsShareOneScale) {
    enter(CARTESIANO, GRAUS, {{2, 0, 0}, {0, 4, 0}});
    auto vs = perVector(paint());
    ASSERT_EQ(vs.size(), 2u);
    // 120 and 240 reference pixels out: along x in the main view, then along y.
    GdiCall a = tip(vs[0], 0), b = tip(vs[1], 0);
    EXPECT_NEAR(a.x, 300 - 120 * std::cos(angulox), 1);
    EXPECT_NEAR(a.y, 350 + 120 * std::sin(anguloz), 1);
    EXPECT_NEAR(b.x, 540, 1);
    EXPECT_EQ(b.y, 350);
    // In the bottom panel the same lengths stand at 50 and 100.
    EXPECT_NEAR(tip(vs[0], 1).x, 800, 1);
    EXPECT_NEAR(tip(vs[1], 1).y, 470, 1);
}

TEST_F(Vectors, TipsOfTheSameVectorInEachSystem) {
    struct Row {
        const char *name;
        int sistema, unidade;
        std::array<float, 3> v;
        double mainx, mainy;
    } rows[] = {
        {"cartesian (0, 5, 0)", CARTESIANO, GRAUS, {0, 5, 0}, 540, 350},
        {"cylindrical rho 5, phi 90 degrees", CILINDRICO, GRAUS, {5, 90, 0}, 507.8, 350},
        {"cylindrical phi 1.57075 radians", CILINDRICO, RADIANOS, {5, 1.57075f, 0}, 507.8, 350},
        {"spherical r 5, theta 90, phi 90", ESFERICO, GRAUS, {5, 90, 90}, 507.8, 350},
    };
    for (auto &r : rows) {
        enter(r.sistema, r.unidade, {r.v});
        Calls c = paint();
        EXPECT_NEAR(tip(c, 0).x, r.mainx, 1) << r.name;
        EXPECT_NEAR(tip(c, 0).y, r.mainy, 1) << r.name;
        // The panels agree whatever the system: bottom (x-y) at (750, 470).
        EXPECT_NEAR(tip(c, 1).x, 750, 1) << r.name;
        EXPECT_NEAR(tip(c, 1).y, 470, 1) << r.name;
    }
}

TEST_F(Vectors, ArrowheadsFollowTheTipsPosition) {
    // (10, 0, 0): tip (179.98, 470.01); the head's angle is atan2(x, y) of the tip, not the
    // vector's direction.
    enter(CARTESIANO, GRAUS, {{10, 0, 0}});
    Calls c = paint();
    size_t i = arrow(c, 0);
    EXPECT_EQ(c[i + 2].x, 178);
    EXPECT_EQ(c[i + 2].y, 472);
    EXPECT_EQ(c[i + 3].x, 182);
    EXPECT_EQ(c[i + 3].y, 471);
    EXPECT_EQ(c[i + 4].x, c[i + 1].x) << "shape A closes at the tip";
    EXPECT_EQ(c[i + 4].y, c[i + 1].y);
}

TEST_F(Vectors, MainArrowOfCurvedSystemsIsTheOpenShape) {
    for (int s : {CILINDRICO, ESFERICO}) {
        enter(s, GRAUS, {{5, 90, 90}});
        Calls c = paint();
        size_t i = arrow(c, 0);
        const GdiCall &t = c[i + 1], &last = c[i + 4];
        EXPECT_EQ(last.y, t.y) << "shape B ends level with the tip, " << s;
        EXPECT_NE(last.x, t.x) << "and does not return to it, " << s;
        EXPECT_EQ(last.x, c[i + 3].x) << s;
    }
}

TEST_F(Vectors, ATipOnTheGuardedZeroTakesTheRightAngle) {
    // A client area of no width or height puts every tip on (0, 0).
    maxX = 0;
    maxY = 0;
    for (int s : {CARTESIANO, CILINDRICO, ESFERICO}) {
        enter(s, GRAUS, {{1, 1, 1}});
        Calls c = paint();
        const GdiCall *a = &c[arrow(c, 1)];  // a panel arrow: shape A
        EXPECT_EQ(a[1].x, 0) << s;
        EXPECT_EQ(a[1].y, 0) << s;
        // (-3 sin, 3 cos) then (3 cos, 3 sin) of 1.57075, truncated.
        EXPECT_EQ(a[2].x, -2) << s;
        EXPECT_EQ(a[2].y, 0) << s;
        EXPECT_EQ(a[3].x, 0) << s;
        EXPECT_EQ(a[3].y, 2) << s;
    }
}

TEST_F(Vectors, ZeroVectorCollapsesOntoTheOriginsWithItsHeads) {
    for (int s : {CARTESIANO, CILINDRICO, ESFERICO}) {
        enter(s, GRAUS, {{0, 0, 0}});
        Calls c = paint();
        const std::pair<int, int> origens[] = {{300, 350}, {750, 570}, {750, 360}, {750, 150}};
        for (int n = 0; n < 4; ++n) {
            GdiCall t = tip(c, n);
            EXPECT_EQ(t.x, origens[n].first) << s << " view " << n;
            EXPECT_EQ(t.y, origens[n].second) << s << " view " << n;
        }
    }
}

TEST_F(Vectors, FifteenVectorsUseTheirPensAndStackTheirLabels) {
    std::vector<std::array<float, 3>> vs(MAXVETORES, {1, 0, 0});
    enter(CILINDRICO, GRAUS, vs);
    mostnum = ESCALA_VETORES;
    auto per = perVector(paint());
    ASSERT_EQ(per.size(), size_t(MAXVETORES));
    for (int k = 0; k < MAXVETORES; ++k) {
        EXPECT_EQ(per[k][0].color, Cor[k]) << k;
        EXPECT_EQ(per[k][0].width, 2) << k;
        // Stacked labels of rho on the horizontal axes, in order: main, bottom, middle, top.
        const std::pair<int, int> bases[] = {{540, 355}, {850, 575}, {850, 365}, {850, 155}};
        Calls empilhados;
        for (auto &t : of(per[k], GdiCall::TextOut))
            if (t.x == 540 || t.x == 850) empilhados.push_back(t);
        ASSERT_EQ(empilhados.size(), 4u) << k;
        for (int n = 0; n < 4; ++n) {
            EXPECT_EQ(empilhados[n].x, bases[n].first) << "vector " << k;
            EXPECT_EQ(empilhados[n].y - bases[n].second, 2 + 11 * k) << "vector " << k << " label " << n;
        }
    }
}

TEST_F(Vectors, ScaleLabelModes) {
    struct Row {
        const char *name;
        int modo;
        size_t textos;
        const char *primeiro;
    } rows[] = {
        {"no labels", ESCALA_NENHUMA, 0, nullptr},
        {"each vector's values", ESCALA_VETORES, 9, " 3.00"},
        {"M and M/2 only", ESCALA_MEDIA, 18, " 4.00"},
    };
    size_t ticks = 0;
    for (auto &r : rows) {
        enter(CARTESIANO, GRAUS, {{3, -4, 1}});
        mostnum = r.modo;
        Calls c = paint();
        auto t = of(c, GdiCall::TextOut);
        ASSERT_EQ(t.size(), r.textos) << r.name;
        if (r.primeiro) {
            EXPECT_EQ(t[0].text, r.primeiro) << r.name;
        }
        size_t m = of(c, GdiCall::MoveTo).size();
        if (ticks) {
            EXPECT_EQ(m, ticks) << "ticks and arrows in every mode: " << r.name;
        }
        ticks = m;
    }
}

TEST_F(Vectors, NoVectorsDrawNothingButTheScale) {
    enter(CARTESIANO, GRAUS, {});
    mostnum = ESCALA_VETORES;
    EXPECT_TRUE(paint().empty());
    Scoord = 0;  // a system no drawing knows: the axes alone, not even the scale
    mostnum = ESCALA_MEDIA;
    EXPECT_TRUE(paint().empty());
}

TEST_F(Vectors, TheTableIsUnchangedAfterThePaint) {
    for (int s : {CARTESIANO, CILINDRICO, ESFERICO}) {
        enter(s, GRAUS, {{1.1f, 33.3f, -7.7f}, {250, 359.9f, 0.3f}, {-0.0f, 1e-7f, 12345.678f}});
        float antes[3][MAXVETORES];
        memcpy(antes, vetores, sizeof antes);
        for (int m : {ESCALA_NENHUMA, ESCALA_VETORES, ESCALA_MEDIA}) {
            mostnum = m;
            paint();
            EXPECT_EQ(memcmp(antes, vetores, sizeof antes), 0) << s << " mostnum " << m;
        }
    }
}

TEST_F(Vectors, ValuesBeyondTheFloatRangeDrawNothingUndefined) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::nanf("");
    struct Row {
        const char *name;
        int sistema;
        std::vector<std::array<float, 3>> vs;
    } rows[] = {
        {"infinite length", CARTESIANO, {{inf, 1, 2}, {3, 4, 5}}},
        {"not a number", CARTESIANO, {{nan, nan, nan}, {1, 2, 3}}},
        {"largest floats", CARTESIANO, {{3.4e38f, -3.4e38f, 3.4e38f}}},
        {"infinite radius", ESFERICO, {{inf, 10, 10}, {1, 20, 20}}},
        {"infinite angle", CILINDRICO, {{1, inf, 1}}},
        {"huge angle", ESFERICO, {{1, 1e30f, -1e30f}}},
    };
    for (auto &r : rows) {
        enter(r.sistema, GRAUS, r.vs);
        mostnum = ESCALA_VETORES;
        Calls c = paint();
        for (auto &g : c) {
            EXPECT_TRUE(g.x > -100 && g.x < 1124 && g.y > -100 && g.y < 868)
                << r.name << ": a point that is not finite is not drawn (" << g.x << ", " << g.y << ")";
            EXPECT_LT(g.text.size(), 100u) << r.name;
        }
    }
}

}  // namespace
