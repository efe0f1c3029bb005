// The layer's windows, messages, painting, scroll bar and timers, held to Win32 behaviour.
#include <gtest/gtest.h>

#include "testing/wintest.h"

#include <unistd.h>

#include <string>
#include <vector>

namespace {

struct Seen {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
};
std::vector<Seen> seen;
int paints = 0;
int invalidateInPaint = 0;  // 1: before BeginPaint, 2: after EndPaint (once)

LRESULT CALLBACK TestProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    seen.push_back({m, wp, lp});
    if (m == WM_PAINT) {
        ++paints;
        if (invalidateInPaint == 1) InvalidateRect(h, nullptr, TRUE);
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        EndPaint(h, &ps);
        if (invalidateInPaint == 2) {
            invalidateInPaint = 0;
            InvalidateRect(h, nullptr, TRUE);
        }
        return 0;
    }
    if (m == WM_DESTROY) {
        PostQuitMessage(7);
        return 0;
    }
    return DefWindowProcA(h, m, wp, lp);
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        static bool registered = [] {
            WNDCLASSA wc{};
            wc.style = CS_HREDRAW | CS_VREDRAW;
            wc.lpfnWndProc = TestProc;
            wc.hInstance = wintest::Instance();
            wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
            wc.lpszClassName = "LayerTest";
            return RegisterClassA(&wc) != 0;
        }();
        ASSERT_TRUE(registered);
        seen.clear();
        paints = 0;
        invalidateInPaint = 0;
        hwnd = CreateWindowExA(0, "LayerTest", "T", WS_OVERLAPPEDWINDOW | WS_VSCROLL, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                               wintest::Instance(), nullptr);
        ASSERT_NE(hwnd, nullptr);
        ShowWindow(hwnd, SW_SHOW);
        wintest::Pump();
        seen.clear();
        paints = 0;
    }
    void TearDown() override {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
        wintest::Pump();
        wintest::TakeQuit();
    }
    int count(UINT m) const {
        int n = 0;
        for (auto &s : seen) n += s.msg == m;
        return n;
    }
    HWND hwnd = nullptr;
};

TEST(WindowClass, SecondRegistrationOfANameFailsAndUnknownClassesCreateNothing) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = TestProc;
    wc.lpszClassName = "Twice";
    EXPECT_NE(RegisterClassA(&wc), 0);
    wc.lpszClassName = "TWICE";  // class names ignore case
    EXPECT_EQ(RegisterClassA(&wc), 0);
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(WindowTest, CreationSendsCreateThenSizeWithTheDefaultClientArea) {
    seen.clear();
    HWND h = CreateWindowExA(0, "LayerTest", "T", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, wintest::Instance(), nullptr);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0].msg, UINT(WM_CREATE));
    EXPECT_EQ(seen[1].msg, UINT(WM_SIZE));
    EXPECT_EQ(LOWORD(seen[1].lp), 1024);
    EXPECT_EQ(HIWORD(seen[1].lp), 768);
    RECT r;
    GetClientRect(h, &r);
    EXPECT_EQ(r.right, 1024);
    EXPECT_EQ(r.bottom, 768);
    DestroyWindow(h);
}

TEST_F(WindowTest, ResizingSendsSizeAndRepaintsWithTheRedrawClassStyle) {
    wintest::SetClientSize(hwnd, 512, 384);
    wintest::Pump();
    ASSERT_EQ(count(WM_SIZE), 1);
    EXPECT_EQ(LOWORD(seen[0].lp), 512);
    EXPECT_EQ(HIWORD(seen[0].lp), 384);
    EXPECT_EQ(paints, 1);
}

TEST_F(WindowTest, ClientSizesFromNothingToBeyondAnyScreenArePaintedSafely) {
    struct Row {
        const char *name;
        int w, h;
    } rows[] = {{"nothing", 0, 0}, {"one pixel", 1, 1}, {"very wide", 60000, 3}, {"huge", 65535, 65535}};
    for (auto &r : rows) {
        seen.clear();
        wintest::SetClientSize(hwnd, r.w, r.h);
        wintest::Pump();
        ASSERT_EQ(count(WM_SIZE), 1) << r.name;
        EXPECT_EQ(LOWORD(seen[0].lp), r.w) << r.name;
        EXPECT_EQ(HIWORD(seen[0].lp), r.h) << r.name;
        HDC dc = GetDC(hwnd);
        MoveToEx(dc, 0, 0, nullptr);
        EXPECT_TRUE(LineTo(dc, r.w, r.h)) << r.name;
        ReleaseDC(hwnd, dc);
    }
}

TEST_F(WindowTest, InvalidateBeforeBeginPaintCausesNoFurtherPaint) {
    invalidateInPaint = 1;
    InvalidateRect(hwnd, nullptr, TRUE);
    wintest::Pump();
    EXPECT_EQ(paints, 1);
}

