// The layer's windows, messages, painting, scroll bar and timers, held to Win32 behaviour.
#include <gtest/gtest.h>
#include <unistd.h>

#include "testing/wintest.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::vector<MSG> seen;
int invalidateInPaint = 0;  // 1: before BeginPaint, 2: after EndPaint (once)

LRESULT CALLBACK TestProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    seen.push_back(MSG{h, m, wp, lp, 0, {}});
    if (m == WM_PAINT) {
        if (invalidateInPaint == 1) InvalidateRect(h, nullptr, TRUE);
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        EndPaint(h, &ps);
        if (invalidateInPaint == 2 && !(invalidateInPaint = 0)) InvalidateRect(h, nullptr, TRUE);
        return 0;
    }
    if (m == WM_DESTROY) PostQuitMessage(7);
    return m == WM_DESTROY ? 0 : DefWindowProcA(h, m, wp, lp);
}

HWND create() {
    return CreateWindowExA(0, "LayerTest", "T", WS_OVERLAPPEDWINDOW | WS_VSCROLL, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, wintest::Instance(), nullptr);
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        static bool registered = [] {
            WNDCLASSA wc{};
            wc.style = CS_HREDRAW | CS_VREDRAW;
            wc.lpfnWndProc = TestProc;
            wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
            wc.lpszClassName = "LayerTest";
            return RegisterClassA(&wc) != 0;
        }();
        ASSERT_TRUE(registered);
        seen.clear();
        hwnd = create();
        ShowWindow(hwnd, SW_SHOW);
        wintest::Pump();
        seen.clear();
        invalidateInPaint = 0;
    }
    void TearDown() override {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
        wintest::Pump();
        wintest::TakeQuit();
    }
    static int count(UINT m) {
        int n = 0;
        for (auto &s : seen) n += s.message == m;
        return n;
    }
    HWND hwnd = nullptr;
};

// SetWindowPos gives a window without a frame, menu or scroll bar exactly the size asked, so its
// client area too; a size below zero is an empty one.
TEST_F(WindowTest, SetWindowPosGivesAPopupTheSizeAskedAndNegativeIsEmpty) {
    HWND popup =
        CreateWindowExA(0, "LayerTest", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, wintest::Instance(), nullptr);
    const struct {
        int cx, cy;
        LONG w, h;
    } rows[] = {{300, 200, 300, 200}, {300, 0, 300, 0}, {0, 150, 0, 150}, {-5, -7, 0, 0}, {40, 1, 40, 1}};
    for (auto &r : rows) {
        seen.clear();
        EXPECT_TRUE(SetWindowPos(popup, nullptr, 0, 0, r.cx, r.cy, SWP_NOMOVE | SWP_NOZORDER));
        RECT wr{}, cr{};
        GetWindowRect(popup, &wr);
        GetClientRect(popup, &cr);
        EXPECT_EQ(std::make_pair(wr.right - wr.left, wr.bottom - wr.top), std::make_pair(r.w, r.h))
            << r.cx << 'x' << r.cy;
        EXPECT_EQ(std::make_pair(cr.right, cr.bottom), std::make_pair(r.w, r.h)) << r.cx << 'x' << r.cy;
    }
    DestroyWindow(popup);
}

