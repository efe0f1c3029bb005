// USER32 windows as the program relies on them: creation and its messages, the queue, painting
// bookkeeping, the retained client image, the scroll bar, timers, keys and accelerators, the
// clipboard and message boxes.
#include <gtest/gtest.h>

#include "testing/stored.h"

#include "resource.h"

#include <chrono>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);
constexpr UINT kOwn = 0x0400;  // WM_USER, a message of the window's own

// What the test window's procedure heard, one message a line.
std::string heard;
int invalidateInPaint = 0;  // 1: before BeginPaint, 2: after EndPaint (once)
LRESULT createAnswer = 0;

void note(const char *name, WPARAM wp, LPARAM lp) {
    char b[96];
    snprintf(b, sizeof b, "%s %lu %ld\n", name, (unsigned long)wp, (long)lp);
    heard += b;
}

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
#define NAMED(m) std::make_pair(UINT(m), #m)
    static const std::map<UINT, const char *> names = {NAMED(WM_CREATE),  NAMED(WM_SIZE),       NAMED(WM_DESTROY),  NAMED(WM_CLOSE),
                                                       NAMED(WM_COMMAND), NAMED(WM_TIMER),      NAMED(WM_VSCROLL),  NAMED(WM_KEYDOWN),
                                                       NAMED(WM_KEYUP),   NAMED(WM_SYSKEYDOWN), NAMED(WM_SYSKEYUP), NAMED(WM_LBUTTONDOWN),
                                                       NAMED(WM_CHAR),    {kOwn, "WM_USER"}};
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        if (invalidateInPaint == 1) InvalidateRect(h, nullptr, TRUE);
        BeginPaint(h, &ps);
        note("WM_PAINT", ps.fErase, ps.rcPaint.right * 10000 + ps.rcPaint.bottom);
        EndPaint(h, &ps);
        if (invalidateInPaint == 2 && !(invalidateInPaint = 0)) InvalidateRect(h, nullptr, TRUE);
        return 0;
    }
    if (auto it = names.find(m); it != names.end()) note(it->second, wp, m == WM_CREATE ? 0 : lp);
    return m == WM_CREATE ? createAnswer : m == kOwn ? 42 : m == WM_CLOSE ? DefWindowProcA(h, m, wp, lp) : 0;
}

// A class as the program registers its own: the menu of the resources, a redraw on resizing,
// the white brush or none.
void registerClass(const char *name, UINT style, bool white) {
    if (wintest::ClassOf(name, nullptr)) return;
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = Proc;
    wc.hInstance = wintest::Instance();
    wc.hbrBackground = white ? (HBRUSH)GetStockObject(WHITE_BRUSH) : nullptr;
    wc.hIcon = LoadIconA(wintest::Instance(), "ICON_Orbix");
    wc.lpszMenuName = "Orbix";
    wc.lpszClassName = name;
    ASSERT_NE(RegisterClassA(&wc), 0);
}

HWND create(const char *cls, DWORD style = WS_OVERLAPPEDWINDOW | WS_VSCROLL, int w = CW_USEDEFAULT, int h = CW_USEDEFAULT) {
    return CreateWindowExA(0, cls, "Janela \xC1", style, CW_USEDEFAULT, CW_USEDEFAULT, w, h, nullptr, nullptr, wintest::Instance(),
                           nullptr);
}

// What the procedure hears while act runs and the queue empties.
std::string after(const std::function<void()> &act) {
    heard.clear();
    act();
    wintest::Pump();
    return heard;
}

class User32 : public ::testing::Test {
protected:
    void SetUp() override {
        registerClass("User32Test", CS_HREDRAW | CS_VREDRAW, true);
        hwnd = create("User32Test");
        ASSERT_TRUE(hwnd);
        ShowWindow(hwnd, SW_SHOWDEFAULT);
        wintest::Pump();
        heard.clear();
    }
    void TearDown() override {
        if (wintest::IsLive(hwnd)) DestroyWindow(hwnd);
        wintest::Pump();
        wintest::TakeQuit();
    }
    HWND hwnd = nullptr;
};

