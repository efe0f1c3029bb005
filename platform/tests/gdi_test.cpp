// The layer's GDI, held to GDI's defaults: black one-pixel pen, black text on an opaque white
// box at the top-left corner, cell heights for positive font heights, white outside a blitted
// bitmap.
#include <gtest/gtest.h>

#include "testing/wintest.h"

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

class GdiTest : public ::testing::Test {
protected:
    void SetUp() override {
        hwnd = wintest::TestWindow("GdiTest", DefWindowProcA, WS_OVERLAPPEDWINDOW, true);
        ASSERT_TRUE(hwnd);
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
    EXPECT_EQ(std::vector<COLORREF>({at(50, 49), at(50, 50), at(50, 51)}),
              std::vector<COLORREF>({kWhite, kBlack, kWhite}));
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
    // Zero asks for the default size, a readable one; a negative height is the em, which the cell
    // exceeds by the internal leading.
    auto cell = [this](int height) {
        HFONT f = CreateFontA(height, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
        SelectObject(dc, f);
        SIZE sz{};
        GetTextExtentPoint32A(dc, "Ag", 2, &sz);
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(f);
        return sz.cy;
    };
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    SIZE system{};
    GetTextExtentPoint32A(dc, "Ag", 2, &system);
    EXPECT_EQ(system.cy, 16) << "the system font's cell";
    EXPECT_GE(cell(0), 12);
    EXPECT_LE(cell(0), 16);
    EXPECT_GT(cell(-20), 20);
    EXPECT_LE(cell(-20), 25);
    blacken();
    HFONT f = CreateFontA(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman");
    SelectObject(dc, f);
    EXPECT_FALSE(TextOutA(dc, 20, 30, "MMMM", -1));
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

TEST_F(GdiTest, APenMadeAfterADeletedOneDrawsInItsOwnColour) {
    // Made and deleted in turn, the pens come back at the addresses of the ones before them; each
    // draws a slanted line, the stroke a painter draws with the pen, and only then are they read.
    auto colour = [](int i) { return i % 2 ? RGB(255, 0, 0) : RGB(0, 0, 255); };
    for (int i = 0; i < 6; ++i) {
        HPEN pen = CreatePen(PS_SOLID, 1, colour(i));
        SelectObject(dc, pen);
        MoveToEx(dc, 10, 200 + 10 * i, nullptr);
        LineTo(dc, 50, 204 + 10 * i);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        DeleteObject(pen);
    }
    for (int i = 0; i < 6; ++i) EXPECT_EQ(at(10, 200 + 10 * i), colour(i)) << i;
}

TEST_F(GdiTest, RectangleFillsWithTheWhiteBrushAndOutlinesWithThePen) {
    blacken();
    Rectangle(dc, 50, 50, 100, 100);
    EXPECT_EQ(std::vector<COLORREF>({at(50, 70), at(75, 75), at(100, 75)}),
              std::vector<COLORREF>({kBlack, kWhite, kBlack}));
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

// A memory bitmap of 3 x 3 distinct pixels, to blit and read back.
class Picture {
public:
    explicit Picture(HDC on) : mem(CreateCompatibleDC(on)), bmp(CreateCompatibleBitmap(on, 3, 3)) {
        SelectObject(mem, bmp);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) SetPixel(mem, x, y, colour(x, y));
    }
    ~Picture() {
        DeleteDC(mem);
        DeleteObject(bmp);
    }
    static COLORREF colour(int x, int y) { return RGB(10 + 80 * x, 20 + 70 * y, 200 - 30 * x - 40 * y); }
    HDC mem;
    HBITMAP bmp;
};

TEST_F(GdiTest, BitBltCopiesAnyPartDownToOnePixelAndWhiteBeyondTheSource) {
    blacken();
    Picture pic(dc);
    struct Row {
        const char *name;
        int x, y, cx, cy, x1, y1;
    } rows[] = {
        {"one column", 10, 10, 1, 3, 0, 0},       {"one row", 20, 10, 3, 1, 0, 2},
        {"one pixel", 30, 10, 1, 1, 2, 1},        {"the middle and beyond", 40, 10, 4, 4, 1, 1},
        {"from left of it", 50, 10, 3, 2, -2, 0},
    };
    for (auto &r : rows) {
        EXPECT_TRUE(BitBlt(dc, r.x, r.y, r.cx, r.cy, pic.mem, r.x1, r.y1, SRCCOPY)) << r.name;
        for (int j = -1; j <= r.cy; ++j)
            for (int i = -1; i <= r.cx; ++i) {
                const int sx = r.x1 + i, sy = r.y1 + j;
                const bool inside = i >= 0 && i < r.cx && j >= 0 && j < r.cy;
                const bool fromPicture = sx >= 0 && sx < 3 && sy >= 0 && sy < 3;
                EXPECT_EQ(at(r.x + i, r.y + j), !inside       ? kBlack
                                                : fromPicture ? Picture::colour(sx, sy)
                                                              : kWhite)
                    << r.name << ": " << i << "," << j;
            }
    }
    for (auto [cx, cy] : {std::pair{0, 3}, {3, 0}, {-2, 3}}) {
        EXPECT_TRUE(BitBlt(dc, 70, 10, cx, cy, pic.mem, 0, 0, SRCCOPY));
        EXPECT_EQ(at(70, 10), kBlack) << cx << "x" << cy << " copies nothing";
        EXPECT_EQ(at(69, 11), kBlack) << cx << "x" << cy << " copies nothing";
    }
    EXPECT_FALSE(BitBlt(dc, 70, 10, 3, 3, pic.mem, 0, 0, 0x00CC0021)) << "a raster operation the layer does not do";
    EXPECT_FALSE(BitBlt(dc, 70, 10, 3, 3, nullptr, 0, 0, SRCCOPY));
    EXPECT_EQ(at(70, 10), kBlack);
    // Back from the window into a bitmap.
    EXPECT_TRUE(BitBlt(pic.mem, 0, 0, 2, 1, dc, 10, 11, SRCCOPY));
    EXPECT_EQ(GetPixel(pic.mem, 0, 0), Picture::colour(0, 1));
    EXPECT_EQ(GetPixel(pic.mem, 1, 0), kBlack);
}

TEST_F(GdiTest, PixelsOutsideTheSurfaceAreInvalidAndBitmapsStartBlack) {
    // A new memory DC holds a one-pixel black bitmap until one is selected.
    HDC empty = CreateCompatibleDC(dc);
    EXPECT_EQ(std::vector<COLORREF>({GetPixel(empty, 0, 0), GetPixel(empty, 1, 0), GetPixel(empty, 0, 1)}),
              std::vector<COLORREF>({kBlack, CLR_INVALID, CLR_INVALID}));
    DeleteDC(empty);
    Picture pic(dc);
    HBITMAP fresh = CreateCompatibleBitmap(dc, 2, 2);
    SelectObject(pic.mem, fresh);
    EXPECT_EQ(GetPixel(pic.mem, 1, 1), kBlack);
    EXPECT_EQ(SetPixel(pic.mem, 1, 0, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(pic.mem, 1, 0), RGB(1, 2, 3));
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}}) {
        EXPECT_EQ(SetPixel(pic.mem, x, y, RGB(1, 2, 3)), CLR_INVALID) << x << "," << y;
        EXPECT_EQ(GetPixel(pic.mem, x, y), CLR_INVALID) << x << "," << y;
    }
    // A bitmap deleted while selected gives way to the one-pixel default, not to another object.
    HBITMAP gone = CreateCompatibleBitmap(dc, 2, 2);
    SelectObject(pic.mem, gone);
    DeleteObject(gone);
    EXPECT_EQ(std::vector<COLORREF>({GetPixel(pic.mem, 0, 0), GetPixel(pic.mem, 1, 0)}),
              std::vector<COLORREF>({kBlack, CLR_INVALID}));
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(SetPixel(dc, client.right, 0, kBlack), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, 0, client.bottom), CLR_INVALID);
    // The window's corner pixels are its own: the client area starts at 0, 0.
    EXPECT_EQ(SetPixel(dc, 0, 0, RGB(4, 5, 6)), RGB(4, 5, 6));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(4, 5, 6));
    EXPECT_EQ(SetPixel(dc, client.right - 1, client.bottom - 1, RGB(7, 8, 9)), RGB(7, 8, 9));
    EXPECT_EQ(GetPixel(dc, client.right - 1, client.bottom - 1), RGB(7, 8, 9));
    EXPECT_EQ(SelectObject(dc, fresh), nullptr) << "a window DC takes no bitmap";
    SelectObject(pic.mem, pic.bmp);
    DeleteObject(fresh);
    for (auto [cx, cy] : {std::pair{0, 1}, {1, 0}, {16385, 1}, {1, 16385}})
        EXPECT_EQ(CreateCompatibleBitmap(dc, cx, cy), nullptr) << cx << "x" << cy;
}