TEST_F(WindowTest, InvalidateAfterEndPaintCausesExactlyOneMorePaint) {
    invalidateInPaint = 2;
    InvalidateRect(hwnd, nullptr, TRUE);
    wintest::Pump();
    EXPECT_EQ(paints, 2);
}

TEST_F(WindowTest, UpdateWindowPaintsAtOnceOnlyWhenInvalid) {
    UpdateWindow(hwnd);
    EXPECT_EQ(paints, 0);
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    EXPECT_EQ(paints, 1);
    wintest::Pump();
    EXPECT_EQ(paints, 1);
}

TEST_F(WindowTest, GetDcDrawingStaysUntilTheNextErasingPaint) {
    HDC dc = GetDC(hwnd);
    MoveToEx(dc, 10, 20, nullptr);
    LineTo(dc, 40, 20);
    ReleaseDC(hwnd, dc);
    EXPECT_EQ(wintest::ClientPixel(hwnd, 25, 20), RGB(0, 0, 0));
    InvalidateRect(hwnd, nullptr, FALSE);
    wintest::Pump();
    EXPECT_EQ(wintest::ClientPixel(hwnd, 25, 20), RGB(0, 0, 0)) << "a paint without erase keeps it";
    InvalidateRect(hwnd, nullptr, TRUE);
    wintest::Pump();
    EXPECT_EQ(wintest::ClientPixel(hwnd, 25, 20), RGB(255, 255, 255));
}

TEST_F(WindowTest, PostedMessagesArriveInOrderBeforeThePaint) {
    InvalidateRect(hwnd, nullptr, TRUE);
    PostMessageA(hwnd, WM_USER + 1, 1, 0);
    PostMessageA(hwnd, WM_USER + 2, 2, 0);
    wintest::Pump();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].msg, UINT(WM_USER + 1));
    EXPECT_EQ(seen[1].msg, UINT(WM_USER + 2));
    EXPECT_EQ(seen[2].msg, UINT(WM_PAINT));
}

TEST_F(WindowTest, CloseDestroysThroughDefWindowProcAndPostsTheQuitCode) {
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(count(WM_DESTROY), 1);
    int code = 0;
    wintest::Pump();
    EXPECT_TRUE(wintest::TakeQuit(&code));
    EXPECT_EQ(code, 7);
}

TEST_F(WindowTest, MessagesForADestroyedWindowAreDropped) {
    PostMessageA(hwnd, WM_USER, 0, 0);
    HWND old = hwnd;
    DestroyWindow(hwnd);
    seen.clear();
    wintest::Pump();
    EXPECT_EQ(count(WM_USER), 0);
    EXPECT_EQ(SendMessageA(old, WM_USER, 0, 0), 0);
}

TEST_F(WindowTest, ScrollBarKeepsItsDefaultRangeAndClampsPositions) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    struct Row {
        const char *name;
        int asked, shown;
    } rows[] = {{"inside", 40, 40}, {"above range", 250, 100}, {"below range", -5, 0}};
    for (auto &r : rows) {
        si.nPos = r.asked;
        EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &si, TRUE), r.shown) << r.name;
        EXPECT_EQ(wintest::ScrollPos(hwnd), r.shown) << r.name;
    }
    SCROLLINFO got{};
    got.cbSize = sizeof got;
    got.fMask = SIF_RANGE;
    ASSERT_TRUE(GetScrollInfo(hwnd, SB_VERT, &got));
    EXPECT_EQ(got.nMin, 0);
    EXPECT_EQ(got.nMax, 100);
}

TEST_F(WindowTest, TimersPostTimerMessagesUntilKilled) {
    EXPECT_EQ(SetTimer(hwnd, 3, 1500, nullptr), UINT_PTR(3));
    UINT elapse = 0;
    EXPECT_TRUE(wintest::TimerActive(hwnd, 3, &elapse));
    EXPECT_EQ(elapse, 1500u);
    EXPECT_TRUE(KillTimer(hwnd, 3));
    EXPECT_FALSE(wintest::TimerActive(hwnd, 3));
    EXPECT_FALSE(KillTimer(hwnd, 3));
    SetTimer(hwnd, 4, 10, nullptr);
    MSG msg;
    bool got = false;
    for (int i = 0; i < 200 && !got; ++i) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message == WM_TIMER) got = msg.wParam == 4;
        else if (!got) usleep(2000);
    }
    KillTimer(hwnd, 4);
    EXPECT_TRUE(got);
}

TEST(MessageLoop, IsDialogMessageWithNoDialogLeavesTheMessageToTheCaller) {
    MSG msg{};
    msg.message = WM_USER;
    EXPECT_FALSE(IsDialogMessageA(nullptr, &msg));
}

}  // namespace