// Creation, sizes and their messages, one stored trace for the whole story.
TEST(Windows, CreationSizingAndDestructionSendTheirMessagesInOrder) {
    registerClass("User32Story", CS_HREDRAW | CS_VREDRAW, true);
    registerClass("User32Still", 0, false);
    std::string story;
    auto chapter = [&story](const char *title, const std::function<void()> &act) {
        story += std::string("-- ") + title + "\n" + after(act);
    };
    HWND a = nullptr, b = nullptr;
    chapter("created at the default size and shown: WM_CREATE, WM_SIZE with the reference client area", [&] {
        a = create("User32Story");
        EXPECT_EQ(heard, "WM_CREATE 0 0\nWM_SIZE 0 50332672\n") << "both inside the call";
        EXPECT_FALSE(ShowWindow(a, SW_SHOWDEFAULT)) << "was hidden";
    });
    RECT rc;  // the reference client area is the trace's first WM_SIZE
    EXPECT_EQ(wintest::WindowText(a), "Janela \xC1");
    EXPECT_EQ(wintest::MenuBarTexts(a).front(), "&Arquivo");
    EXPECT_EQ(wintest::WindowIconSize(a), std::make_pair(32, 32)) << "the class's icon";
    EXPECT_EQ(LoadIconA(wintest::Instance(), "Nenhum"), nullptr);
    EXPECT_NE(LoadCursorA(nullptr, IDC_CROSS), nullptr);
    chapter("shown again (was shown)", [&] { EXPECT_TRUE(ShowWindow(a, SW_SHOWDEFAULT)); });
    chapter("resized, a class that redraws", [&] { wintest::SetClientSize(a, 300, 200); });
    chapter("resized to nothing", [&] { wintest::SetClientSize(a, 0, 0); });
    chapter("a class that does not redraw, resized", [&] {
        b = create("User32Still", WS_OVERLAPPEDWINDOW);
        ShowWindow(b, SW_SHOWDEFAULT);
        wintest::Pump();
        heard.clear();
        wintest::SetClientSize(b, 50, 40);
    });
    chapter("a hidden window placed: its client area is the window less its bars at once", [&] {
        HWND c = create("User32Story");
        RECT w;
        SetWindowPos(c, nullptr, 10, 20, 500, 400, SWP_NOZORDER);
        GetWindowRect(c, &w);
        GetClientRect(c, &rc);
        DestroyWindow(c);
        RECT adjusted{0, 0, rc.right, rc.bottom};
        AdjustWindowRectEx(&adjusted, WS_OVERLAPPEDWINDOW, TRUE, 0);
        EXPECT_EQ(rc.right, 500 - GetSystemMetrics(SM_CXVSCROLL));
        EXPECT_EQ(rc.bottom - adjusted.top, 400);
        EXPECT_EQ(std::vector<LONG>({w.left, w.top, w.right, w.bottom}), std::vector<LONG>({10, 20, 510, 420}));
    });
    chapter("WM_CLOSE through DefWindowProc destroys", [&] { SendMessageA(a, WM_CLOSE, 0, 0); });
    chapter("the close box asks the procedure, which lets DefWindowProc destroy", [&] { wintest::CloseBox(b); });
    EXPECT_FALSE(wintest::IsLive(a));
    EXPECT_FALSE(wintest::IsLive(b));
    createAnswer = -1;
    chapter("WM_CREATE answered -1: no window", [&] { EXPECT_EQ(create("User32Story"), nullptr); });
    createAnswer = 0;
    chapter("an unknown class: nothing", [&] { EXPECT_EQ(create("NoSuchClass"), nullptr); });
    EXPECT_TRUE(wintest::MatchesStoredText(ORBIX_STORED "/windows.trace", story));
    WNDCLASSA again{};
    again.lpfnWndProc = Proc;
    again.lpszClassName = "user32STORY";
    EXPECT_EQ(RegisterClassA(&again), 0) << "class names ignore case";
}

TEST(Windows, ADefaultWindowFitsTheWorkAreaInTheReferenceProportions) {
    wintest::SetScreenArea(0, 0, 800, 600);
    registerClass("User32Story", CS_HREDRAW | CS_VREDRAW, true);
    HWND h = create("User32Story", WS_OVERLAPPEDWINDOW);
    RECT area, client;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    GetClientRect(h, &client);
    wintest::SetScreenArea(0, 0, 4096, 4096);
    EXPECT_EQ(std::make_pair(area.right, area.bottom), std::make_pair(LONG(800 - 16), LONG(600 - 48))) << "less the frame's";
    EXPECT_LE(client.right, area.right);
    EXPECT_NEAR(client.right * 3, client.bottom * 4, 4);
    DestroyWindow(h);
    wintest::Pump();
}

