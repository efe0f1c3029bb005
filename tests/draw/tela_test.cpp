// The drawing frame: device pixels, the axes of the view and the panels, the scale labels and
// the start-up picture, checked on the recorded GDI calls.
#include <gtest/gtest.h>

#include "draw/tela.h"
#include "state/estado.h"
#include "testing/wintest.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using wintest::GdiCall;

class Frame : public ::testing::Test {
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
    std::vector<GdiCall> paint(int modo) {
        wintest::GdiRecorder rec;
        display(dc, modo);
        return rec.calls();
    }
    static std::vector<std::string> texts(const std::vector<GdiCall> &calls) {
        std::vector<std::string> out;
        for (auto &c : calls)
            if (c.op == GdiCall::TextOut) out.push_back(c.text);
        return out;
    }
    HDC dc;
};

TEST(Pixel, TruncatesTowardZeroAndIsDefinedForEveryDouble) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        const char *name;
        double in;
        int out;
    } rows[] = {
        {"positive fraction", 2.7, 2},        {"negative fraction", -2.7, -2},
        {"negative zero", -0.0, 0},           {"not a number", std::nan(""), 0},
        {"plus infinity", inf, 134217727},    {"minus infinity", -inf, -134217727},
        {"beyond int", 1e300, 134217727},     {"far below int", -3e9, -134217727},
        {"just inside", 134217726.9, 134217726},
    };
    for (auto &r : rows) EXPECT_EQ(pixel(r.in), r.out) << r.name;
}

TEST_F(Frame, ScaleFactorsFollowTheClientArea) {
    maxX = 512;
    maxY = 384;
    Tela t = telaatual();
    EXPECT_FLOAT_EQ(t.maxx, 0.5f);
    EXPECT_FLOAT_EQ(t.maxy, 0.5f);
}

TEST_F(Frame, AxesAreDrawnInOrderWithArrowheadsAndLetters) {
    auto calls = paint(MODO_REGIAO);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].op, GdiCall::SelectFont);
    EXPECT_EQ(calls[0].width, 12);
    // Each axis: MoveTo, LineTo to the tip, four LineTo of the arrowhead, the letter. The
    // region's own marks follow the axes.
    ASSERT_GE(calls.size(), 1u + 9 * 7);
    std::string letters;
    for (int a = 0; a < 9; ++a) {
        const GdiCall *axis = &calls[1 + 7 * a];
        EXPECT_EQ(axis[0].op, GdiCall::MoveTo) << a;
        for (int k = 1; k <= 5; ++k) EXPECT_EQ(axis[k].op, GdiCall::LineTo) << a;
        EXPECT_EQ(axis[5].x, axis[1].x) << "the arrowhead ends at the tip, axis " << a;
        EXPECT_EQ(axis[5].y, axis[1].y) << "the arrowhead ends at the tip, axis " << a;
        ASSERT_EQ(axis[6].op, GdiCall::TextOut);
        letters += axis[6].text;
    }
    EXPECT_EQ(letters, "zyxzyzxyx");
}

TEST_F(Frame, MainXAxisAtTheInitialAnglesAndReferenceSize) {
    auto calls = paint(MODO_REGIAO);
    const GdiCall *x = &calls[1 + 7 * 2];
    EXPECT_EQ(x[0].x, 425);
    EXPECT_EQ(x[0].y, 225);
    EXPECT_EQ(x[1].x, 174);
    EXPECT_EQ(x[1].y, 474);
    EXPECT_EQ(x[6].x, 177);
    EXPECT_EQ(x[6].y, 477);
}

TEST_F(Frame, HalfSizeHalvesEveryPositionButNotTheFont) {
    auto full = paint(MODO_REGIAO);
    maxX = 512;
    maxY = 384;
    auto half = paint(MODO_REGIAO);
    ASSERT_EQ(full.size(), half.size());
    EXPECT_EQ(half[0].width, 12) << "the font is not scaled";
    // Reference positions on even pixels halve exactly: the z axis of the main view.
    EXPECT_EQ(half[1].x, 150);
    EXPECT_EQ(half[1].y, 300);
    EXPECT_EQ(half[2].y, 50);
    // The axes; the region's ticks keep their size in device pixels.
    for (size_t i = 1; i < 1 + 9 * 7; ++i) {
        EXPECT_NEAR(half[i].x, full[i].x / 2.0, 1.0) << i;
        EXPECT_NEAR(half[i].y, full[i].y / 2.0, 1.0) << i;
    }
}