// nWidth and nHeight are the window's size: the client area is what the scroll bar and the menu bar
// leave; AdjustWindowRectEx gives the window size for a client size wanted. With CW_USEDEFAULT as
// the width the height is not looked at either.
TEST_F(WindowTest, TheClientAreaIsTheWindowLessItsBars) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "WithMenu";
    wc.lpszMenuName = "Orbix";
    ASSERT_TRUE(RegisterClassA(&wc));
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    ASSERT_GT(bar, 0);
    RECT adjusted = {0, 0, 400, 300};
    ASSERT_TRUE(AdjustWindowRectEx(&adjusted, WS_POPUP, TRUE, 0));
    ASSERT_LT(adjusted.top, 0) << "room for the menu bar";
    EXPECT_EQ(std::make_tuple(adjusted.left, adjusted.right, adjusted.bottom), std::make_tuple(0L, 400L, 300L));
    RECT plain = {5, 6, 70, 80};
    AdjustWindowRectEx(&plain, WS_POPUP, FALSE, 0);
    EXPECT_EQ(std::make_tuple(plain.left, plain.top, plain.right, plain.bottom), std::make_tuple(5L, 6L, 70L, 80L));
    const struct {
        const char *name, *cls;
        DWORD style;
        int w, h;
        LONG clientW, clientH;
    } rows[] = {
        {"plain", "LayerTest", WS_POPUP, 300, 200, 300, 200},
        {"a scroll bar", "LayerTest", WS_POPUP | WS_VSCROLL, 300, 200, 300 - bar, 200},
        {"a menu, adjusted", "WithMenu", WS_POPUP, 400, 300 - adjusted.top, 400, 300},
        {"default width", "LayerTest", WS_POPUP, CW_USEDEFAULT, 50, 1024, 768},
    };
    for (auto &r : rows) {
        HWND h = CreateWindowExA(0, r.cls, "", r.style, 0, 0, r.w, r.h, nullptr, nullptr, wintest::Instance(), nullptr);
        RECT c{};
        GetClientRect(h, &c);
        EXPECT_EQ(std::make_pair(c.right, c.bottom), std::make_pair(r.clientW, r.clientH)) << r.name;
        DestroyWindow(h);
    }
    EXPECT_FALSE(AdjustWindowRectEx(nullptr, WS_POPUP, TRUE, 0));
    EXPECT_EQ(GetSystemMetrics(-12345), 0) << "an index it does not know";
}

// A window whose WM_CREATE answers -1 is destroyed before CreateWindowEx returns, and it gives null.
TEST(Creation, MinusOneFromCreateDestroysTheWindowAndGivesNull) {
    static std::vector<UINT> got;
    WNDCLASSA wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        got.push_back(m);
        return m == WM_CREATE ? -1 : DefWindowProcA(h, m, wp, lp);
    };
    wc.lpszClassName = "Refuses";
    ASSERT_TRUE(RegisterClassA(&wc));
    EXPECT_EQ(CreateWindowExA(0, "Refuses", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(got, (std::vector<UINT>{WM_CREATE, WM_DESTROY}));
    wintest::Pump();
}

// The title: GetWindowText copies what fits in n - 1 bytes, ends it with a zero and returns its
// length; the text is Windows-1252 both ways.
TEST_F(WindowTest, TheTitleIsSetAndReadBackCutToTheBuffer) {
    ASSERT_TRUE(SetWindowTextA(hwnd, "Álgebra"));
    const struct {
        int n;
        const char *text;
        int length;
    } rows[] = {{100, "Álgebra", 7}, {8, "Álgebra", 7}, {4, "Álg", 3}, {1, "", 0}};
    for (auto &r : rows) {
        char buf[100];
        memset(buf, 'x', sizeof buf);
        EXPECT_EQ(GetWindowTextA(hwnd, buf, r.n), r.length) << r.n;
        EXPECT_STREQ(buf, r.text) << r.n;
    }
    char untouched[4] = "abc";
    EXPECT_EQ(GetWindowTextA(hwnd, untouched, 0), 0);
    EXPECT_STREQ(untouched, "abc") << "no room at all: nothing written";
    ASSERT_TRUE(SetWindowTextA(hwnd, nullptr));
    EXPECT_EQ(GetWindowTextA(hwnd, untouched, sizeof untouched), 0);
    EXPECT_EQ(GetWindowTextA(reinterpret_cast<HWND>(uintptr_t(0x1234)), untouched, sizeof untouched), 0);
    EXPECT_FALSE(SetWindowTextA(reinterpret_cast<HWND>(uintptr_t(0x1234)), "x"));
}

// ShowWindow returns whether the window was visible before; DestroyWindow takes the windows a window
// owns first.
TEST_F(WindowTest, ShowWindowSaysWhatWasAndOwnedWindowsGoFirst) {
    HWND owned = CreateWindowExA(0, "LayerTest", "", WS_POPUP, 0, 0, 50, 50, hwnd, nullptr, nullptr, nullptr);
    const struct {
        int cmd;
        BOOL was;
    } rows[] = {{SW_SHOW, FALSE}, {SW_SHOWNORMAL, TRUE}, {SW_HIDE, TRUE}, {SW_HIDE, FALSE}, {SW_SHOW, FALSE}};
    for (auto &r : rows) EXPECT_EQ(ShowWindow(owned, r.cmd) != 0, r.was != 0) << r.cmd;
    seen.clear();
    DestroyWindow(hwnd);
    EXPECT_FALSE(IsWindow(owned));
    std::vector<HWND> destroyed;
    for (auto &m : seen)
        if (m.message == WM_DESTROY) destroyed.push_back(m.hwnd);
    EXPECT_EQ(destroyed, (std::vector<HWND>{owned, hwnd}));
}

TEST_F(WindowTest, ClassNamesAreUniqueIgnoringCaseAndUnknownClassesCreateNothing) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = TestProc;
    wc.lpszClassName = "LAYERTEST";
    EXPECT_EQ(RegisterClassA(&wc), 0);
    EXPECT_EQ(RegisterClassA(nullptr), 0);
    wc.lpszClassName = nullptr;
    EXPECT_EQ(RegisterClassA(&wc), 0) << "no name";
    // Class atoms are in the range of string atoms, one for each class.
    wc.lpszClassName = "AtomOne";
    const ATOM one = RegisterClassA(&wc);
    wc.lpszClassName = "AtomTwo";
    const ATOM two = RegisterClassA(&wc);
    EXPECT_GE(std::min(one, two), 0xC000);
    EXPECT_NE(one, two);
    WNDCLASSA back{};
    ASSERT_TRUE(GetClassInfoA(nullptr, "atomone", &back));
    EXPECT_EQ(back.lpfnWndProc, TestProc);
    EXPECT_FALSE(GetClassInfoA(nullptr, "AtomThree", &back));
    EXPECT_FALSE(GetClassInfoA(nullptr, "AtomOne", nullptr));
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(WindowTest, CreationSendsCreateThenSizeWithTheReferenceClientArea) {
    HWND h = create();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, UINT(WM_CREATE));
    EXPECT_EQ(seen[1].message, UINT(WM_SIZE));
    EXPECT_EQ(seen[1].lParam, MAKELPARAM(1024, 768));
    RECT r;
    GetClientRect(h, &r);
    EXPECT_EQ(std::make_pair(r.right, r.bottom), std::make_pair(LONG(1024), LONG(768)));
    DestroyWindow(h);
}