TEST_F(User32, TheQueueGivesPostedMessagesThenQuitThenPaintsAndDropsTheDead) {
    EXPECT_EQ(SendMessageA(hwnd, kOwn, 1, 2), 42) << "sent straight to the procedure";
    EXPECT_EQ(heard, "WM_USER 1 2\n");
    EXPECT_EQ(after([&] {
                  InvalidateRect(hwnd, nullptr, FALSE);
                  wintest::ChooseMenuItem(hwnd, IDM_SOBRE);
                  wintest::Click(hwnd, 300, 7);
              }),
              "WM_COMMAND 117 0\nWM_LBUTTONDOWN 1 459052\nWM_PAINT 0 10240768\n");
    wintest::ChooseMenuItem(hwnd, IDM_SOBRE);
    PostQuitMessage(7);
    MSG m;
    EXPECT_TRUE(GetMessageA(&m, nullptr, 0, 0) && m.message == WM_COMMAND) << "what was posted, before the quit";
    EXPECT_FALSE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(m.wParam, WPARAM(7));
    wintest::ChooseMenuItem(hwnd, IDM_SOBRE);
    DestroyWindow(hwnd);
    EXPECT_EQ(after([] {}), "") << "what was posted to a window now gone is dropped";
    EXPECT_EQ(SendMessageA(hwnd, kOwn, 0, 0), 0);
    RECT rc;
    PAINTSTRUCT ps;
    EXPECT_FALSE(GetClientRect(hwnd, &rc));
    EXPECT_EQ(BeginPaint(hwnd, &ps), nullptr);
    MSG msg{};
    EXPECT_FALSE(IsDialogMessageA(nullptr, &msg));
}

TEST_F(User32, InvalidatingInsideAPaintAddsNoPaintBeforeBeginPaintAndOneAfterEndPaint) {
    for (auto [when, paints] : {std::pair{1, "WM_PAINT 1 10240768\n"}, {2, "WM_PAINT 1 10240768\nWM_PAINT 1 10240768\n"}}) {
        invalidateInPaint = when;
        EXPECT_EQ(after([&] { InvalidateRect(hwnd, nullptr, TRUE); }), paints) << (when == 1 ? "before BeginPaint" : "after EndPaint");
    }
    EXPECT_EQ(after([&] { UpdateWindow(hwnd); }), "") << "nothing invalid";
    heard.clear();
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    EXPECT_EQ(heard, "WM_PAINT 0 10240768\n") << "UpdateWindow paints at once";
}

TEST(Painting, GetDcDrawsAtOnceAndItStaysUntilAPaintErasesWithTheClassBrush) {
    registerClass("User32White", 0, true);
    registerClass("User32Bare", 0, false);
    for (auto [cls, erase, after] :
         {std::tuple{"User32White", false, kBlack}, {"User32White", true, kWhite}, {"User32Bare", true, kBlack}}) {
        HWND h = create(cls, WS_OVERLAPPEDWINDOW);
        wintest::Pump();
        HDC dc = GetDC(h);
        MoveToEx(dc, 10, 20, nullptr);
        LineTo(dc, 40, 20);
        ReleaseDC(h, dc);
        wintest::SetClientSize(h, 500, 400);  // a class that does not redraw keeps the picture
        EXPECT_EQ(wintest::ClientPixel(h, 25, 20), kBlack) << cls;
        InvalidateRect(h, nullptr, erase);
        wintest::Pump();
        EXPECT_EQ(wintest::ClientPixel(h, 25, 20), after) << cls << (erase ? ", erased" : "");
        DestroyWindow(h);
        wintest::Pump();
    }
}

TEST_F(User32, TheScrollBarReportsEachActionAndOnlyTheProgramMovesTheThumb) {
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 40, 0};
    EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &si, TRUE), 40);
    // a drag of the thumb to 70 tells its place in the high word
    for (auto [code, wp] :
         {std::pair{SB_LINEUP, "0"}, {SB_LINEDOWN, "1"}, {SB_PAGEUP, "2"}, {SB_PAGEDOWN, "3"}, {SB_THUMBTRACK, "4587525"}}) {
        const int c = code;  // a structured binding is not captured before C++20's later compilers
        EXPECT_EQ(after([&] { wintest::Scroll(hwnd, c, 70); }), "WM_VSCROLL " + std::string(wp) + " 0\n") << code;
        EXPECT_EQ(wintest::ScrollPos(hwnd), 40) << code << ": the thumb goes back";
    }
    for (auto [asked, kept] : {std::pair{-5, 0}, {100, 100}, {250, 100}}) {
        si.nPos = asked;
        EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &si, TRUE), kept);
        EXPECT_EQ(wintest::ScrollPos(hwnd), kept);
    }
}

