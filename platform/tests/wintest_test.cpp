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
    char file[64] = "";
    OPENFILENAMEA ofn{};
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    struct Row {
        const char *name;
        std::function<void()> open;
    };
    const Row rows[] = {
        {"a dialog box", [] { EXPECT_EQ(DialogBoxParamA(wintest::Instance(), "entnpt", nullptr, Endless, 0), 0); }},
        {"a dialog box beyond the drivers given", [] {
             wintest::DialogDrivers none;
             EXPECT_EQ(DialogBoxParamA(wintest::Instance(), "entnpt", nullptr, Endless, 0), 0);
             EXPECT_EQ(none.opened, std::vector<std::string>{"entnpt"});
         }},
        {"a driver leaving its dialog open", [] {
             wintest::DialogDrivers d;
             d.then([](wintest::Dialog &) {});
             EXPECT_EQ(DialogBoxParamA(wintest::Instance(), "entnpt", nullptr, Endless, 0), 0);
         }},
        {"a message box", [] { EXPECT_EQ(MessageBoxA(nullptr, "texto", "Orbix", MB_OK), IDOK); }},
        {"a save dialog", [&ofn] { EXPECT_FALSE(GetSaveFileNameA(&ofn)); }},
        {"an open dialog", [&ofn] { EXPECT_FALSE(GetOpenFileNameA(&ofn)); }},
        {"a save dialog beyond the answers given", [&ofn] {
             wintest::SaveDialogDriver none;
             EXPECT_FALSE(GetSaveFileNameA(&ofn));
         }},
        {"an open dialog answered with a file that must exist and does not", [&ofn] {
             wintest::OpenDialogDriver open;
             open.answer("/nao/existe.orbix");
             ofn.Flags = OFN_FILEMUSTEXIST;
             EXPECT_FALSE(GetOpenFileNameA(&ofn));
         }},
    };
    for (const Row &r : rows) EXPECT_EQ(failuresOf(r.open).size(), 1u) << r.name;
    EXPECT_TRUE(wintest::LiveDialogs().empty());
    EXPECT_STREQ(file, "");
}

// As the file dialogs hand back a typed name: completed with the default extension, written with
// its offsets and title, and refused when it does not fit.
TEST(Drivers, FileDialogDriversAnswerInOrderAsTheDialogsWould) {
    struct Row {
        const char *name;
        const char *defExt;
        std::string typed;
        DWORD maxFile, maxTitle;
        BOOL result;
        std::string file, title;
        WORD offset, extension;
    };
    const Row rows[] = {
        {"no extension: the default one is added", "orbix", "/tmp/aula", 256, 64, TRUE, "/tmp/aula.orbix", "aula.orbix", 5, 10},
        {"an extension of its own is kept", "orbix", "/tmp/aula.txt", 256, 64, TRUE, "/tmp/aula.txt", "aula.txt", 5, 10},
        {"a dot in the folder is not an extension", "orbix", "/tmp/v.1/aula", 256, 64, TRUE, "/tmp/v.1/aula.orbix", "aula.orbix", 9, 14},
        {"no default extension: as typed", nullptr, "/tmp/aula", 256, 64, TRUE, "/tmp/aula", "aula", 5, 9},
        {"a path of nMaxFile - 1 bytes fits, the title is cut", nullptr, "/tmp/" + std::string(250, 'a'), 256, 64, TRUE,
         "/tmp/" + std::string(250, 'a'), std::string(63, 'a'), 5, 255},
        {"a path of nMaxFile bytes does not", nullptr, "/tmp/" + std::string(251, 'a'), 256, 64, FALSE, "antes", "antes", 0, 0},
    };
    const char filter[] = "Dados (*.TXD)\0*.txd\0Todos (*.*)\0*.*\0";
    for (const Row &r : rows) {
        char file[512] = "antes", title[128] = "antes";
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFilter = filter;
        ofn.nFilterIndex = 2;
        ofn.lpstrFile = file;
        ofn.nMaxFile = r.maxFile;
        ofn.lpstrFileTitle = title;
        ofn.nMaxFileTitle = r.maxTitle;
        ofn.lpstrDefExt = r.defExt;
        ofn.Flags = OFN_OVERWRITEPROMPT;
        wintest::SaveDialogDriver save;
        save.answer(r.typed).cancel();
        EXPECT_EQ(GetSaveFileNameA(&ofn), r.result) << r.name;
        EXPECT_EQ(std::string(file) + " " + title, r.file + " " + r.title) << r.name;
        if (r.result) {
            EXPECT_EQ(std::make_pair(ofn.nFileOffset, ofn.nFileExtension), std::make_pair(r.offset, r.extension)) << r.name;
        }
        EXPECT_FALSE(GetSaveFileNameA(&ofn)) << "then cancelled";
        ASSERT_EQ(save.calls.size(), 2u);
        const wintest::FileDialogCall &c = save.calls[0];
        EXPECT_EQ(c.filters, (std::vector<std::pair<std::string, std::string>>{{"Dados (*.TXD)", "*.txd"}, {"Todos (*.*)", "*.*"}}));
        EXPECT_EQ(c.initialPath, "antes");
        EXPECT_EQ(std::make_pair(c.filterIndex, c.flags), std::make_pair(DWORD(2), DWORD(OFN_OVERWRITEPROMPT)));
        EXPECT_EQ(c.defExt, r.defExt ? r.defExt : "");
    }
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