TEST_F(GdiTest, GetDIBitsGivesRowsFromTheBottomUnlessTheHeightIsNegative) {
    Picture pic(dc);
    DeleteDC(pic.mem);  // a bitmap is read while no DC holds it
    pic.mem = CreateCompatibleDC(dc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    ASSERT_NE(GetDIBits(dc, pic.bmp, 0, 3, nullptr, &info, DIB_RGB_COLORS), 0);
    const BITMAPINFOHEADER &h = info.bmiHeader;
    EXPECT_EQ(std::vector<LONG>(
                  {h.biWidth, h.biHeight, h.biPlanes, h.biBitCount, LONG(h.biCompression), LONG(h.biSizeImage)}),
              std::vector<LONG>({3, 3, 1, 32, BI_RGB, 3 * 4 * 3}));
    struct Row {
        const char *name;
        int bits;
        bool bottomUp;
        UINT start, lines;
        std::vector<int> rows;  // the picture's rows, in the order they come
    } rows[] = {
        {"24 bits, bottom-up", 24, true, 0, 3, {2, 1, 0}}, {"32 bits, top-down", 32, false, 0, 3, {0, 1, 2}},
        {"the middle scan line", 24, true, 1, 1, {1}},     {"past the last", 32, true, 2, 5, {0}},
        {"none past the end", 24, true, 3, 1, {}},
    };
    for (auto &r : rows) {
        info.bmiHeader.biBitCount = WORD(r.bits);
        info.bmiHeader.biHeight = r.bottomUp ? 3 : -3;
        const size_t stride = 12;  // 9 bytes padded to 12, or 3 x 4
        std::vector<unsigned char> out(stride * 5, 0xEE);
        EXPECT_EQ(GetDIBits(dc, pic.bmp, r.start, r.lines, out.data(), &info, DIB_RGB_COLORS), int(r.rows.size()))
            << r.name;
        for (size_t k = 0; k < r.rows.size(); ++k)
            for (int x = 0; x < 3; ++x) {
                const unsigned char *p = &out[k * stride + x * r.bits / 8];
                EXPECT_EQ(RGB(p[2], p[1], p[0]), Picture::colour(x, r.rows[k])) << r.name << ": " << k << "," << x;
            }
        if (r.bits == 24 && !r.rows.empty()) {
            EXPECT_EQ(out[9], 0) << r.name << ": the padding";
        }
        EXPECT_EQ(out[r.rows.size() * stride], 0xEE) << r.name << ": nothing past the lines given";
    }
    std::vector<unsigned char> out(64);
    info.bmiHeader.biBitCount = 16;
    EXPECT_EQ(GetDIBits(dc, pic.bmp, 0, 3, out.data(), &info, DIB_RGB_COLORS), 0);
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biWidth = 4;
    EXPECT_EQ(GetDIBits(dc, pic.bmp, 0, 3, out.data(), &info, DIB_RGB_COLORS), 0);
    info.bmiHeader.biWidth = 3;
    EXPECT_EQ(GetDIBits(dc, pic.bmp, 0, 3, out.data(), &info, DIB_RGB_COLORS + 1), 0) << "palette indices";
    info.bmiHeader.biSize = 12;
    EXPECT_EQ(GetDIBits(dc, pic.bmp, 0, 3, out.data(), &info, DIB_RGB_COLORS), 0);
}

TEST_F(GdiTest, GetObjectDescribesEachKindAndNeedsRoomForIt) {
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    LOGPEN lp{};
    EXPECT_EQ(GetObjectA(pen, sizeof lp, &lp), int(sizeof lp));
    EXPECT_EQ(std::make_tuple(lp.lopnStyle, lp.lopnWidth.x, lp.lopnColor),
              std::make_tuple(UINT(PS_SOLID), LONG(3), RGB(1, 2, 3)));
    EXPECT_EQ(GetObjectA(pen, 0, nullptr), int(sizeof lp)) << "the room it needs";
    EXPECT_EQ(GetObjectA(pen, sizeof lp - 1, &lp), 0);
    DeleteObject(pen);
    EXPECT_EQ(GetObjectA(pen, sizeof lp, &lp), 0) << "deleted";
    LOGBRUSH lb{};
    EXPECT_EQ(GetObjectA(GetStockObject(GRAY_BRUSH), sizeof lb, &lb), int(sizeof lb));
    EXPECT_EQ(std::make_pair(lb.lbStyle, lb.lbColor), std::make_pair(UINT(BS_SOLID), RGB(128, 128, 128)));
    EXPECT_EQ(GetObjectA(GetStockObject(NULL_BRUSH), sizeof lb, &lb), int(sizeof lb));
    EXPECT_EQ(lb.lbStyle, UINT(BS_NULL));
    HFONT font = CreateFontA(-13, 5, 0, 0, 700, 1, 1, 0, 0, 0, 0, 0, 0, "Courier New");
    LOGFONTA lf{};
    EXPECT_EQ(GetObjectA(font, sizeof lf, &lf), int(sizeof lf));
    EXPECT_EQ(
        std::make_tuple(lf.lfHeight, lf.lfWidth, lf.lfWeight, lf.lfItalic, lf.lfUnderline, std::string(lf.lfFaceName)),
        std::make_tuple(LONG(-13), LONG(5), LONG(700), BYTE(1), BYTE(1), std::string("Courier New")));
    DeleteObject(font);
    HBITMAP bmp = CreateCompatibleBitmap(dc, 5, 2);
    BITMAP b{};
    EXPECT_EQ(GetObjectA(bmp, sizeof b, &b), int(sizeof b));
    EXPECT_EQ(std::vector<LONG>({b.bmWidth, b.bmHeight, b.bmWidthBytes, b.bmPlanes, b.bmBitsPixel}),
              std::vector<LONG>({5, 2, 20, 1, 32}));
    DeleteObject(bmp);
}

// A paint erases only when asked to; a DC a program keeps (as a class DC is kept) draws on the
// picture the erase left.
TEST_F(GdiTest, APaintErasesWhenAskedAndADcKeptAcrossItDrawsOnTheErasedPicture) {
    ShowWindow(hwnd, SW_SHOW);
    wintest::Pump();
    HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Rectangle(dc, 10, 10, 30, 30);
    MoveToEx(dc, 40, 10, nullptr);
    LineTo(dc, 80, 30);
    TextOutA(dc, 100, 10, "ORBIX", 5);
    SelectObject(dc, old);
    auto drawn = [this] { return std::vector<COLORREF>({at(20, 20), at(60, 20)}); };
    InvalidateRect(hwnd, nullptr, FALSE);
    wintest::Pump();
    EXPECT_EQ(drawn(), std::vector<COLORREF>(2, kBlack)) << "repainted, not erased";
    InvalidateRect(hwnd, nullptr, TRUE);
    wintest::Pump();
    EXPECT_EQ(drawn(), std::vector<COLORREF>(2, kWhite));
    MoveToEx(dc, 40, 50, nullptr);
    LineTo(dc, 80, 70);
    TextOutA(dc, 100, 50, "ORBIX", 5);
    Rectangle(dc, 10, 50, 30, 70);
    EXPECT_EQ(at(60, 60), kBlack);
    SIZE sz;
    GetTextExtentPoint32A(dc, "ORBIX", 5, &sz);
    int black = 0;
    for (int y = 50; y < 50 + sz.cy; ++y)
        for (int x = 100; x < 100 + sz.cx; ++x) black += at(x, y) == kBlack;
    EXPECT_GT(black, 10);
    EXPECT_EQ(at(10, 60), kBlack);
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
