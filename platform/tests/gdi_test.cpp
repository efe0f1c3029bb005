// The layer's GDI, held to what GDI does by default: black one-pixel pen, black text on an
// opaque white box at the top-left corner, cell heights for positive font heights, white
// outside a blitted bitmap.
#include <gtest/gtest.h>

#include "testing/wintest.h"

#include <utility>
#include <vector>

namespace {

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
    HWND hwnd;
    HDC dc;
};

const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

TEST_F(GdiTest, DefaultPenIsBlackAndOnePixelWide) {
    MoveToEx(dc, 10, 50, nullptr);
    LineTo(dc, 100, 50);
    EXPECT_EQ(at(50, 50), kBlack);
    EXPECT_EQ(at(50, 49), kWhite);
    EXPECT_EQ(at(50, 51), kWhite);
}

TEST_F(GdiTest, PenOfWidthTwoDrawsItsColourAndSelectObjectGivesThePreviousPen) {
    HPEN red = CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dc, red);
    EXPECT_EQ(old, GetStockObject(BLACK_PEN));
    MoveToEx(dc, 10, 80, nullptr);
    LineTo(dc, 100, 80);
    EXPECT_EQ(at(50, 80), RGB(255, 0, 0));
    EXPECT_EQ(SelectObject(dc, old), (HGDIOBJ)red);
    DeleteObject(red);
}

TEST_F(GdiTest, OnePixelStepsMakeDotsOfThePenWidth) {
    HPEN green = CreatePen(PS_SOLID, 2, RGB(0, 255, 0));
    struct Row {
        const char *name;
        HGDIOBJ pen;
        int x, y, dx, dy;
        std::vector<std::pair<int, int>> ink, bare;
    } rows[] = {
        {"diagonal step, pen of 2", green, 100, 100, 1, 1, {{99, 99}, {100, 100}, {101, 101}}, {{98, 98}, {102, 102}}},
        {"same point, pen of 2", green, 120, 100, 0, 0, {{119, 99}, {120, 100}}, {{121, 101}, {118, 98}}},
        {"one-pixel pen leaves out the end", GetStockObject(BLACK_PEN), 140, 100, 1, 0, {{140, 100}}, {{141, 100}}},
        {"one-pixel pen on one point draws nothing", GetStockObject(BLACK_PEN), 160, 100, 0, 0, {}, {{160, 100}}},
        {"at the edge of the image", green, 0, 0, -1, -1, {{0, 0}}, {}},
    };
    for (auto &r : rows) {
        SelectObject(dc, r.pen);
        MoveToEx(dc, r.x, r.y, nullptr);
        LineTo(dc, r.x + r.dx, r.y + r.dy);
        for (auto [x, y] : r.ink) EXPECT_NE(at(x, y), kWhite) << r.name << " at " << x << "," << y;
        for (auto [x, y] : r.bare) EXPECT_EQ(at(x, y), kWhite) << r.name << " at " << x << "," << y;
    }
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(green);
}

TEST_F(GdiTest, MoveToExReportsThePreviousPosition) {
    MoveToEx(dc, 3, 4, nullptr);
    POINT p;
    MoveToEx(dc, 8, 9, &p);
    EXPECT_EQ(p.x, 3);
    EXPECT_EQ(p.y, 4);
}

TEST_F(GdiTest, PositiveFontHeightAsksForTheCellHeight) {
    struct Row {
        const char *face;
        int height;
    } rows[] = {{"Times New Roman", 12}, {"Times New Roman", 20}, {"MS Sans Serif", 13}};
    for (auto &r : rows) {
        HFONT f = CreateFontA(r.height, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, r.face);
        SelectObject(dc, f);
        SIZE sz;
        ASSERT_TRUE(GetTextExtentPoint32A(dc, "Ag", 2, &sz));
        EXPECT_LE(sz.cy, r.height) << r.face << " " << r.height;
        EXPECT_GE(sz.cy, r.height - 1) << r.face << " " << r.height;
        DeleteObject(f);
    }
}

