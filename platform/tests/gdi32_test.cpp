// GDI as the program relies on it: GDI's defaults (black one-pixel pen, black text on an opaque
// white box at its top-left corner, the white brush), cell heights for positive font heights,
// white beyond a blitted bitmap, bottom-up DIB rows, and the same pictures on scaled screens.
#include <gtest/gtest.h>

#include "testing/stored.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0);

void line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}
void withPen(HDC dc, int width, COLORREF c, const std::function<void()> &draw) {
    HPEN pen = CreatePen(PS_SOLID, width, c);
    HGDIOBJ old = SelectObject(dc, pen);
    draw();
    EXPECT_EQ(SelectObject(dc, old), (HGDIOBJ)pen) << "gives the previous pen back";
    DeleteObject(pen);
}
COLORREF colour(int x, int y) { return RGB(10 + 80 * x, 20 + 70 * y, 200 - 30 * x - 40 * y); }

// A white client area of 120 x 90 and a DC on it; a memory DC with a 3 x 3 bitmap of colour(x, y).
class Gdi : public ::testing::Test {
protected:
    void SetUp() override {
        hwnd = wintest::TestWindow("Gdi32Test", DefWindowProcA, WS_OVERLAPPEDWINDOW, true);
        wintest::SetClientSize(hwnd, 120, 90);
        wintest::Pump();
        dc = GetDC(hwnd);
        mem = CreateCompatibleDC(dc);
        bmp = CreateCompatibleBitmap(dc, 3, 3);
        SelectObject(mem, bmp);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) withPen(mem, 1, colour(x, y), [&] { line(mem, x, y, x + 1, y); });
    }
    void TearDown() override {
        DeleteDC(mem);
        DeleteObject(bmp);
        ReleaseDC(hwnd, dc);
        DestroyWindow(hwnd);
        wintest::Pump();
    }
    COLORREF at(int x, int y) { return wintest::ClientPixel(hwnd, x, y); }
    void blacken() {
        withPen(dc, 200, kBlack, [&] { line(dc, 0, 45, 119, 45); });
    }
    HWND hwnd;
    HDC dc, mem;
    HBITMAP bmp;
};

// Each row draws and names pixels that take the pen's ink, stay white, or stay black (a rectangle
// is drawn on black, so that its white inside shows).
TEST_F(Gdi, LinesAndRectanglesCoverThePixelsGdiCovers) {
    // clang-format off
    const struct { const char *name; int width; COLORREF colour; int x0, y0, x1, y1; bool rectangle; std::vector<POINT> ink, white, black; } rows[] = {
        {"the default pen: one black pixel wide", 0, kBlack, 10, 20, 60, 20, false, {{10, 20}, {35, 20}}, {{35, 19}, {35, 21}, {9, 20}}, {}},
        {"a vertical line", 0, kBlack, 30, 10, 30, 40, false, {{30, 10}, {30, 39}}, {{29, 25}, {31, 25}, {30, 9}}, {}},
        {"a two-pixel pen covers the line and the pixel before it", 2, kRed, 10, 20, 60, 20, false, {{35, 19}, {35, 20}}, {{35, 18}, {35, 21}}, {}},
        {"a one-pixel step leaves out its last pixel", 0, kBlack, 40, 40, 41, 41, false, {{40, 40}}, {{41, 41}}, {}},
        {"a step to the same point draws nothing", 0, kBlack, 40, 40, 40, 40, false, {}, {{40, 40}}, {}},
        {"a two-pixel step is the pen's square at both ends", 2, kRed, 40, 40, 41, 41, false, {{39, 39}, {40, 40}, {41, 41}}, {{38, 38}, {42, 42}}, {}},
        {"a slanted line reaches from end to end", 0, kBlack, 10, 10, 50, 30, false, {{10, 10}, {30, 20}}, {{30, 25}, {52, 31}}, {}},
        {"a rectangle: pen outline, white brush inside, right and bottom edges inside", 1, kRed, 20, 20, 40, 30, true,
         {{20, 25}, {39, 25}, {30, 20}, {30, 29}}, {{30, 25}, {21, 21}}, {{40, 25}, {30, 30}, {19, 25}}},
        {"a rectangle given right to left", 1, kRed, 40, 30, 20, 20, true, {{20, 25}, {39, 25}}, {{30, 25}}, {{40, 25}}},
        {"a two-pixel outline", 2, kRed, 20, 20, 40, 30, true, {{19, 25}, {20, 25}, {38, 25}, {39, 25}}, {{21, 25}, {37, 25}}, {{40, 25}, {18, 25}}},
    };
    // clang-format on
    for (const auto &r : rows) {  // width 0: the DC's default pen
        SCOPED_TRACE(r.name);
        InvalidateRect(hwnd, nullptr, TRUE);
        wintest::Pump();
        if (r.rectangle) blacken();
        auto draw = [&] { r.rectangle ? (void)Rectangle(dc, r.x0, r.y0, r.x1, r.y1) : line(dc, r.x0, r.y0, r.x1, r.y1); };
        r.width ? withPen(dc, r.width, r.colour, draw) : draw();
        for (POINT p : r.ink) EXPECT_EQ(at(p.x, p.y), r.colour) << "ink at " << p.x << "," << p.y;
        for (POINT p : r.white) EXPECT_EQ(at(p.x, p.y), kWhite) << "white at " << p.x << "," << p.y;
        for (POINT p : r.black) EXPECT_EQ(at(p.x, p.y), kBlack) << "black at " << p.x << "," << p.y;
    }
    EXPECT_EQ(CreatePen(PS_SOLID + 1, 1, kRed), nullptr) << "only solid pens";
}