TEST_F(User32, TimersPostTimerMessagesUntilKilledOrTheirWindowGoes) {
    EXPECT_EQ(SetTimer(hwnd, 3, 20, nullptr), UINT_PTR(3));
    UINT elapse = 0;
    EXPECT_TRUE(wintest::TimerActive(hwnd, 3, &elapse));
    EXPECT_EQ(elapse, 20u);
    const auto start = std::chrono::steady_clock::now();
    while (heard.find("WM_TIMER") == std::string::npos && std::chrono::steady_clock::now() - start < std::chrono::seconds(5))
        wintest::Pump();
    EXPECT_EQ(heard.substr(0, heard.find('\n') + 1), "WM_TIMER 3 0\n");
    EXPECT_TRUE(KillTimer(hwnd, 3));
    EXPECT_FALSE(wintest::TimerActive(hwnd, 3));
    EXPECT_FALSE(KillTimer(hwnd, 3));
    SetTimer(hwnd, 4, 1000, nullptr);
    DestroyWindow(hwnd);
    EXPECT_FALSE(wintest::TimerActive(hwnd, 4)) << "DestroyWindow stops the window's timers";
    EXPECT_EQ(SetTimer(hwnd, 5, 10, nullptr), UINT_PTR(0));
}

// Keys pressed in the client area through the program's loop. Its accelerators ("Orbix" in the
// resources) turn a key down with exactly their modifiers into WM_COMMAND with 1 in the high word;
// TranslateMessage follows any other key down that makes a character with WM_CHAR and the key's
// lParam, before the key comes up though that already waits. Alt, a key that makes none, and a
// key down the program made itself give no character.
TEST_F(User32, KeysBecomeCommandsOrCharactersAsThroughTheProgramsLoop) {
    HACCEL table = LoadAcceleratorsA(wintest::Instance(), "Orbix");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(LoadAcceleratorsA(wintest::Instance(), "Nenhuma"), nullptr);
    using wintest::Alt, wintest::Ctrl, wintest::Shift;
    // clang-format off
    const struct { const char *name; int vk; unsigned mods; } rows[] = {
        {"Ctrl+O", 'O', Ctrl},             {"O alone", 'O', 0},          {"Ctrl+Shift+O", 'O', Ctrl | Shift}, {"Ctrl+S", 'S', Ctrl},
        {"Ctrl+C", 'C', Ctrl},             {"Left", VK_LEFT, 0},         {"Right", VK_RIGHT, 0},              {"Up", VK_UP, 0},
        {"Down", VK_DOWN, 0},              {"F1", VK_F1, 0},             {"Alt+F1", VK_F1, Alt},              {"Z", 'Z', 0},
        {"Shift+X", 'X', Shift},           {"Ctrl+X", 'X', Ctrl},        {"Shift+=", VK_OEM_PLUS, Shift},     {"keypad 7", VK_NUMPAD0 + 7, 0},
        {"keypad .", VK_DECIMAL, 0},       {"Enter", VK_RETURN, 0},      {"Esc", VK_ESCAPE, 0},               {"Delete", VK_DELETE, 0},
        {"Alt+X", 'X', Alt},
    };
    // clang-format on
    auto loop = [&] {
        wintest::Pump([&](MSG *m) {
            if (!TranslateAcceleratorA(hwnd, table, m)) TranslateMessage(m), DispatchMessageA(m);
        });
    };
    std::string trace;
    for (const auto &r : rows) trace += std::string("-- ") + r.name + "\n" + after([&] { wintest::PressKey(hwnd, r.vk, r.mods), loop(); });
    MSG own{hwnd, WM_KEYDOWN, 'X', 1, 0, {}}, up{hwnd, WM_KEYUP, 'O', 0, 0, {}};
    trace += "-- a key down the program made\n" + after([&] {
                 EXPECT_TRUE(TranslateMessage(&own)) << "a key message the program made";
                 loop();
             });
    EXPECT_EQ(TranslateAcceleratorA(hwnd, table, &up), 0);
    EXPECT_TRUE(wintest::MatchesStoredText(ORBIX_STORED "/keys.trace", trace));
}

