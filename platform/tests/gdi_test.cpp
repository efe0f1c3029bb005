// The layer's GDI, held to GDI's defaults: black one-pixel pen, black text on an opaque white
// box at the top-left corner, cell heights for positive font heights, white outside a blitted
// bitmap.
#include <gtest/gtest.h>

#include "testing/wintest.h"

#include <utility>
#include <vector>

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(h, m, wp, lp); }

class GdiTest : public ::testing::Test {
protected:
    void SetUp() override {
        static bool registered = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = PlainProc;
            wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
            wc.lpszClassName = "GdiTest";
            return RegisterClassA(&wc) != 0;
        }();
        ASSERT_TRUE(registered);
        hwnd = CreateWindowExA(0, "GdiTest", "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
        wintest::Pump();
        dc = GetDC(hwnd);
    }
    void TearDown() override {
        ReleaseDC(hwnd, dc);
        DestroyWindow(hwnd);
        wintest::Pump();
    }
    COLORREF at(int x, int y) { return wintest::ClientPixel(hwnd, x, y); }
    void blacken() {
        HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_BRUSH));
        Rectangle(dc, 0, 0, 1024, 768);
        SelectObject(dc, old);
    }
    HWND hwnd;
    HDC dc;
};

TEST_F(GdiTest, PensDrawTheirColourAndWidthAndSelectGivesThePrevious) {
    MoveToEx(dc, 10, 50, nullptr);
    LineTo(dc, 100, 50);
    EXPECT_EQ(std::vector<COLORREF>({at(50, 49), at(50, 50), at(50, 51)}), std::vector<COLORREF>({kWhite, kBlack, kWhite}));
    HPEN red = CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dc, red);
    EXPECT_EQ(old, GetStockObject(BLACK_PEN));
    POINT p;
    MoveToEx(dc, 10, 80, &p);
    EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(LONG(100), LONG(50)));
    LineTo(dc, 100, 80);
    EXPECT_EQ(at(50, 80), RGB(255, 0, 0));
    EXPECT_EQ(SelectObject(dc, old), (HGDIOBJ)red);
    DeleteObject(red);
}

TEST_F(GdiTest, OnePixelStepsMakeDotsOfThePenWidth) {
    HPEN green = CreatePen(PS_SOLID, 2, RGB(0, 255, 0));
    struct Row {
        HGDIOBJ pen;
        int x, y, dx, dy;
        std::vector<std::pair<int, int>> ink, bare;
    } rows[] = {
        {green, 100, 100, 1, 1, {{99, 99}, {100, 100}, {101, 101}}, {{98, 98}, {102, 102}}},
        {green, 120, 100, 0, 0, {{119, 99}, {120, 100}}, {{121, 101}, {118, 98}}},
        {GetStockObject(BLACK_PEN), 140, 100, 1, 0, {{140, 100}}, {{141, 100}}},  // GDI leaves out the end
        {GetStockObject(BLACK_PEN), 160, 100, 0, 0, {}, {{160, 100}}},
        {green, 0, 0, -1, -1, {{0, 0}}, {}},  // at the edge of the image
    };
    for (auto &r : rows) {
        SelectObject(dc, r.pen);
        MoveToEx(dc, r.x, r.y, nullptr);
        LineTo(dc, r.x + r.dx, r.y + r.dy);
        for (auto [x, y] : r.ink) EXPECT_NE(at(x, y), kWhite) << x << "," << y;
        for (auto [x, y] : r.bare) EXPECT_EQ(at(x, y), kWhite) << x << "," << y;
    }
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(green);
}

