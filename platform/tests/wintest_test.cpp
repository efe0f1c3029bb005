// The test drivers the other tests stand on: a driver that answered where the layer has nothing
// to show, or waited where a person is missing, would let a broken layer pass or hang.
#include <gtest/gtest.h>

#include "testing/wintest.h"

#include <functional>
#include <string>
#include <vector>

namespace {

// Failures the layer reports while f runs, instead of failing the test.
std::vector<std::string> failuresOf(const std::function<void()> &f) {
    std::vector<std::string> failures;
    wintest::SetFailureHandler([&](const std::string &w) { failures.push_back(w); });
    f();
    wintest::SetFailureHandler([](const std::string &w) { ADD_FAILURE() << w; });
    return failures;
}

INT_PTR CALLBACK Endless(HWND, UINT m, WPARAM, LPARAM) { return m == WM_INITDIALOG; }  // never ends itself

TEST(Drivers, AModalWindowWithNoDriverFailsAtOnceAndIsCancelled) {
    wintest::FileRequest req("");
    OPENFILENAMEA &ofn = req.ofn;
    // clang-format off
    const struct { const char *name; std::function<void()> open; } rows[] = {
        {"a dialog box", [] { EXPECT_EQ(DialogBoxParamA(wintest::Instance(), "entnpt", nullptr, Endless, 0), 0); }},
        {"a dialog box beyond the drivers given", [] { wintest::DialogDrivers none; EXPECT_EQ(DialogBoxParamA(wintest::Instance(), "entnpt", nullptr, Endless, 0), 0);
                                                       EXPECT_EQ(none.opened, std::vector<std::string>{"entnpt"}); }},
        {"a driver leaving its dialog open", [] { wintest::DialogDrivers d; d.then([](wintest::Dialog &) {});
                                                  EXPECT_EQ(DialogBoxParamA(wintest::Instance(), "entnpt", nullptr, Endless, 0), 0); }},
        {"a message box", [] { EXPECT_EQ(MessageBoxA(nullptr, "texto", "Orbix", MB_OK), IDOK); }},
        {"a save dialog", [&ofn] { EXPECT_FALSE(GetSaveFileNameA(&ofn)); }},
        {"an open dialog", [&ofn] { EXPECT_FALSE(GetOpenFileNameA(&ofn)); }},
        {"a save dialog beyond the answers given", [&ofn] { wintest::SaveDialogDriver none; EXPECT_FALSE(GetSaveFileNameA(&ofn)); }},
        {"an open dialog answered with a file that must exist and does not",
         [&ofn] { wintest::OpenDialogDriver open; open.answer("/nao/existe.orbix"); ofn.Flags = OFN_FILEMUSTEXIST; EXPECT_FALSE(GetOpenFileNameA(&ofn)); }},
    };
    // clang-format on
    for (const auto &r : rows) EXPECT_EQ(failuresOf(r.open).size(), 1u) << r.name;
    EXPECT_TRUE(wintest::LiveDialogs().empty());
    EXPECT_STREQ(req.file, "");
}

// As the file dialogs hand back a typed name: completed with the default extension, written with
// its title, then the next answer; what the program asked is recorded.
TEST(Drivers, FileDialogDriversAnswerInOrderAsTheDialogsWould) {
    wintest::FileRequest req("antes", "Dados (*.TXD)\0*.txd\0Todos (*.*)\0*.*\0", 2, OFN_OVERWRITEPROMPT, ".orbix");
    OPENFILENAMEA &ofn = req.ofn;
    char *file = req.file, *title = req.title;
    ofn.nMaxFileTitle = 8;
    wintest::SaveDialogDriver save;
    save.answer("/tmp/v.1/aula").answer("/tmp/a.txt").answer("/tmp/b").cancel();
    EXPECT_TRUE(GetSaveFileNameA(&ofn));
    EXPECT_EQ(std::string(file) + " " + title, "/tmp/v.1/aula.orbix aula.or") << "the title cut to its buffer";
    EXPECT_TRUE(GetSaveFileNameA(&ofn));
    EXPECT_STREQ(file, "/tmp/a.txt") << "an extension of its own";
    ofn.nMaxFileTitle = 0;
    EXPECT_TRUE(GetSaveFileNameA(&ofn));
    EXPECT_EQ(std::string(file) + " " + title, "/tmp/b.orbix a.txt") << "a title buffer of no size is left alone";
    EXPECT_FALSE(GetSaveFileNameA(&ofn));
    ASSERT_EQ(save.calls.size(), 4u);
    const wintest::FileDialogCall &c = save.calls[0];
    EXPECT_EQ(c.filters, (std::vector<std::pair<std::string, std::string>>{{"Dados (*.TXD)", "*.txd"}, {"Todos (*.*)", "*.*"}}));
    EXPECT_EQ(c.initialPath + " " + c.defExt, "antes .orbix");
    EXPECT_EQ(std::make_pair(c.filterIndex, c.flags), std::make_pair(DWORD(2), DWORD(OFN_OVERWRITEPROMPT)));
}

TEST(Drivers, APixelOutsideTheClientAreaIsNoPixel) {
    HWND hwnd = wintest::TestWindow("DriverPixels", DefWindowProcA, WS_OVERLAPPEDWINDOW, true);
    wintest::SetClientSize(hwnd, 40, 30);
    wintest::Pump();
    const auto [cx, cy] = wintest::ClientDeviceSize(hwnd);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {40, 0}, {0, 30}}) EXPECT_EQ(wintest::ClientPixel(hwnd, x, y), CLR_INVALID);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {cx, 0}, {0, cy}}) EXPECT_EQ(wintest::ClientDevicePixel(hwnd, x, y), CLR_INVALID);
    EXPECT_EQ(wintest::ClientPixel(hwnd, 39, 29), RGB(255, 255, 255));
    const uint64_t white = wintest::ClientDigest(hwnd);
    HDC dc = GetDC(hwnd);
    MoveToEx(dc, 39, 29, nullptr);
    LineTo(dc, 40, 29);
    ReleaseDC(hwnd, dc);
    EXPECT_NE(wintest::ClientDigest(hwnd), white) << "one pixel changes the digest";
    DestroyWindow(hwnd);
    wintest::Pump();
}

}  // namespace
