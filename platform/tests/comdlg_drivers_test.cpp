// The test drivers the dialog and drawing tests stand on: a driver that answered where the layer has
// nothing to show would let a broken layer pass.
#include <gtest/gtest.h>

#include "testing/wintest.h"

namespace {

TEST(TestDrivers, APixelOutsideTheClientAreaIsNoPixel) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = wintest::Instance();
    wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "DriverPixels";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "DriverPixels", "P", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                wintest::Instance(), nullptr);
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

}  // namespace