TEST_F(GdiTest, TextIsBlackOnAnOpaqueWhiteBoxFromItsTopLeftCorner) {
    // Paint the area black first: the text box must come out white where there is no ink.
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Rectangle(dc, 0, 0, 300, 100);
    SelectObject(dc, oldBrush);
    HFONT f = CreateFontA(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman");
    SelectObject(dc, f);
    TextOutA(dc, 20, 30, "MMMM", 4);
    SIZE sz;
    GetTextExtentPoint32A(dc, "MMMM", 4, &sz);
    int white = 0, black = 0;
    for (int y = 30; y < 30 + sz.cy; ++y)
        for (int x = 20; x < 20 + sz.cx; ++x) {
            white += at(x, y) == kWhite;
            black += at(x, y) == kBlack;
        }
    EXPECT_GT(white, 0);
    EXPECT_GT(black, 0);
    EXPECT_EQ(at(19, 29), kBlack) << "nothing above-left of the corner";
    EXPECT_EQ(at(20 + sz.cx + 1, 35), kBlack) << "nothing right of the box";
    DeleteObject(f);
}

TEST_F(GdiTest, RectangleFillsWithTheWhiteBrushAndOutlinesWithThePen) {
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Rectangle(dc, 0, 0, 200, 200);
    SelectObject(dc, oldBrush);
    Rectangle(dc, 50, 50, 100, 100);
    EXPECT_EQ(at(50, 70), kBlack) << "left edge";
    EXPECT_EQ(at(75, 75), kWhite) << "inside";
    EXPECT_EQ(at(100, 75), kBlack) << "the right edge is outside the rectangle";
}

TEST_F(GdiTest, BitBltCopiesTheBitmapAndLeavesWhiteOutsideIt) {
    HBITMAP bmp = LoadBitmapA(wintest::Instance(), "BITMAPOrbix");
    ASSERT_NE(bmp, nullptr);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Rectangle(dc, 0, 0, 1024, 768);
    SelectObject(dc, oldBrush);
    HDC mem = CreateCompatibleDC(dc);
    SelectObject(mem, bmp);
    EXPECT_TRUE(BitBlt(dc, 100, 50, 800, 600, mem, 0, 0, SRCCOPY));
    COLORREF corner = GetPixel(mem, 0, 0);
    DeleteDC(mem);
    EXPECT_EQ(at(100, 50), corner);
    EXPECT_EQ(at(100 + 549 + 5, 60), kWhite) << "right of the 549-pixel bitmap";
    EXPECT_EQ(at(120, 50 + 422 + 5), kWhite) << "below the 422-pixel bitmap";
    EXPECT_EQ(at(99, 49), kBlack) << "outside the copied rectangle";
}

TEST_F(GdiTest, RecorderCapturesCallsWithTheirDeviceCoordinates) {
    wintest::GdiRecorder rec;
    HPEN p = CreatePen(PS_SOLID, 2, RGB(1, 2, 3));
    SelectObject(dc, p);
    MoveToEx(dc, -2, 5, nullptr);
    LineTo(dc, 7, 8);
    TextOutA(dc, 1, 2, "ab", 2);
    ASSERT_EQ(rec.calls().size(), 4u);
    EXPECT_EQ(rec.calls()[0].op, wintest::GdiCall::SelectPen);
    EXPECT_EQ(rec.calls()[0].color, RGB(1, 2, 3));
    EXPECT_EQ(rec.calls()[0].width, 2);
    EXPECT_EQ(rec.calls()[1].x, -2);
    EXPECT_EQ(rec.calls()[2].op, wintest::GdiCall::LineTo);
    EXPECT_EQ(rec.calls()[3].text, "ab");
    DeleteObject(p);
}

TEST_F(GdiTest, HugeCoordinatesDrawNothingAndDoNotCrash) {
    MoveToEx(dc, -134217727, -134217727, nullptr);
    EXPECT_TRUE(LineTo(dc, 134217727, 134217727));
    EXPECT_TRUE(TextOutA(dc, 134217727, -134217727, "x", 1));
}

}  // namespace