TEST_F(WindowTest, AnyClientSizeSendsItsSizeRepaintsAndDrawsSafely) {
    struct Row {
        int w, h;
    } rows[] = {{512, 384}, {0, 0}, {1, 1}, {60000, 3}, {65535, 65535}};
    for (auto &r : rows) {
        seen.clear();
        wintest::SetClientSize(hwnd, r.w, r.h);
        wintest::Pump();
        ASSERT_EQ(count(WM_SIZE), 1) << r.w;
        EXPECT_EQ(seen[0].lParam, MAKELPARAM(r.w, r.h));
        EXPECT_EQ(count(WM_PAINT), 1) << "the redraw class style, " << r.w;
        HDC dc = GetDC(hwnd);
        MoveToEx(dc, 0, 0, nullptr);
        EXPECT_TRUE(LineTo(dc, r.w, r.h));
        ReleaseDC(hwnd, dc);
    }
}

// A DC from GetDC stays good while the window is resized: what it drew is kept, and it draws on the
// whole new client area.
TEST_F(WindowTest, ADcKeptOverAResizeDrawsOnTheNewClientArea) {
    HDC dc = GetDC(hwnd);
    MoveToEx(dc, 0, 10, nullptr);
    LineTo(dc, 50, 10);
    wintest::SetClientSize(hwnd, 1100, 900);
    MoveToEx(dc, 10, 850, nullptr);
    LineTo(dc, 60, 850);
    ReleaseDC(hwnd, dc);
    EXPECT_EQ(wintest::ClientPixel(hwnd, 25, 10), RGB(0, 0, 0)) << "drawn before";
    EXPECT_EQ(wintest::ClientPixel(hwnd, 30, 850), RGB(0, 0, 0)) << "drawn after, below the old size";
}

TEST_F(WindowTest, InvalidatingBeforeBeginPaintAddsNoPaintAndAfterEndPaintExactlyOne) {
    for (int when : {1, 2}) {
        seen.clear();
        invalidateInPaint = when;
        InvalidateRect(hwnd, nullptr, TRUE);
        wintest::Pump();
        EXPECT_EQ(count(WM_PAINT), when) << when;
    }
    seen.clear();
    UpdateWindow(hwnd);
    EXPECT_EQ(count(WM_PAINT), 0) << "a valid window";
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    EXPECT_EQ(count(WM_PAINT), 1) << "UpdateWindow paints at once";
}