TEST_F(GdiTest, PositiveFontHeightIsTheCellAndTextIsBlackOnAWhiteBox) {
    for (auto [face, height] : {std::pair{"Times New Roman", 12}, {"Times New Roman", 20}, {"MS Sans Serif", 13}}) {
        HFONT f = CreateFontA(height, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, face);
        SelectObject(dc, f);
        SIZE sz;
        ASSERT_TRUE(GetTextExtentPoint32A(dc, "Ag", 2, &sz));
        EXPECT_TRUE(sz.cy == height || sz.cy == height - 1) << face << " " << height << ": " << sz.cy;
        DeleteObject(f);
    }
    blacken();
    HFONT f = CreateFontA(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman");
    SelectObject(dc, f);
    TextOutA(dc, 20, 30, "MMMM", 4);
    SIZE sz;
    GetTextExtentPoint32A(dc, "MMMM", 4, &sz);
    int white = 0, black = 0;
    for (int y = 30; y < 30 + sz.cy; ++y)
        for (int x = 20; x < 20 + sz.cx; ++x) (at(x, y) == kWhite ? white : black) += 1;
    EXPECT_GT(white, 0);
    EXPECT_GT(black, 0);
    EXPECT_EQ(at(19, 29), kBlack) << "nothing above-left of the corner";
    EXPECT_EQ(at(20 + sz.cx + 1, 35), kBlack) << "nothing right of the box";
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST_F(GdiTest, AFontMadeAfterAnotherIsDeletedMeasuresAsItself) {
    auto extent = [this](HFONT f) {
        SelectObject(dc, f);
        SIZE sz{};
        GetTextExtentPoint32A(dc, "Ag", 2, &sz);
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        return std::pair(sz.cx, sz.cy);
    };
    HFONT small = CreateFontA(10, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman");
    HFONT large = CreateFontA(30, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman");
    const auto smallExtent = extent(small), largeExtent = extent(large);
    ASSERT_NE(smallExtent, largeExtent);
    // Made and deleted in turn, the fonts come back at the addresses of the ones before them.
    for (int i = 0; i < 40; ++i) {
        HFONT f = CreateFontA(i % 2 ? 30 : 10, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman");
        EXPECT_EQ(extent(f), i % 2 ? largeExtent : smallExtent) << i;
        DeleteObject(f);
    }
    DeleteObject(small);
    DeleteObject(large);
}

TEST_F(GdiTest, RectangleFillsWithTheWhiteBrushAndOutlinesWithThePen) {
    blacken();
    Rectangle(dc, 50, 50, 100, 100);
    EXPECT_EQ(std::vector<COLORREF>({at(50, 70), at(75, 75), at(100, 75)}), std::vector<COLORREF>({kBlack, kWhite, kBlack}));
}

TEST_F(GdiTest, BitBltCopiesTheBitmapAndLeavesWhiteOutsideIt) {
    HBITMAP bmp = LoadBitmapA(wintest::Instance(), "BITMAPOrbix");
    ASSERT_NE(bmp, nullptr);
    blacken();
    HDC mem = CreateCompatibleDC(dc);
    SelectObject(mem, bmp);
    EXPECT_TRUE(BitBlt(dc, 100, 50, 800, 600, mem, 0, 0, SRCCOPY));
    EXPECT_EQ(at(100, 50), GetPixel(mem, 0, 0));
    DeleteDC(mem);
    DeleteObject(bmp);
    EXPECT_EQ(at(100 + 549 + 5, 60), kWhite) << "right of the 549-pixel bitmap";
    EXPECT_EQ(at(120, 50 + 422 + 5), kWhite) << "below the 422-pixel bitmap";
    EXPECT_EQ(at(99, 49), kBlack) << "outside the copied rectangle";
}

TEST_F(GdiTest, RecorderCapturesCallsAndHugeCoordinatesAreSafe) {
    wintest::GdiRecorder rec;
    HPEN p = CreatePen(PS_SOLID, 2, RGB(1, 2, 3));
    SelectObject(dc, p);
    MoveToEx(dc, -2, 5, nullptr);
    LineTo(dc, 7, 8);
    TextOutA(dc, 1, 2, "ab", 2);
    ASSERT_EQ(rec.calls().size(), 4u);
    EXPECT_EQ(std::make_pair(rec.calls()[0].color, rec.calls()[0].width), std::make_pair(RGB(1, 2, 3), 2));
    EXPECT_EQ(std::make_pair(rec.calls()[1].x, rec.calls()[2].op), std::make_pair(-2, wintest::GdiCall::LineTo));
    EXPECT_EQ(rec.calls()[3].text, "ab");
    MoveToEx(dc, -134217727, -134217727, nullptr);
    EXPECT_TRUE(LineTo(dc, 134217727, 134217727));
    EXPECT_TRUE(TextOutA(dc, 134217727, -134217727, "x", 1));
    DeleteObject(p);  // still selected: the DC falls back to its default pen
    MoveToEx(dc, 300, 300, nullptr);
    EXPECT_TRUE(LineTo(dc, 340, 300));
    EXPECT_EQ(at(320, 300), kBlack);
}

}  // namespace
