// The test drivers the dialog and drawing tests stand on: a driver that answered where the layer has
// nothing to show would let a broken layer pass.
#include <gtest/gtest.h>

#include "testing/wintest.h"

#include <string>
#include <vector>

namespace {

TEST(TestDrivers, APixelOutsideTheClientAreaIsNoPixel) {
    HWND hwnd = wintest::TestWindow("DriverPixels", DefWindowProcA, WS_OVERLAPPEDWINDOW, true);
    ASSERT_NE(hwnd, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    wintest::SetClientSize(hwnd, 40, 30);
    UpdateWindow(hwnd);
    wintest::Pump();
    const SIZE s = wintest::ClientDeviceSize(hwnd);
    ASSERT_GT(s.cx, 0);
    ASSERT_GT(s.cy, 0);
    // Each point just outside one edge, then the corners just inside.
    const POINT outside[] = {{-1, 0}, {0, -1}, {s.cx, 0}, {0, s.cy}, {-1, s.cy - 1}, {s.cx - 1, -1}};
    for (const POINT &p : outside) EXPECT_EQ(wintest::ClientDevicePixel(hwnd, p.x, p.y), CLR_INVALID) << p.x << "," << p.y;
    const POINT logicalOutside[] = {{-1, 0}, {0, -1}, {40, 0}, {0, 30}};
    for (const POINT &p : logicalOutside) EXPECT_EQ(wintest::ClientPixel(hwnd, p.x, p.y), CLR_INVALID) << p.x << "," << p.y;
    EXPECT_EQ(wintest::ClientDevicePixel(hwnd, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(wintest::ClientDevicePixel(hwnd, s.cx - 1, s.cy - 1), RGB(255, 255, 255));
    EXPECT_EQ(wintest::ClientPixel(hwnd, 39, 29), RGB(255, 255, 255));
    DestroyWindow(hwnd);
    wintest::Pump();
}

std::vector<MSG> mouse;
LRESULT CALLBACK MouseProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_LBUTTONDOWN || m == WM_LBUTTONUP) mouse.push_back(MSG{h, m, wp, lp, 0, {}});
    return DefWindowProcA(h, m, wp, lp);
}

TEST(TestDrivers, AClickIsAPressThenAReleaseWhereAPersonClicked) {
    HWND hwnd = wintest::TestWindow("DriverMouse", MouseProc);
    ASSERT_NE(hwnd, nullptr);
    mouse.clear();
    wintest::Click(hwnd, 300, 7);
    wintest::Pump();
    std::vector<std::string> got;
    for (const MSG &m : mouse)
        got.push_back(std::to_string(m.message) + " " + std::to_string(m.wParam) + " " + std::to_string(LOWORD(m.lParam)) +
                      "," + std::to_string(HIWORD(m.lParam)));
    EXPECT_EQ(got, (std::vector<std::string>{std::to_string(WM_LBUTTONDOWN) + " 1 300,7",
                                             std::to_string(WM_LBUTTONUP) + " 0 300,7"}));
    DestroyWindow(hwnd);
    wintest::Pump();
}

}  // namespace
