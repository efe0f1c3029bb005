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

// Every shape on one stored picture, so that each pixel counts, not only the ones named: the
// default pen (one black pixel), a vertical and a slanted line, a two-pixel pen (the line and the
// pixel before it), a one-pixel step (its last pixel left out), a step to the same point (nothing),
// a two-pixel step (the pen's square at both ends); the current position kept from line to line,
// and a deleted pen still selected giving way to the default. On black below: rectangles (the pen
// outline, the white brush inside, right and bottom edges left out), one given right to left, a
// two-pixel outline, and blits of any part of the 3 x 3 bitmap (white beyond it; an empty one and
// refused ones draw nothing).
TEST_F(Gdi, EveryShapeCoversThePixelsGdiCovers) {
    wintest::SetClientSize(hwnd, 110, 80);  // a DC kept across a resize draws on the new image
    line(dc, 2, 2, 30, 2);
    line(dc, 2, 5, 2, 30);
    line(dc, 6, 10, 7, 11);
    line(dc, 10, 10, 10, 10);
    line(dc, 6, 16, 40, 30);
    withPen(dc, 2, kRed, [&] {
        line(dc, 6, 6, 30, 6);
        line(dc, 14, 12, 15, 13);
    });
    POINT before{};
    line(dc, 45, 2, 80, 2);
    MoveToEx(dc, 45, 5, &before);
    EXPECT_EQ(std::make_pair(before.x, before.y), std::make_pair(LONG(80), LONG(2)));
    LineTo(dc, 45, 20);
    LineTo(dc, 80, 20);
    HPEN red = CreatePen(PS_SOLID, 1, kRed);
    SelectObject(dc, red);
    DeleteObject(red);                                    // still selected
    HPEN other = CreatePen(PS_SOLID, 3, RGB(0, 0, 255));  // may take the freed object's place
    line(dc, 45, 25, 80, 25);
    DeleteObject(other);
    withPen(dc, 36, kBlack, [&] { line(dc, 0, 62, 109, 62); });
    withPen(dc, 1, kRed, [&] {
        Rectangle(dc, 4, 48, 24, 58);
        Rectangle(dc, 48, 58, 28, 48);
    });
    withPen(dc, 2, kRed, [&] { Rectangle(dc, 54, 48, 74, 58); });
    // clang-format off
    const struct { int x, cx, cy, x1, y1; } blits[] = {  // the whole, one column, one pixel, the middle and beyond,
        {4, 3, 3, 0, 0}, {10, 1, 3, 2, 0}, {14, 1, 1, 1, 2}, {18, 4, 4, 1, 1},  // from left of it, nothing of it, empty
        {26, 3, 2, -2, 0}, {32, 2, 2, 5, 5}, {38, 0, 3, 0, 0}};
    // clang-format on
    for (const auto &b : blits) EXPECT_TRUE(BitBlt(dc, b.x, 66, b.cx, b.cy, mem, b.x1, b.y1, SRCCOPY)) << b.x;
    EXPECT_FALSE(BitBlt(dc, 44, 66, 3, 3, mem, 0, 0, SRCCOPY + 1));
    EXPECT_FALSE(BitBlt(dc, 50, 66, 3, 3, nullptr, 0, 0, SRCCOPY));
    EXPECT_TRUE(wintest::MatchesStoredImage(ORBIX_STORED "/shapes.png", hwnd));
    EXPECT_EQ(CreatePen(PS_SOLID + 1, 1, kRed), nullptr) << "only solid pens";
    HBITMAP splash = LoadBitmapA(wintest::Instance(), "BITMAPOrbix");
    const wintest::GdiObjectInfo info = wintest::Describe(splash);
    EXPECT_EQ(std::make_pair(info.width, info.height), std::make_pair(549, 422)) << "the resources' splash";
    DeleteObject(splash);
    EXPECT_EQ(LoadBitmapA(wintest::Instance(), "Nenhum"), nullptr);
}

// A positive height asks for the cell (ascent + descent); the box is white and opaque, with its
// top-left corner at the point, and the glyphs black: a box alone, then glyphs, for each font.
TEST_F(Gdi, TextIsBlackOnAWhiteBoxOfTheCellHeightAtItsCorner) {
    blacken();
    int y = 4;
    for (auto [face, height] : {std::pair{"Times New Roman", 12}, {"Times New Roman", 20}, {"MS Sans Serif", 13}}) {
        HFONT font = CreateFontA(height, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, face);
        SelectObject(dc, font);
        TextOutA(dc, 4, y, "   ", 3);
        TextOutA(dc, 40, y, "MMM", 3);
        EXPECT_EQ(SelectObject(dc, font), (HGDIOBJ)font);
        DeleteObject(font);
        y += height + 4;
    }
    EXPECT_TRUE(wintest::MatchesStoredImage(ORBIX_STORED "/text.png", hwnd));
    EXPECT_FALSE(TextOutA(dc, 0, 0, "x", -1));
    EXPECT_EQ(CreateCompatibleBitmap(dc, 0, 3), nullptr);
    HBITMAP one = CreateCompatibleBitmap(dc, 1, 1);
    EXPECT_NE(one, nullptr) << "a client area one pixel high can be copied";
    DeleteObject(one);
    EXPECT_EQ(CreateCompatibleBitmap(dc, 16385, 1), nullptr);
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