TEST_F(Gdi, TheCurrentPositionIsKeptAndADeletedPenGivesWayToTheDefault) {
    wintest::SetClientSize(hwnd, 110, 80);  // a DC kept across a resize draws on the new image
    POINT before{};
    line(dc, 5, 6, 50, 6);
    MoveToEx(dc, 7, 8, &before);
    EXPECT_EQ(std::make_pair(before.x, before.y), std::make_pair(LONG(50), LONG(6)));
    LineTo(dc, 7, 30);
    LineTo(dc, 40, 30);  // from where the last line ended
    EXPECT_EQ(at(20, 30), kBlack);
    HPEN red = CreatePen(PS_SOLID, 1, kRed);
    SelectObject(dc, red);
    DeleteObject(red);                                    // still selected
    HPEN other = CreatePen(PS_SOLID, 3, RGB(0, 0, 255));  // may take the freed object's place
    line(dc, 10, 60, 100, 60);
    EXPECT_EQ(std::make_pair(at(50, 60), at(50, 61)), std::make_pair(kBlack, kWhite));
    DeleteObject(other);
}

// A positive height asks for the cell (ascent + descent); the box is white and opaque, with its
// top-left corner at the point, and the glyphs black.
TEST_F(Gdi, TextIsBlackOnAWhiteBoxOfTheCellHeightAtItsCorner) {
    for (auto [face, height] : {std::pair{"Times New Roman", 12}, {"Times New Roman", 20}, {"MS Sans Serif", 13}}) {
        SCOPED_TRACE(std::string(face) + " " + std::to_string(height));
        blacken();
        HFONT font = CreateFontA(height, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, face);
        SelectObject(dc, font);
        TextOutA(dc, 20, 30, "   ", 3);  // nothing but the box
        int rows = 0, columns = 0, ink = 0;
        for (int y = 0; y < 90; ++y) rows += at(21, y) == kWhite;
        for (int x = 0; x < 120; ++x) columns += at(x, 31) == kWhite;
        EXPECT_TRUE(rows == height || rows == height - 1) << rows << " rows";
        EXPECT_EQ(std::vector<COLORREF>({at(20, 30), at(19, 30), at(20, 29)}), std::vector<COLORREF>({kWhite, kBlack, kBlack}));
        TextOutA(dc, 20, 30, "MMM", 3);
        for (int y = 30; y < 30 + rows; ++y)
            for (int x = 20; x < 20 + 3 * columns; ++x) ink += at(x, y) == kBlack;
        EXPECT_GT(ink, 3 * height) << "black glyphs";
        EXPECT_EQ(SelectObject(dc, font), (HGDIOBJ)font);
        DeleteObject(font);
    }
    EXPECT_FALSE(TextOutA(dc, 0, 0, "x", -1));
    EXPECT_EQ(CreateCompatibleBitmap(dc, 0, 3), nullptr);
    HBITMAP one = CreateCompatibleBitmap(dc, 1, 1);
    EXPECT_NE(one, nullptr) << "a client area one pixel high can be copied";
    DeleteObject(one);
    EXPECT_EQ(CreateCompatibleBitmap(dc, 16385, 1), nullptr);
}