TEST_F(WindowTest, GetDcDrawingStaysUntilTheNextErasingPaint) {
    HDC dc = GetDC(hwnd);
    MoveToEx(dc, 10, 20, nullptr);
    LineTo(dc, 40, 20);
    ReleaseDC(hwnd, dc);
    EXPECT_EQ(wintest::ClientPixel(hwnd, 25, 20), RGB(0, 0, 0));
    InvalidateRect(hwnd, nullptr, FALSE);
    wintest::Pump();
    EXPECT_EQ(wintest::ClientPixel(hwnd, 25, 20), RGB(0, 0, 0)) << "no erase asked";
    InvalidateRect(hwnd, nullptr, TRUE);
    wintest::Pump();
    EXPECT_EQ(wintest::ClientPixel(hwnd, 25, 20), RGB(255, 255, 255));
}

TEST_F(WindowTest, PostedMessagesComeInOrderBeforeThePaintAndDieWithTheirWindow) {
    InvalidateRect(hwnd, nullptr, TRUE);
    PostMessageA(hwnd, WM_USER + 1, 1, 0);
    PostMessageA(hwnd, WM_USER + 2, 2, 0);
    wintest::Pump();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(std::vector<UINT>({seen[0].message, seen[1].message, seen[2].message}),
              std::vector<UINT>({WM_USER + 1, WM_USER + 2, WM_PAINT}));
    PostMessageA(hwnd, WM_USER, 0, 0);
    DestroyWindow(hwnd);
    seen.clear();
    wintest::Pump();
    EXPECT_EQ(count(WM_USER), 0);
    EXPECT_EQ(SendMessageA(hwnd, WM_USER, 0, 0), 0);
}

// A message posted to no window is the thread's: PeekMessage gives it with a null hwnd. WM_QUIT
// comes when nothing else is posted, and stays until it is removed.
TEST_F(WindowTest, ThreadMessagesAndQuitComeThroughPeekMessage) {
    MSG m{};
    ASSERT_TRUE(PostMessageA(nullptr, WM_USER + 5, 11, 22));
    PostQuitMessage(3);
    PostMessageA(hwnd, WM_USER + 6, 0, 0);
    struct Step {
        UINT remove;
        HWND hwnd;
        UINT message;
        WPARAM wParam;
    } steps[] = {
        {PM_NOREMOVE, nullptr, WM_USER + 5, 11}, {PM_REMOVE, nullptr, WM_USER + 5, 11},
        {PM_REMOVE, hwnd, WM_USER + 6, 0},       {PM_NOREMOVE, nullptr, WM_QUIT, 3},
        {PM_REMOVE, nullptr, WM_QUIT, 3},
    };
    for (auto &st : steps) {
        m = MSG{};
        ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, st.remove)) << st.message;
        EXPECT_EQ(std::make_tuple(m.hwnd, m.message, m.wParam), std::make_tuple(st.hwnd, st.message, st.wParam));
    }
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) << "WM_QUIT once";
}

TEST_F(WindowTest, CloseDestroysThroughDefWindowProcAndPostsTheQuitCode) {
    // DefWindowProc answers 0 to what it handles and to what it does not know.
    InvalidateRect(hwnd, nullptr, TRUE);
    EXPECT_EQ(DefWindowProcA(hwnd, WM_PAINT, 0, 0), 0);
    wintest::Pump();
    EXPECT_EQ(count(WM_PAINT), 0) << "its WM_PAINT validates the window";
    EXPECT_EQ(DefWindowProcA(hwnd, WM_USER + 9, 1, 2), 0);
    EXPECT_EQ(DefWindowProcA(reinterpret_cast<HWND>(uintptr_t(0x1234)), WM_USER, 0, 0), 0);
    EXPECT_EQ(SendMessageA(hwnd, WM_CLOSE, 0, 0), 0) << "DefWindowProc's answer to WM_CLOSE";
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(count(WM_DESTROY), 1);
    int code = 0;
    wintest::Pump();
    EXPECT_TRUE(wintest::TakeQuit(&code));
    EXPECT_EQ(code, 7);
}

