// GDI scaling: on a screen of device pixel ratio r the client image is kept at device
// resolution and every GDI call is rendered there, while the program keeps its logical
// coordinates. Logical pixel v covers the device pixels whose centres fall inside [v r, (v+1) r).
// CTest runs these at QT_SCALE_FACTOR 2 and 1.5 as well as unscaled, and the screen change on two
// screens of different ratios.
#include <gtest/gtest.h>

#include "testing/wintest.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>
namespace {

const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kGray = RGB(128, 128, 128);

// The ratio the process runs at, as the test registration asked for it.
double Ratio() {
    const char *f = std::getenv("QT_SCALE_FACTOR");
    return f ? std::max(1.0, std::atof(f)) : 1.0;
}
// The first device pixel of logical pixel v (and the one after logical pixel v - 1).
int Edge(int v, double r = Ratio()) { return int(std::ceil(v * r - 0.5)); }


class GdiScaling : public ::testing::Test {
protected:
    void SetUp() override {
        hwnd = wintest::TestWindow("GdiScaling", DefWindowProcA, WS_OVERLAPPEDWINDOW, true);
        ASSERT_TRUE(hwnd);
        wintest::Pump();
        dc = GetDC(hwnd);
    }
    void TearDown() override {
        ReleaseDC(hwnd, dc);
        DestroyWindow(hwnd);
        wintest::Pump();
    }
    COLORREF dev(int x, int y) { return wintest::ClientDevicePixel(hwnd, x, y); }
    // The whole client area in one colour, through a brush as the program would.
    void paintAll(HDC on, int stockBrush, int w = 1024, int h = 768) {
        HGDIOBJ oldPen = SelectObject(on, GetStockObject(NULL_PEN));
        HGDIOBJ oldBrush = SelectObject(on, GetStockObject(stockBrush));
        Rectangle(on, 0, 0, w, h);
        SelectObject(on, oldBrush);
        SelectObject(on, oldPen);
    }
    // The device pixels of colour c on a device column (or row) from a to b, as [first, last]
    // runs.
    std::vector<std::pair<int, int>> runs(bool column, int at, int a, int b, COLORREF c) {
        std::vector<std::pair<int, int>> out;
        for (int i = a; i <= b; ++i) {
            if ((column ? dev(at, i) : dev(i, at)) != c) continue;
            if (!out.empty() && out.back().second == i - 1)
                out.back().second = i;
            else
                out.emplace_back(i, i);
        }
        return out;
    }
    HWND hwnd;
    HDC dc;
};

TEST_F(GdiScaling, ClientImageIsTheLogicalAreaAtTheScreensRatio) {
    for (auto [w, h] : {std::pair{1024, 768}, {512, 384}, {333, 211}}) {
        wintest::SetClientSize(hwnd, w, h);
        RECT r;
        GetClientRect(hwnd, &r);
        EXPECT_EQ(std::make_pair(r.right, r.bottom), std::make_pair(LONG(w), LONG(h))) << "the program's size";
        EXPECT_DOUBLE_EQ(wintest::ClientDeviceRatio(hwnd), Ratio());
        SIZE s = wintest::ClientDeviceSize(hwnd);
        EXPECT_EQ(std::make_pair(s.cx, s.cy), std::make_pair(LONG(Edge(w)), LONG(Edge(h)))) << w;
    }
}

TEST_F(GdiScaling, StrokesAlongTheAxesCoverTheSquaresOfTheirPixels) {
    // The logical pixels a square-capped stroke covers: w/2 before the line, the rest after it.
    struct Row {
        int width;
        POINT from, to;
        RECT ink;  // logical, inclusive
    } rows[] = {
        {1, {10, 50}, {100, 50}, {10, 50, 100, 50}},
        {1, {60, 90}, {60, 10}, {60, 10, 60, 90}},
        {2, {10, 121}, {100, 121}, {9, 120, 100, 121}},
        {3, {201, 10}, {201, 90}, {200, 9, 202, 91}},
    };
    for (auto &r : rows) {
        paintAll(dc, WHITE_BRUSH);
        HPEN pen = CreatePen(PS_SOLID, r.width, kBlack);
        SelectObject(dc, pen);
        MoveToEx(dc, r.from.x, r.from.y, nullptr);
        LineTo(dc, r.to.x, r.to.y);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        DeleteObject(pen);
        const int midx = Edge((r.ink.left + r.ink.right) / 2), midy = Edge((r.ink.top + r.ink.bottom) / 2);
        const auto across = runs(true, midx, 0, Edge(200), kBlack);
        const auto along = runs(false, midy, 0, Edge(300), kBlack);
        ASSERT_EQ(across.size(), 1u) << r.width << " at " << r.from.x;
        ASSERT_EQ(along.size(), 1u) << r.width << " at " << r.from.x;
        EXPECT_EQ(across[0], std::make_pair(Edge(r.ink.top), Edge(r.ink.bottom + 1) - 1)) << r.width;
        EXPECT_EQ(along[0], std::make_pair(Edge(r.ink.left), Edge(r.ink.right + 1) - 1)) << r.width;
    }
}

TEST_F(GdiScaling, OnePixelStepsAreSquaresOfThePenWidth) {
    HPEN green = CreatePen(PS_SOLID, 2, RGB(0, 255, 0));
    struct Row {
        HGDIOBJ pen;
        POINT from, to;
        RECT ink;  // logical, inclusive
    } rows[] = {
        {green, {100, 100}, {101, 101}, {99, 99, 101, 101}},
        {green, {120, 100}, {120, 100}, {119, 99, 120, 100}},
        {GetStockObject(BLACK_PEN), {140, 100}, {141, 100}, {140, 100, 140, 100}},  // GDI leaves out the end
    };
    for (auto &r : rows) {
        paintAll(dc, WHITE_BRUSH);
        SelectObject(dc, r.pen);
        MoveToEx(dc, r.from.x, r.from.y, nullptr);
        LineTo(dc, r.to.x, r.to.y);
        const int l = Edge(r.ink.left), t = Edge(r.ink.top), rr = Edge(r.ink.right + 1), b = Edge(r.ink.bottom + 1);
        for (int y = t - 1; y <= b; ++y)
            for (int x = l - 1; x <= rr; ++x) {
                bool inside = x >= l && x < rr && y >= t && y < b;
                EXPECT_EQ(dev(x, y) != kWhite, inside) << r.from.x << ": device " << x << "," << y;
            }
    }
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(green);
}

TEST_F(GdiScaling, SlantedLinesHaveNoGapAndThePenRatioTimesWider) {
    struct Row {
        int width;
        POINT from, to;
    } rows[] = {
        {1, {425, 225}, {174, 474}},  // the oblique axis of the program's view
        {1, {20, 300}, {500, 360}},   // shallow
        {1, {600, 20}, {640, 500}},   // steep
        {2, {700, 600}, {900, 420}},
    };
    const double r = Ratio();
    for (auto &row : rows) {
        paintAll(dc, WHITE_BRUSH);
        HPEN pen = CreatePen(PS_SOLID, row.width, kBlack);
        SelectObject(dc, pen);
        MoveToEx(dc, row.from.x, row.from.y, nullptr);
        LineTo(dc, row.to.x, row.to.y);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        DeleteObject(pen);
        // Walk the major direction in device pixels, from the middle of one end's square to the
        // other's: the ink of each step touches the ink of the step before.
        const bool steep = std::abs(row.to.y - row.from.y) > std::abs(row.to.x - row.from.x);
        auto mid = [r](int v) { return (v + 0.5) * r - 0.5; };
        double a0 = mid(steep ? row.from.y : row.from.x), a1 = mid(steep ? row.to.y : row.to.x);
        double b0 = mid(steep ? row.from.x : row.from.y), b1 = mid(steep ? row.to.x : row.to.y);
        int lo = int(std::ceil(std::min(a0, a1))), hi = int(std::floor(std::max(a0, a1)));
        std::pair<int, int> before{0, -1};
        int thinnest = 1 << 20;
        for (int a = lo; a <= hi; ++a) {
            int b = int(std::lround(b0 + (b1 - b0) * (a - a0) / (a1 - a0)));
            auto ink = runs(!steep, a, b - 4 * int(r) - 4, b + 4 * int(r) + 4, kBlack);
            ASSERT_EQ(ink.size(), 1u) << "a gap at device " << a << " of the line from " << row.from.x;
            if (before.second >= before.first) {
                EXPECT_LE(ink[0].first, before.second + 1) << a;
                EXPECT_GE(ink[0].second, before.first - 1) << a;
            }
            before = ink[0];
            thinnest = std::min(thinnest, ink[0].second - ink[0].first + 1);
        }
        EXPECT_GE(thinnest, int(row.width * r)) << "a pen " << row.width << " wide at " << row.from.x;
    }
}

TEST_F(GdiScaling, TextIsSetInTheScaledFontOnTheBoxOfItsLogicalExtent) {
    HFONT font = CreateFontA(20, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman");
    const char *text = "Mg ORBIX";
    // At ratio 1, on a bitmap: the reference.
    HBITMAP bmp = LoadBitmapA(wintest::Instance(), "BITMAPOrbix");
    HDC mem = CreateCompatibleDC(dc);
    SelectObject(mem, bmp);
    SelectObject(mem, font);
    paintAll(mem, GRAY_BRUSH, 549, 422);
    TextOutA(mem, 20, 30, text, 8);
    // On the window, at the screen's ratio.
    SelectObject(dc, font);
    paintAll(dc, GRAY_BRUSH);
    TextOutA(dc, 20, 30, text, 8);
    SIZE box;
    ASSERT_TRUE(GetTextExtentPoint32A(dc, text, 8, &box));
    const int l = Edge(20), t = Edge(30), rr = Edge(20 + box.cx), b = Edge(30 + box.cy);
    EXPECT_EQ(dev(l, t), kWhite) << "the box starts at the corner's square";
    EXPECT_EQ(dev(rr - 1, b - 1), kWhite);
    EXPECT_EQ(dev(l - 1, t), kGray);
    EXPECT_EQ(dev(l, t - 1), kGray);
    EXPECT_EQ(dev(rr, b - 1), kGray) << "nor wider than the logical extent";
    EXPECT_EQ(dev(l, b), kGray);
    // The ink of the glyphs, at each ratio.
    RECT one{1 << 20, 1 << 20, -1, -1}, scaled = one;
    auto grow = [](RECT &k, int x, int y) {
        k = RECT{std::min(k.left, LONG(x)), std::min(k.top, LONG(y)), std::max(k.right, LONG(x)),
                 std::max(k.bottom, LONG(y))};
    };
    bool enlarged = true;  // every device pixel is the colour of its logical pixel at ratio 1
    for (int y = 30; y < 30 + box.cy; ++y)
        for (int x = 20; x < 20 + box.cx; ++x)
            if (GetPixel(mem, x, y) == kBlack) grow(one, x, y);
    for (int y = t; y < b; ++y)
        for (int x = l; x < rr; ++x) {
            if (dev(x, y) == kBlack) grow(scaled, x, y);
            int lx = int(std::floor((x + 0.5) / Ratio())), ly = int(std::floor((y + 0.5) / Ratio()));
            if (dev(x, y) != GetPixel(mem, lx, ly)) enlarged = false;
        }
    const double r = Ratio();
    EXPECT_NEAR(scaled.bottom - scaled.top + 1, r * (one.bottom - one.top + 1), 1.5 * r) << "the height";
    EXPECT_NEAR(scaled.right - scaled.left + 1, r * (one.right - one.left + 1), 3 * r) << "the width";
    if (r == 1)
        EXPECT_TRUE(enlarged) << "unscaled, the window draws what a bitmap draws";
    else
        EXPECT_FALSE(enlarged) << "the glyphs are drawn at the device size, not blown up";
    DeleteDC(mem);
    DeleteObject(bmp);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

TEST_F(GdiScaling, RectanglesFillAndOutlineTheSquaresOfTheirPixels) {
    paintAll(dc, GRAY_BRUSH);
    Rectangle(dc, 50, 60, 150, 120);  // black one-pixel pen, white brush
    const auto column = runs(true, Edge(100), Edge(55), Edge(125) - 1, kBlack);
    ASSERT_EQ(column.size(), 2u);
    EXPECT_EQ(column[0], std::make_pair(Edge(60), Edge(61) - 1));
    EXPECT_EQ(column[1], std::make_pair(Edge(119), Edge(120) - 1)) << "the bottom edge is inside";
    EXPECT_EQ(dev(Edge(100), Edge(90)), kWhite);
    EXPECT_EQ(dev(Edge(100), Edge(120)), kGray);
    EXPECT_EQ(runs(false, Edge(90), Edge(45), Edge(155) - 1, kBlack),
              (std::vector<std::pair<int, int>>{{Edge(50), Edge(51) - 1}, {Edge(149), Edge(150) - 1}}));
}

TEST_F(GdiScaling, BitmapsAreStretchedOnTheWindowAndReadBackInLogicalPixels) {
    HBITMAP bmp = LoadBitmapA(wintest::Instance(), "BITMAPOrbix");
    HBITMAP copy = LoadBitmapA(wintest::Instance(), "BITMAPOrbix");
    ASSERT_TRUE(bmp && copy);
    HDC mem = CreateCompatibleDC(dc), back = CreateCompatibleDC(dc);
    SelectObject(mem, bmp);
    SelectObject(back, copy);
    paintAll(dc, BLACK_BRUSH);
    ASSERT_TRUE(BitBlt(dc, 100, 50, 800, 600, mem, 0, 0, SRCCOPY));
    MoveToEx(dc, 150, 60, nullptr);  // a line across the picture, one logical pixel high
    LineTo(dc, 250, 60);
    ASSERT_TRUE(BitBlt(back, 0, 0, 549, 422, dc, 100, 50, SRCCOPY));
    // Where the picture is even (a pixel the colour of its neighbours), a smooth stretch keeps
    // the colour: the window shows it, and a blit back to a bitmap returns it.
    int even = 0;
    for (int by = 1; by < 421; by += 7)
        for (int bx = 1; bx < 548; bx += 7) {
            COLORREF c = GetPixel(mem, bx, by);
            bool flat = true;
            for (int j = -1; j <= 1; ++j)
                for (int i = -1; i <= 1; ++i) flat = flat && GetPixel(mem, bx + i, by + j) == c;
            if (!flat) continue;
            ++even;
            EXPECT_EQ(GetPixel(dc, 100 + bx, 50 + by), c) << bx << "," << by;
            EXPECT_EQ(GetPixel(back, bx, by), c) << bx << "," << by;
        }
    EXPECT_GT(even, 1000);
    EXPECT_EQ(GetPixel(back, 100, 10), kBlack) << "the line, one bitmap pixel high";
    EXPECT_NE(GetPixel(back, 100, 9), kBlack);
    EXPECT_NE(GetPixel(back, 100, 11), kBlack);
    EXPECT_EQ(GetPixel(dc, 100 + 549 + 5, 60), kWhite) << "right of the 549-pixel bitmap";
    EXPECT_EQ(dev(Edge(100) - 1, Edge(60)), kBlack) << "outside the copied rectangle";
    DeleteDC(mem);
    DeleteDC(back);
    DeleteObject(bmp);
    DeleteObject(copy);
}

// ---------------------------------------------------------------- moving between screens
int paints = 0;

LRESULT CALLBACK LineProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    if (m != WM_PAINT) return DefWindowProcA(h, m, wp, lp);
    ++paints;
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(h, &ps);
    MoveToEx(hdc, 10, 40, nullptr);
    LineTo(hdc, 200, 40);
    EndPaint(h, &ps);
    return 0;
}

TEST(ScreenChange, AWindowMovedToAScreenOfAnotherRatioIsRenderedAgainThere) {
    const int screens = wintest::ScreenCount();
    if (screens < 2) GTEST_SKIP() << "one screen";
    HWND h = wintest::TestWindow("ScreenChange", LineProc, WS_OVERLAPPEDWINDOW, true);
    ASSERT_NE(h, nullptr);
    ShowWindow(h, SW_SHOW);
    wintest::Pump();
    std::vector<double> seen;
    for (int round = 0; round < 2; ++round)
        for (int screen = 0; screen < screens; ++screen) {
            const double r = wintest::ScreenRatio(screen);
            const double before = wintest::ClientDeviceRatio(h);
            paints = 0;
            ASSERT_TRUE(wintest::MoveToScreen(h, screen)) << screen;
            wintest::Pump();
            seen.push_back(r);
            EXPECT_DOUBLE_EQ(wintest::ClientDeviceRatio(h), r) << screen;
            EXPECT_EQ(paints, r != before ? 1 : 0) << "a paint when the ratio changes, " << screen;
            SIZE s = wintest::ClientDeviceSize(h);
            EXPECT_EQ(std::make_pair(s.cx, s.cy), std::make_pair(LONG(Edge(1024, r)), LONG(Edge(768, r))));
            RECT c;
            GetClientRect(h, &c);
            EXPECT_EQ(std::make_pair(c.right, c.bottom), std::make_pair(LONG(1024), LONG(768))) << "logical still";
            for (int y = Edge(39, r); y <= Edge(41, r); ++y)
                EXPECT_EQ(wintest::ClientDevicePixel(h, Edge(100, r), y),
                          y >= Edge(40, r) && y < Edge(41, r) ? kBlack : kWhite)
                    << screen << ": " << y;
        }
    EXPECT_NE(*std::min_element(seen.begin(), seen.end()), *std::max_element(seen.begin(), seen.end()))
        << "the screens of the configuration differ in ratio";
    DestroyWindow(h);
    wintest::Pump();
}

}  // namespace