TEST_F(Frame, ModesOutsideTheTableDrawNothingButSelectTheFont) {
    for (int modo : {0, 10, 99, -1}) {
        auto calls = paint(modo);
        ASSERT_EQ(calls.size(), 1u) << modo;
        EXPECT_EQ(calls[0].op, GdiCall::SelectFont) << modo;
    }
}

TEST_F(Frame, ScaleLabelsOfTheLargestValue) {
    struct Row {
        const char *name;
        int sistema;
        std::vector<std::vector<float>> vetores;
        const char *m, *meio;
    } rows[] = {
        {"nothing to draw", CARTESIANO, {}, " 0.00", " 0.00"},
        {"zeros", CARTESIANO, {{0, 0, 0}}, " 0.00", " 0.00"},
        {"largest 10", CARTESIANO, {{1, -10, 3}, {2, 2, 2}}, "10.00", " 5.00"},
        {"largest 250 is wider than five", CARTESIANO, {{250, 0, 0}}, "250.00", "125.00"},
        {"cylindrical leaves phi out", CILINDRICO, {{2, 300, -4}}, " 4.00", " 2.00"},
        {"spherical takes r only", ESFERICO, {{3, 170, 350}}, " 3.00", " 1.50"},
    };
    for (auto &r : rows) {
        mostnum = ESCALA_MEDIA;
        Scoord = r.sistema;
        numpt = int(r.vetores.size());
        for (int k = 0; k < numpt; ++k)
            for (int e = 0; e < 3; ++e) vetores[e][k] = r.vetores[size_t(k)][size_t(e)];
        auto t = texts(paint(MODO_VETORES));
        ASSERT_EQ(t.size(), 9u + 18u) << r.name;  // nine axis letters, then M and M/2 nine times
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(t[size_t(9 + 2 * i)], r.m) << r.name;
            EXPECT_EQ(t[size_t(10 + 2 * i)], r.meio) << r.name;
        }
    }
}

TEST_F(Frame, ScaleLabelPositions) {
    mostnum = ESCALA_MEDIA;
    auto calls = paint(MODO_VETORES);
    std::vector<std::pair<int, int>> at;
    for (auto &c : calls)
        if (c.op == GdiCall::TextOut && c.text == " 0.00") at.emplace_back(c.x, c.y);
    ASSERT_EQ(at.size(), 18u);
    // Main x axis at 240 and 120 along it, then the fixed places of the other axes.
    EXPECT_EQ(at[0], std::make_pair(179, 469));
    EXPECT_EQ(at[2], std::make_pair(540, 360));
    EXPECT_EQ(at[3], std::make_pair(420, 360));
    EXPECT_EQ(at[17], std::make_pair(795, 160));
}

TEST_F(Frame, OtherScaleModesWriteNoScaleLabels) {
    for (int m : {ESCALA_NENHUMA, ESCALA_VETORES}) {
        mostnum = m;
        EXPECT_EQ(texts(paint(MODO_VETORES)).size(), 9u) << m;
    }
}

TEST_F(Frame, SplashWritesItsLineAndCopiesTheBitmap) {
    BMP_Orbix = LoadBitmapA(wintest::Instance(), "BITMAPOrbix");
    auto calls = paint(MODO_ABERTURA);
    auto t = texts(calls);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0], "Carregando o ORBIX...");
    auto blit = std::find_if(calls.begin(), calls.end(), [](auto &c) { return c.op == GdiCall::BitBlt; });
    ASSERT_NE(blit, calls.end());
    EXPECT_EQ(blit->x, 100);
    EXPECT_EQ(blit->y, 50);
    EXPECT_EQ(blit->x2, 800);
    EXPECT_EQ(blit->y2, 600);
    DeleteObject(BMP_Orbix);
}

TEST_F(Frame, PaintLeavesTheVectorTableAsItFoundIt) {
    numpt = 2;
    vetores[0][0] = 1.5f;
    vetores[2][1] = -7.25f;
    mostnum = ESCALA_MEDIA;
    paint(MODO_VETORES);
    EXPECT_EQ(vetores[0][0], 1.5f);
    EXPECT_EQ(vetores[2][1], -7.25f);
}

}  // namespace