TEST_F(WindowTest, ADestroyedWindowStopsItsTimersAndItsHandleNeverFindsALaterWindow) {
    SetTimer(hwnd, 5, 1000, nullptr);
    SetTimer(hwnd, 6, 1000, nullptr);
    const HWND other = create();
    SetTimer(other, 5, 1000, nullptr);
    const HWND old = hwnd;
    DestroyWindow(hwnd);
    EXPECT_FALSE(wintest::TimerActive(old, 5));
    EXPECT_FALSE(wintest::TimerActive(old, 6));
    EXPECT_TRUE(wintest::TimerActive(other, 5)) << "another window keeps its timers";
    DestroyWindow(other);
    // Its memory goes with its widgets and may serve the windows made next; its handle may not.
    for (int i = 0; i < 20; ++i) {
        wintest::Pump();
        HWND h = create();
        EXPECT_NE(h, old);
        EXPECT_FALSE(IsWindow(old));
        seen.clear();
        EXPECT_EQ(SendMessageA(old, WM_USER, 0, 0), 0);
        EXPECT_EQ(count(WM_USER), 0);
        DestroyWindow(h);
    }
}

TEST_F(WindowTest, ADcKeptPastItsWindowsEndDrawsNothingAndReadsNoFreedMemory) {
    HDC dc = GetDC(hwnd);
    DestroyWindow(hwnd);
    wintest::Pump();  // the window's widgets go, and with them what could reach it
    MoveToEx(dc, 0, 0, nullptr);
    EXPECT_TRUE(LineTo(dc, 10, 10));
    EXPECT_TRUE(TextOutA(dc, 0, 0, "x", 1));
    EXPECT_EQ(ReleaseDC(hwnd, dc), 1);
}

// The class brush erases the client area before a paint; a class without one leaves it for the
// program, and says so in fErase.
TEST(Erase, TheClassBrushErasesAndNoBrushLeavesThePicture) {
    const struct {
        const char *classe;
        int brush;  // stock brush, -1 for none
        COLORREF depois;
    } casos[] = {
        {"EraseWhite", WHITE_BRUSH, RGB(255, 255, 255)},
        {"EraseGray", GRAY_BRUSH, RGB(128, 128, 128)},
        {"EraseLight", LTGRAY_BRUSH, RGB(192, 192, 192)},
        {"EraseBlack", BLACK_BRUSH, RGB(0, 0, 0)},
        {"EraseNone", -1, RGB(0, 0, 255)},
    };
    for (auto &c : casos) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hbrBackground = c.brush < 0 ? nullptr : (HBRUSH)GetStockObject(c.brush);
        wc.lpszClassName = c.classe;
        ASSERT_TRUE(RegisterClassA(&wc)) << c.classe;
        HWND h = CreateWindowExA(0, c.classe, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
        wintest::Pump();
        HDC dc = GetDC(h);
        HPEN azul = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
        SelectObject(dc, azul);
        MoveToEx(dc, 10, 20, nullptr);
        LineTo(dc, 60, 20);
        ReleaseDC(h, dc);
        DeleteObject(azul);
        InvalidateRect(h, nullptr, TRUE);
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        EXPECT_TRUE(ps.fErase) << c.classe;
        EndPaint(h, &ps);
        EXPECT_EQ(wintest::ClientPixel(h, 30, 20), c.depois) << c.classe;
        DestroyWindow(h);
        wintest::Pump();
    }
}