TEST_F(Gdi, BitBltCopiesAnyPartAndLeavesWhiteBeyondTheSource) {
    // clang-format off
    const struct { const char *name; int x, y, cx, cy, x1, y1; } rows[] = {
        {"the whole", 10, 10, 3, 3, 0, 0},        {"one column", 20, 10, 1, 3, 2, 0}, {"one pixel", 30, 10, 1, 1, 1, 2},
        {"the middle and beyond", 40, 10, 4, 4, 1, 1}, {"from left of it", 50, 10, 3, 2, -2, 0}, {"nothing of it", 60, 10, 2, 2, 5, 5},
        {"an empty rectangle", 70, 10, 0, 3, 0, 0}};
    // clang-format on
    blacken();
    for (const auto &r : rows) {
        EXPECT_TRUE(BitBlt(dc, r.x, r.y, r.cx, r.cy, mem, r.x1, r.y1, SRCCOPY)) << r.name;
        for (int j = -1; j <= r.cy; ++j)
            for (int i = -1; i <= r.cx; ++i) {
                const int sx = r.x1 + i, sy = r.y1 + j;
                const bool inside = i >= 0 && i < r.cx && j >= 0 && j < r.cy, fromPicture = sx >= 0 && sx < 3 && sy >= 0 && sy < 3;
                const COLORREF want = !inside ? kBlack : fromPicture ? colour(sx, sy) : kWhite;
                EXPECT_EQ(at(r.x + i, r.y + j), want) << r.name << ": " << i << "," << j;
            }
    }
    EXPECT_FALSE(BitBlt(dc, 80, 10, 3, 3, mem, 0, 0, SRCCOPY + 1));
    EXPECT_FALSE(BitBlt(dc, 80, 10, 3, 3, nullptr, 0, 0, SRCCOPY));
    EXPECT_EQ(at(80, 10), kBlack);
    HBITMAP splash = LoadBitmapA(wintest::Instance(), "BITMAPOrbix");
    const wintest::GdiObjectInfo info = wintest::Describe(splash);
    EXPECT_EQ(std::make_pair(info.width, info.height), std::make_pair(549, 422)) << "the resources' splash";
    DeleteObject(splash);
    EXPECT_EQ(LoadBitmapA(wintest::Instance(), "Nenhum"), nullptr);
}

