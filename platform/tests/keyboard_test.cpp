// The layer's keyboard, held to Win32: the key messages a press and release make, their lParam
// bits, GetKeyState while a message is handled, and accelerator tables.
#include <gtest/gtest.h>

#include "testing/wintest.h"

#include <vector>

namespace {

struct KeyMessage {
    UINT message;
    WPARAM vk;
    LPARAM lp;
    bool control, shift, alt;  // GetKeyState while the message was handled
};
std::vector<KeyMessage> seen;
std::vector<WPARAM> commands;

LRESULT CALLBACK KeyProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_KEYDOWN || m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP)
        seen.push_back({m, wp, lp, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0});
    if (m == WM_COMMAND) commands.push_back(wp);
    return DefWindowProcA(h, m, wp, lp);
}

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override {
        hwnd = wintest::TestWindow("KeyboardTest", KeyProc);
        ASSERT_TRUE(hwnd);
        wintest::Pump();
        seen.clear();
        commands.clear();
    }
    void TearDown() override {
        DestroyWindow(hwnd);
        wintest::Pump();
    }
    std::vector<KeyMessage> press(int vk, unsigned mods = 0) {
        seen.clear();
        wintest::PressKey(hwnd, vk, mods);
        wintest::Pump();
        return seen;
    }
    HWND hwnd;
};

// The bits of lParam the layer speaks for: the repeat count (0-15), the context code (29), the
// previous key state (30) and the transition state (31). The scan code is left out.
DWORD Bits(LPARAM lp) { return DWORD(lp) & 0xE000FFFFu; }

TEST_F(Keyboard, EveryKeyGivesItsVirtualKeyDownThenUp) {
    for (int vk :
         std::vector<int>{'A',     'M',     'Z',       '0',      '5',        '9',       VK_F1,     VK_F1 + 4, VK_F12,
                          VK_BACK, VK_TAB,  VK_RETURN, VK_SHIFT, VK_CONTROL, VK_ESCAPE, VK_SPACE,  VK_PRIOR,  VK_NEXT,
                          VK_END,  VK_HOME, VK_LEFT,   VK_UP,    VK_RIGHT,   VK_DOWN,   VK_INSERT, VK_DELETE}) {
        const auto m = press(vk);
        ASSERT_EQ(m.size(), 2u) << vk;
        EXPECT_EQ(std::make_pair(m[0].message, m[0].vk), std::make_pair(UINT(WM_KEYDOWN), WPARAM(vk))) << vk;
        EXPECT_EQ(std::make_pair(m[1].message, m[1].vk), std::make_pair(UINT(WM_KEYUP), WPARAM(vk))) << vk;
    }
}

TEST_F(Keyboard, LParamAndKeyStateFollowTheModifiers) {
    struct Row {
        const char *name;
        int vk;
        unsigned mods;
        UINT down, up;
        DWORD downBits, upBits;
        bool control, shift, alt;
    } rows[] = {
        {"A", 'A', 0, WM_KEYDOWN, WM_KEYUP, 0x00000001, 0xC0000001, false, false, false},
        {"Ctrl+C", 'C', wintest::Ctrl, WM_KEYDOWN, WM_KEYUP, 0x00000001, 0xC0000001, true, false, false},
        {"Shift+Home", VK_HOME, wintest::Shift, WM_KEYDOWN, WM_KEYUP, 0x00000001, 0xC0000001, false, true, false},
        // Alt held makes system keys with the context code set.
        {"Alt+F", 'F', wintest::Alt, WM_SYSKEYDOWN, WM_SYSKEYUP, 0x20000001, 0xE0000001, false, false, true},
        {"Alt+F4", VK_F1 + 3, wintest::Alt, WM_SYSKEYDOWN, WM_SYSKEYUP, 0x20000001, 0xE0000001, false, false, true},
    };
    for (auto &r : rows) {
        const auto m = press(r.vk, r.mods);
        ASSERT_EQ(m.size(), 2u) << r.name;
        EXPECT_EQ(std::make_pair(m[0].message, m[1].message), std::make_pair(r.down, r.up)) << r.name;
        EXPECT_EQ(Bits(m[0].lp), r.downBits) << r.name;
        EXPECT_EQ(Bits(m[1].lp), r.upBits) << r.name;
        for (auto &k : m)
            EXPECT_EQ((std::vector<bool>{k.control, k.shift, k.alt}), (std::vector<bool>{r.control, r.shift, r.alt}))
                << r.name;
    }
}

TEST_F(Keyboard, AnAcceleratorSendsItsCommandForKeyDownsWithItsModifiersOnly) {
    HACCEL table = LoadAcceleratorsA(wintest::Instance(), "Orbix");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(LoadAcceleratorsA(wintest::Instance(), "NoSuchTable"), nullptr);
    EXPECT_EQ(LoadAcceleratorsA(wintest::Instance(), MAKEINTRESOURCEA(1)), nullptr);
    struct Row {
        const char *name;
        int vk;
        unsigned mods;
        int command;  // 0: none
    } rows[] = {
        {"Ctrl+C copies", 'C', wintest::Ctrl, 126},
        {"C alone", 'C', 0, 0},
        {"Ctrl+Shift+C", 'C', wintest::Ctrl | wintest::Shift, 0},
        {"Left, no modifier", VK_LEFT, 0, 111},
        {"Alt+Left", VK_LEFT, wintest::Alt, 0},
        {"Ctrl+X is not in the table", 'X', wintest::Ctrl, 0},
    };
    for (auto &r : rows) {
        commands.clear();
        seen.clear();
        wintest::PressKey(hwnd, r.vk, r.mods);
        std::vector<int> translated;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            translated.push_back(TranslateAcceleratorA(hwnd, table, &msg));
            DispatchMessageA(&msg);
        }
        ASSERT_EQ(translated.size(), 2u) << r.name;
        EXPECT_EQ(translated, (std::vector<int>{r.command != 0, 0})) << r.name << ": the key up is never translated";
        EXPECT_EQ(commands, r.command ? std::vector<WPARAM>{MAKEWPARAM(r.command, 1)} : std::vector<WPARAM>{})
            << r.name;
    }
    MSG made{hwnd, WM_KEYDOWN, 'C', 0, 0, {}};
    EXPECT_EQ(TranslateAcceleratorA(hwnd, nullptr, &made), 0);
    EXPECT_EQ(TranslateAcceleratorA(hwnd, table, nullptr), 0);
    EXPECT_EQ(TranslateAcceleratorA(nullptr, table, &made), 0);
}

}  // namespace