// A command from the menu carries 0 in the high word of wParam and no control; one from an
// accelerator carries 1.
TEST(Commands, TheMenuSaysZeroAndAnAcceleratorOne) {
    static std::vector<std::pair<WPARAM, LPARAM>> comandos;
    WNDCLASSA wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_COMMAND) comandos.push_back({wp, lp});
        return DefWindowProcA(h, m, wp, lp);
    };
    wc.lpszClassName = "MenuTest";
    wc.lpszMenuName = "Orbix";
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND h = CreateWindowExA(0, "MenuTest", "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, nullptr, nullptr, wintest::Instance(), nullptr);
    HACCEL teclas = LoadAcceleratorsA(wintest::Instance(), "Orbix");
    ASSERT_NE(teclas, nullptr);
    wintest::Pump();
    wintest::ChooseMenuItem(h, 117);
    wintest::PressKey(h, 'O', wintest::Ctrl);
    wintest::PressKey(h, VK_F1);
    wintest::PressKey(h, 'O');  // no key of the table: no command
    wintest::Pump([&](MSG *m) {
        if (!TranslateAcceleratorA(h, teclas, m)) DispatchMessageA(m);
    });
    EXPECT_EQ(comandos, (std::vector<std::pair<WPARAM, LPARAM>>{
                            {MAKEWPARAM(117, 0), 0}, {MAKEWPARAM(124, 1), 0}, {MAKEWPARAM(116, 1), 0}}));
    EXPECT_EQ(TranslateAcceleratorA(h, nullptr, nullptr), 0);
    DestroyWindow(h);
    wintest::Pump();
}

// Handles that name nothing are refused, never followed.
TEST(Handles, CallsOnHandlesThatNameNothingAreRefused) {
    HWND nada = nullptr, falso = reinterpret_cast<HWND>(uintptr_t(0x1234));
    for (HWND h : {nada, falso}) {
        RECT r{};
        EXPECT_FALSE(ShowWindow(h, SW_SHOW));
        EXPECT_FALSE(UpdateWindow(h));
        EXPECT_FALSE(IsWindow(h));
        EXPECT_FALSE(GetClientRect(h, &r));
        EXPECT_FALSE(GetWindowRect(h, &r));
        EXPECT_FALSE(SetWindowPos(h, nullptr, 0, 0, 10, 10, 0));
        EXPECT_FALSE(InvalidateRect(h, nullptr, TRUE));
        EXPECT_FALSE(DestroyWindow(h));
        EXPECT_EQ(SendMessageA(h, WM_USER, 0, 0), 0);
        SCROLLINFO si{sizeof si, SIF_ALL, 0, 10, 0, 5, 0};
        EXPECT_EQ(SetScrollInfo(h, SB_VERT, &si, TRUE), 0);
        EXPECT_FALSE(GetScrollInfo(h, SB_VERT, &si));
        EXPECT_EQ(h == nada, PostMessageA(h, WM_NULL, 0, 0) != 0) << "a thread message needs no window";
    }
    // Resource names that name nothing, by string or by number, load nothing.
    for (LPCSTR name : {LPCSTR("nosuch"), LPCSTR(MAKEINTRESOURCEA(999)), LPCSTR(nullptr)}) {
        EXPECT_EQ(LoadBitmapA(wintest::Instance(), name), nullptr);
        EXPECT_EQ(LoadIconA(wintest::Instance(), name), nullptr);
    }
    // Shared cursors: the same one each time, different ones apart.
    EXPECT_EQ(LoadCursorA(nullptr, IDC_CROSS), LoadCursorA(nullptr, IDC_CROSS));
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_NE(LoadCursorA(nullptr, IDC_CROSS), LoadCursorA(nullptr, IDC_ARROW));
    MSG m{};
    m.message = WM_USER;
    EXPECT_EQ(DispatchMessageA(&m), 0) << "a thread message is dispatched to nobody";
    EXPECT_EQ(DispatchMessageA(nullptr), 0);
    wintest::Pump();
}