TEST_F(Gdi, TheRecorderHearsEachCallWithTheProgramsCoordinates) {
    wintest::GdiRecorder rec;
    HDC recorded = GetDC(hwnd), other = CreateCompatibleDC(recorded);
    HFONT font = CreateFontA(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman");
    SelectObject(recorded, font);
    withPen(recorded, 2, RGB(1, 2, 3), [&] { line(recorded, -2, 5, 7, 8); });
    TextOutA(recorded, 1, 2, "a\"b", 3);
    Rectangle(recorded, 1, 2, 3, 4);
    HGDIOBJ first = SelectObject(other, bmp);
    BitBlt(recorded, 9, 8, 4, 5, other, 0, 0, SRCCOPY);
    SelectObject(other, first);                                    // the one-pixel bitmap a memory DC starts with
    line(recorded, -134217727, -134217727, 134217727, 134217727);  // huge, and drawn safely
    EXPECT_TRUE(TextOutA(recorded, 134217727, -134217727, "x", 1));
    EXPECT_TRUE(wintest::MatchesStoredText(ORBIX_STORED "/recorder.trace", wintest::Trace(rec.calls())));
    DeleteDC(other);
    ReleaseDC(hwnd, recorded);
    DeleteObject(font);
}

// ---------------------------------------------------------------- GDI scaling
// Run unscaled and again on screens of ratio 1.5 and 2 (the scale runs): every kind of drawing on
// one picture, stored at each ratio; read back into a bitmap, the logical pixels at any ratio.
using GdiScaling = Gdi;
TEST_F(GdiScaling, EveryCallDrawsTheStoredPictureAtEachRatioAndReadsBackLogically) {
    const double r = wintest::ClientDeviceRatio(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(LONG(120), LONG(90))) << "logical, as unscaled";
    EXPECT_EQ(wintest::ClientDeviceSize(hwnd), std::make_pair(int(120 * r + 0.5), int(90 * r + 0.5)));
    HFONT font = CreateFontA(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman");
    line(dc, 5, 5, 60, 5);
    line(dc, 5, 8, 5, 40);
    line(dc, 10, 10, 50, 35);
    line(dc, 12, 40, 13, 41);
    withPen(dc, 2, kRed, [&] {
        line(dc, 70, 5, 110, 20);
        line(dc, 70, 30, 110, 30);
        line(dc, 20, 45, 21, 46);
        Rectangle(dc, 70, 40, 100, 60);
    });
    SelectObject(dc, font);
    TextOutA(dc, 8, 60, "Orbix 1.50", 10);
    BitBlt(dc, 104, 70, 6, 6, mem, 0, 0, SRCCOPY);
    char name[64];
    snprintf(name, sizeof name, "/scene@%gx.png", r);
    EXPECT_TRUE(wintest::MatchesStoredImage(ORBIX_STORED + std::string(name), hwnd));
    // 119 pixels a row: 357 bytes, padded to 360; the rows from the bottom.
    HBITMAP copy = CreateCompatibleBitmap(dc, 119, 90);
    SelectObject(mem, copy);
    BitBlt(mem, 0, 0, 119, 90, dc, 0, 0, SRCCOPY);
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 119, 90, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<unsigned char> bits(360 * 90 + 1, 0xEE);
    ASSERT_EQ(GetDIBits(dc, copy, 0, 90, bits.data(), &info, DIB_RGB_COLORS), 90);
    int differ = 0;  // a pixel not the client's, or padding not zero
    for (int y = 0; y < 90; ++y) {
        for (int x = 0; x < 119; ++x) {
            const unsigned char *p = &bits[size_t(89 - y) * 360 + size_t(x) * 3];
            differ += RGB(p[2], p[1], p[0]) != at(x, y);
        }
        differ += bits[size_t(y) * 360 + 357] != 0;
    }
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(bits.back(), 0xEE) << "nothing past the rows";
    EXPECT_EQ(GetDIBits(dc, copy, 0, 1, bits.data() + 360 * 89, &info, DIB_RGB_COLORS), 1) << "the bottom row alone";
    EXPECT_EQ(bits.back(), 0xEE);
    info.bmiHeader.biWidth = 120;
    EXPECT_EQ(GetDIBits(dc, copy, 0, 90, bits.data(), &info, DIB_RGB_COLORS), 0) << "rows of another width";
    SelectObject(mem, bmp);
    DeleteObject(copy);
    DeleteObject(font);
}

// ---------------------------------------------------------------- a move between screens
// Run on two screens of ratios 1 and 2 (the two-screens run).
int sizes = 0, paints = 0;
LRESULT CALLBACK CountingProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    sizes += m == WM_SIZE;
    paints += m == WM_PAINT;
    return DefWindowProcA(h, m, wp, lp);
}

TEST(ScreenChange, AWindowMovedToAScreenOfAnotherRatioIsRenderedAgainThere) {
    ASSERT_EQ(wintest::ScreenCount(), 2);
    const int unscaled = wintest::ScreenRatio(0) == 1 ? 0 : 1, scaled = 1 - unscaled;
    ASSERT_EQ(wintest::ScreenRatio(scaled), 2);
    HWND hwnd = wintest::TestWindow("Gdi32Screens", CountingProc, WS_OVERLAPPEDWINDOW, true);
    ShowWindow(hwnd, SW_SHOWDEFAULT);
    ASSERT_TRUE(wintest::MoveToScreen(hwnd, unscaled));
    wintest::Pump();
    EXPECT_EQ(wintest::ClientDeviceRatio(hwnd), 1);
    for (auto [screen, ratio, painted] : {std::tuple{scaled, 2, 1}, {scaled, 2, 0}, {unscaled, 1, 1}}) {
        sizes = paints = 0;
        ASSERT_TRUE(wintest::MoveToScreen(hwnd, screen));
        wintest::Pump();
        EXPECT_EQ(wintest::ClientDeviceRatio(hwnd), ratio);
        EXPECT_EQ(wintest::ClientDeviceSize(hwnd), std::make_pair(1024 * ratio, 768 * ratio));
        EXPECT_EQ(std::make_pair(sizes, paints), std::make_pair(0, painted)) << "a paint when the ratio changes, no WM_SIZE";
    }
    DestroyWindow(hwnd);
    wintest::Pump();
}

// Printing as the program relies on it: the PDF printer's page (A4 at 600 dots an inch, all of it
// printable), a document's calls refused out of Win32's order, pages that hold what was drawn on
// them in the mapping's units, and a file written whole at EndDoc or not at all.
TEST(Printing, ThePdfPrintersDocumentsAndPages) {
    EXPECT_EQ(CreateDCA("WINSPOOL", "Nenhuma", nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), 1801u) << "ERROR_INVALID_PRINTER_NAME";
    HDC dc = CreateDCA("WINSPOOL", "Microsoft Print to PDF", nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(
        std::tuple(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)),
        std::tuple(4958, 7017, 600, 600));
    char dir[] = "/tmp/orbix-print-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string pdf = std::string(dir) + "/a.pdf", bad = std::string(dir) + "/a?.pdf";
    DOCINFOA doc{sizeof doc, "Doc", pdf.c_str(), nullptr, 0}, badDoc{sizeof doc, "Doc", bad.c_str(), nullptr, 0};
    auto text = [dc](const char *s) { TextOutA(dc, 100, 300, s, int(strlen(s))); };
    // clang-format off
    const std::vector<std::tuple<const char *, std::function<int()>, bool>> calls = {
        {"a page before the document",  [dc] { return StartPage(dc); }, false},
        {"an end of page before it",    [dc] { return EndPage(dc); }, false},
        {"an end of no document",       [dc] { return EndDoc(dc); }, false},
        {"a name with '?'",             [&] { return StartDocA(dc, &badDoc); }, false},
        {"the document",                [&] { return StartDocA(dc, &doc); }, true},
        {"a document inside it",        [&] { return StartDocA(dc, &doc); }, false},
        {"an end of no page",           [dc] { return EndPage(dc); }, false},
        {"the first page",              [&] { int r = StartPage(dc); SetMapMode(dc, MM_ISOTROPIC); SetWindowExtEx(dc, 1000, 1000, nullptr);
                                               SetViewportExtEx(dc, 4958, 4958, nullptr); text("Primeira"); return r; }, true},
        {"a page inside it",            [dc] { return StartPage(dc); }, false},
        {"a 10-unit line at y 100",     [dc] { withPen(dc, 10, kRed, [dc] { line(dc, 100, 100, 900, 100); }); return EndPage(dc); }, true},
        {"a text between pages",        [&] { text("Entre"); return StartPage(dc); }, true},
        {"the second page",             [&] { text("Segunda"); return EndPage(dc); }, true},
    };
    // clang-format on
    for (auto &[name, call, ok] : calls) EXPECT_EQ(call() > 0, ok) << name;
    EXPECT_FALSE(std::ifstream(pdf).good()) << "nothing is written before the document ends";
    EXPECT_GT(EndDoc(dc), 0);
    EXPECT_EQ(wintest::PdfPages(pdf), 2);
    EXPECT_EQ(wintest::PdfText(pdf), "Primeira\n\fSegunda\n\f");
    const wintest::Picture page = wintest::PdfPage(pdf, 1, 1000);
    int red = 0;
    for (int y = 80; y < 120; ++y) red += page.at(500, y) == kRed;
    EXPECT_EQ(red, 10) << "the pen is 10 units wide, as the line is long, at any scale";
    // A document abandoned or never ended leaves the file that was there, and nothing beside it.
    std::ifstream in(pdf, std::ios::binary);
    const std::string before((std::istreambuf_iterator<char>(in)), {});
    for (bool abort : {true, false}) {
        ASSERT_GT(StartDocA(dc, &doc), 0);
        StartPage(dc);
        text("Outra");
        if (abort) EXPECT_GT(AbortDoc(dc), 0);
        if (!abort) DeleteDC(dc);
        std::ifstream again(pdf, std::ios::binary);
        EXPECT_EQ(std::string((std::istreambuf_iterator<char>(again)), {}), before) << abort;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << abort;
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