TEST(Clipboard, TextAndPicturesGoOnlyToAClipboardOpenedAndEmptied) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr)) << "open once";
    HGLOBAL early = wintest::Block({"cedo", 5});
    EXPECT_EQ(SetClipboardData(CF_TEXT, early), nullptr) << "not emptied yet";
    GlobalFree(early);
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_NE(SetClipboardData(CF_TEXT, wintest::Block({"linha 1\r\nlinha \xC2\0resto", 18})), nullptr);
    // A 2 x 1 DIB: blue then red, rows padded to 8 bytes; then one of 32 bits, which is refused.
    BITMAPINFOHEADER h{sizeof h, 2, 1, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    unsigned char dib[sizeof h + 8] = {};
    memcpy(dib, &h, sizeof h);
    memcpy(dib + sizeof h, "\xFF\0\0\0\0\xFF", 6);
    HGLOBAL picture = wintest::Block({(const char *)dib, sizeof dib});
    EXPECT_EQ(SetClipboardData(CF_DIB, picture), picture);
    EXPECT_EQ(GlobalLock(picture), nullptr) << "the memory is the system's now";
    for (auto [at, value] : {std::pair{14, 32}, {0, 12}}) {  // 32 bits, or a header of another size
        unsigned char bad[sizeof dib];
        memcpy(bad, dib, sizeof dib);
        bad[at] = (unsigned char)value;
        HGLOBAL wrong = wintest::Block({(const char *)bad, sizeof bad});
        EXPECT_EQ(SetClipboardData(CF_DIB, wrong), nullptr) << at;
        GlobalFree(wrong);
    }
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());
    EXPECT_EQ(wintest::ClipboardText(), "linha 1\r\nlinha \xC2") << "up to the first NUL";
    int w = 0, ht = 0;
    ASSERT_TRUE(wintest::ClipboardImage(&w, &ht));
    EXPECT_EQ(std::make_pair(w, ht), std::make_pair(2, 1));
    EXPECT_EQ(std::make_pair(wintest::ClipboardPixel(0, 0), wintest::ClipboardPixel(1, 0)), std::make_pair(RGB(0, 0, 255), RGB(255, 0, 0)));
}

TEST_F(User32, AMessageBoxIsAskedWithItsBytesOwnerAndTypeAndAnswered) {
    wintest::MessageBoxLog log(IDCANCEL);
    EXPECT_EQ(MessageBoxA(hwnd, "Valor inv\xE1lido", "Erro \x80", MB_OK | MB_ICONEXCLAMATION), IDCANCEL);
    EXPECT_EQ(MessageBoxA(nullptr, "Sem t\xEDtulo", nullptr, MB_OK | MB_ICONINFORMATION), IDCANCEL);
    ASSERT_EQ(log.calls().size(), 2u);
    const wintest::MessageBoxCall &first = log.calls()[0], &second = log.calls()[1];
    EXPECT_EQ(std::make_pair(first.owner, first.type), std::make_pair(hwnd, UINT(MB_OK | MB_ICONEXCLAMATION)));
    EXPECT_EQ(first.text + "|" + first.caption + "|" + second.caption, "Valor inv\xE1lido|Erro \x80|Error")
        << "Windows' caption when none is given";
    // The real box, as a person meets it: each type's icon and buttons, and the button pressed.
    // clang-format off
    const struct { UINT type; const char *press, *icon, *buttons; int result; } rows[] = {
        {MB_OK | MB_ICONEXCLAMATION, "OK", "warning", "OK", IDOK},
        {MB_OK | MB_ICONINFORMATION, "", "information", "OK", IDOK},
        {MB_OK, "OK", "none", "OK", IDOK},
        {MB_YESNOCANCEL | MB_ICONQUESTION, "No", "question", "Yes No Cancel", IDNO},
        {MB_YESNOCANCEL | MB_ICONQUESTION, "", "question", "Yes No Cancel", IDCANCEL},
    };
    // clang-format on
    for (const auto &r : rows) {
        const wintest::MessageBoxShown shown = wintest::RunMessageBox(hwnd, "?", r.type, r.press);
        EXPECT_EQ(shown.icon + " | " + shown.buttons, std::string(r.icon) + " | " + r.buttons) << r.type;
        EXPECT_EQ(shown.result, r.result) << r.type;
    }
}

}  // namespace