// The vertical bar starts at 0..100; SetScrollInfo keeps the position inside the range and returns
// it, and the bar shows it. Another bar's settings leave this one alone.
TEST_F(WindowTest, ScrollBarKeepsItsRangeAndClampsPositions) {
    constexpr int kHorizontalBar = 0;  // SB_HORZ, which the program never uses
    const struct {
        const char *name;
        int bar;
        UINT mask;
        int min, max, pos;
        int shown, gotMin, gotMax;
    } rows[] = {
        {"in range", SB_VERT, SIF_POS, 0, 0, 40, 40, 0, 100},
        {"above the default range", SB_VERT, SIF_POS, 0, 0, 250, 100, 0, 100},
        {"below it", SB_VERT, SIF_POS, 0, 0, -5, 0, 0, 100},
        {"a wider range", SB_VERT, SIF_RANGE | SIF_POS, 0, 300, 250, 250, 0, 300},
        {"a range below the position", SB_VERT, SIF_RANGE, 10, 50, 0, 50, 10, 50},
        {"a position below the range", SB_VERT, SIF_POS, 0, 0, 3, 10, 10, 50},
        {"the horizontal bar", kHorizontalBar, SIF_RANGE | SIF_POS, 0, 5, 2, 10, 10, 50},
        {"back to the default", SB_VERT, SIF_RANGE | SIF_POS, 0, 100, 70, 70, 0, 100},
    };
    for (auto &r : rows) {
        SCROLLINFO si{sizeof si, r.mask, r.min, r.max, 0, r.pos, 0};
        const int got = SetScrollInfo(hwnd, r.bar, &si, TRUE);
        if (r.bar == SB_VERT) {
            EXPECT_EQ(got, r.shown) << r.name;
        }
        EXPECT_EQ(wintest::ScrollPos(hwnd), r.shown) << r.name;
        SCROLLINFO back{sizeof back, SIF_ALL, -1, -1, 77, -1, -1};
        ASSERT_TRUE(GetScrollInfo(hwnd, SB_VERT, &back)) << r.name;
        EXPECT_EQ(std::make_tuple(back.nMin, back.nMax, back.nPos, back.nPage, back.nTrackPos),
                  std::make_tuple(r.gotMin, r.gotMax, r.shown, 0u, r.shown))
            << r.name;
    }
    EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, nullptr, TRUE), 0);
    EXPECT_FALSE(GetScrollInfo(hwnd, SB_VERT, nullptr));
}

TEST_F(WindowTest, TimersPostTimerMessagesUntilKilled) {
    UINT elapse = 0;
    EXPECT_EQ(SetTimer(hwnd, 3, 1500, nullptr), UINT_PTR(3));
    EXPECT_TRUE(wintest::TimerActive(hwnd, 3, &elapse));
    EXPECT_EQ(elapse, 1500u);
    // The same id again resets that timer; below USER_TIMER_MINIMUM (10 ms) the period is raised to it.
    EXPECT_EQ(SetTimer(hwnd, 3, 1, nullptr), UINT_PTR(3));
    EXPECT_TRUE(wintest::TimerActive(hwnd, 3, &elapse));
    EXPECT_EQ(elapse, 10u);
    EXPECT_EQ(SetTimer(reinterpret_cast<HWND>(uintptr_t(0x1234)), 3, 100, nullptr), 0u) << "no such window";
    EXPECT_FALSE(KillTimer(nullptr, 3)) << "another window's timer";
    EXPECT_TRUE(KillTimer(hwnd, 3));
    EXPECT_FALSE(KillTimer(hwnd, 3));
    SetTimer(hwnd, 4, 10, nullptr);
    MSG msg;
    bool got = false;
    for (int i = 0; i < 200 && !got; ++i, usleep(2000))
        got = PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message == WM_TIMER && msg.wParam == 4;
    KillTimer(hwnd, 4);
    EXPECT_TRUE(got);
    EXPECT_EQ(msg.hwnd, hwnd);
    EXPECT_EQ(msg.lParam, 0) << "no TimerProc";
    EXPECT_FALSE(IsDialogMessageA(nullptr, &msg)) << "no dialog: the message is the caller's";
}

// The command line WinMain gets: the arguments after the program's name, one space apart, each
// quoted only when it must be, so that the C runtime's rules give the same arguments back.
TEST(CommandLine, ArgumentsAreJoinedAndQuotedAsTheRuntimeReadsThem) {
    const struct {
        const char *name;
        std::vector<std::string> args;
        std::string line;
    } rows[] = {
        {"none", {}, ""},
        {"one", {"aula.orbix"}, "aula.orbix"},
        {"two", {"a", "b"}, "a b"},
        {"a space", {"minha aula"}, "\"minha aula\""},
        {"a tab", {"a\tb"}, "\"a\tb\""},
        {"empty", {""}, "\"\""},
        {"a quote", {"x\"y"}, "\"x\\\"y\""},
        {"backslashes before a quote", {"a\\\"b"}, "\"a\\\\\\\"b\""},
        {"backslashes before the closing quote", {"c:\\a b\\"}, "\"c:\\a b\\\\\""},
        {"backslashes elsewhere", {"c:\\dir\\f"}, "c:\\dir\\f"},
    };
    for (auto &r : rows) EXPECT_EQ(wintest::CommandLineFor(r.args), r.line) << r.name;
}

}  // namespace
