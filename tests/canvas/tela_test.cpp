// The reference canvas: device pixels, the scale factors of the client area and the
// auto-scaling, which the drawings and the calculator all build on.
#include <gtest/gtest.h>

#include "canvas/tela.h"
#include "state/estado.h"

#include <cmath>
#include <limits>

namespace {

TEST(Pixel, TruncatesTowardZeroAndIsDefinedForEveryDouble) {
    const double inf = std::numeric_limits<double>::infinity();
    // clang-format off
    struct Row { double in; int out; } rows[] = {{2.7, 2}, {-2.7, -2}, {-0.0, 0}, {std::nan(""), 0}, {inf, 134217727},
                {-inf, -134217727}, {1e300, 134217727}, {-3e9, -134217727}, {134217726.9, 134217726}};
    // clang-format on
    for (auto &r : rows) EXPECT_EQ(pixel(r.in), r.out) << r.in;
}

// The reference size and its half are the stored scenes' (tests/cenas), every position in them.
TEST(Tela, ReferencePositionsFollowTheClientSize) {
    // clang-format off
    struct Row { int largura, altura; double refx, refy; int x, y; } rows[] = {
        {2048, 1536, 300.5, 350.5, 601, 701},
        {1024, 768, -2.7, -0.5, -2, 0},  // toward zero on the negative side too
    };
    // clang-format on
    for (auto &r : rows) {
        maxX = r.largura;
        maxY = r.altura;
        Tela t = telaatual();
        EXPECT_EQ(std::pair(t.x(r.refx), t.y(r.refy)), std::pair(r.x, r.y)) << r.largura << " x " << r.altura;
    }
    reiniciaestado();
}

TEST(EscalaAuto, LargestMagnitudeLandsAtTheTargetWithAFloorForNothing) {
    const float valores[] = {3, -12, 6};
    EXPECT_FLOAT_EQ(escalaauto(valores, 3), 20);  // |-12| counts
    EXPECT_FLOAT_EQ(escalaauto(valores, 0), 240000);
    const float zeros[] = {0, 0};
    EXPECT_FLOAT_EQ(escalaauto(zeros, 2), 240000);
}

}  // namespace
