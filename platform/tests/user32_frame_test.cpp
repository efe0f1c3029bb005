// What the window system does to a frame window reaches the program as Windows sends it: mouse
// presses in the client area, the scroll bar's actions, the close box, the Tab key.
#include <gtest/gtest.h>

#include "qt/host.h"
#include "testing/wintest.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>

#include <tuple>
#include <vector>

namespace {

std::vector<MSG> got;
bool closeDestroys = true;

LRESULT CALLBACK FrameProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_LBUTTONDOWN || m == WM_LBUTTONUP || m == WM_VSCROLL || m == WM_CLOSE || m == WM_KEYDOWN ||
        m == WM_PAINT)
        got.push_back(MSG{h, m, wp, lp, 0, {}});
    if (m == WM_CLOSE && !closeDestroys) return 0;
    return DefWindowProcA(h, m, wp, lp);
}

class Frame : public ::testing::Test {
protected:
    void SetUp() override {
        hwnd = wintest::TestWindow("FrameEvents", FrameProc, WS_OVERLAPPEDWINDOW | WS_VSCROLL);
        ASSERT_TRUE(hwnd);
        ShowWindow(hwnd, SW_SHOW);
        wintest::Pump();
        got.clear();
        closeDestroys = true;
    }
    void TearDown() override {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
        wintest::Pump();
    }
    host::Window *window() const { return host::win(hwnd); }
    HWND hwnd = nullptr;
};

void mouse(QWidget *w, QEvent::Type type, Qt::MouseButton button, int x, int y) {
    const Qt::MouseButtons down = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent e(type, QPointF(x, y), w->mapToGlobal(QPointF(x, y)), button, down, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

// The left button down carries MK_LBUTTON, up carries no button; both the client position. Another
// button is no left click.
TEST_F(Frame, LeftPressesInTheClientAreaBecomeButtonMessages) {
    QWidget *canvas = window()->canvas;
    mouse(canvas, QEvent::MouseButtonPress, Qt::LeftButton, 30, 40);
    mouse(canvas, QEvent::MouseButtonRelease, Qt::LeftButton, 31, 42);
    mouse(canvas, QEvent::MouseButtonPress, Qt::RightButton, 5, 6);
    mouse(canvas, QEvent::MouseButtonRelease, Qt::RightButton, 5, 6);
    wintest::Pump();
    constexpr WPARAM kLeftDown = 0x0001;  // MK_LBUTTON
    using Button = std::tuple<UINT, WPARAM, LPARAM>;
    std::vector<Button> seen;
    for (auto &m : got) seen.emplace_back(m.message, m.wParam, m.lParam);
    EXPECT_EQ(seen, (std::vector<Button>{Button{WM_LBUTTONDOWN, kLeftDown, MAKELPARAM(30, 40)},
                                         Button{WM_LBUTTONUP, 0, MAKELPARAM(31, 42)}}));
}

// Each action on the bar sends its WM_VSCROLL code (lParam null: the window's own bar); the thumb
// goes back to where the program put it until the program moves it, except while it is dragged.
TEST_F(Frame, ScrollBarActionsSendTheirCodesAndOnlyTheProgramMovesTheThumb) {
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 50, 0};
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
    QScrollBar *bar = window()->vscroll;
    ASSERT_NE(bar, nullptr);
    const struct {
        QAbstractSlider::SliderAction action;
        int code;
    } rows[] = {
        {QAbstractSlider::SliderSingleStepSub, SB_LINEUP}, {QAbstractSlider::SliderSingleStepAdd, SB_LINEDOWN},
        {QAbstractSlider::SliderPageStepSub, SB_PAGEUP},   {QAbstractSlider::SliderPageStepAdd, SB_PAGEDOWN},
        {QAbstractSlider::SliderToMinimum, SB_TOP},        {QAbstractSlider::SliderToMaximum, SB_BOTTOM},
    };
    for (auto &r : rows) {
        got.clear();
        bar->triggerAction(r.action);
        wintest::Pump();
        ASSERT_EQ(got.size(), 1u) << r.code;
        EXPECT_EQ(std::make_tuple(got[0].message, got[0].wParam, got[0].lParam),
                  std::make_tuple(UINT(WM_VSCROLL), WPARAM(MAKEWPARAM(r.code, 0)), LPARAM(0)))
            << r.code;
        EXPECT_EQ(wintest::ScrollPos(hwnd), 50) << r.code;
    }
    // A drag: the thumb follows, then the release gives the position and the end.
    got.clear();
    bar->setSliderDown(true);
    bar->setSliderPosition(37);
    wintest::Pump();
    EXPECT_EQ(wintest::ScrollPos(hwnd), 37) << "the dragged thumb follows the mouse";
    bar->setSliderDown(false);
    wintest::Pump();
    std::vector<WPARAM> codes;
    for (auto &m : got) codes.push_back(m.wParam);
    EXPECT_EQ(codes, (std::vector<WPARAM>{MAKEWPARAM(SB_THUMBTRACK, 37), MAKEWPARAM(SB_THUMBPOSITION, 37),
                                          MAKEWPARAM(SB_ENDSCROLL, 0)}));
    EXPECT_EQ(wintest::ScrollPos(hwnd), 50) << "the program did not take the position";
}

// The close box asks through WM_CLOSE; the window goes only if its procedure lets DefWindowProc
// destroy it.
TEST_F(Frame, TheCloseBoxSendsCloseAndTheProcedureDecides) {
    for (bool destroys : {false, true}) {
        closeDestroys = destroys;
        got.clear();
        window()->widget->close();
        EXPECT_TRUE(IsWindow(hwnd)) << "nothing happens before the message is handled";
        EXPECT_TRUE(window()->widget->isVisible()) << destroys;
        wintest::Pump();
        ASSERT_EQ(got.size(), 1u) << destroys;
        EXPECT_EQ(got[0].message, UINT(WM_CLOSE));
        EXPECT_EQ(IsWindow(hwnd) == FALSE, destroys);
    }
}

// A window that moves to a screen of the same pixel ratio keeps its picture: nothing to paint again.
TEST_F(Frame, AScreenChangeAtTheSameRatioRepaintsNothing) {
    HDC dc = GetDC(hwnd);
    MoveToEx(dc, 10, 20, nullptr);
    LineTo(dc, 40, 20);
    ReleaseDC(hwnd, dc);
    QEvent moved(QEvent::ScreenChangeInternal);
    QCoreApplication::sendEvent(window()->canvas, &moved);
    wintest::Pump();
    EXPECT_TRUE(got.empty());
    EXPECT_EQ(wintest::ClientPixel(hwnd, 25, 20), RGB(0, 0, 0));
}

// Tab is the program's key, as every other: it does not move Qt's focus away from the client area.
TEST_F(Frame, TabReachesTheWindowAsAKey) {
    wintest::PressKey(hwnd, VK_TAB);
    wintest::Pump();
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(std::make_pair(got[0].message, got[0].wParam), std::make_pair(UINT(WM_KEYDOWN), WPARAM(VK_TAB)));
}

}  // namespace
