// The layer's dialog boxes, message boxes and save dialog, held to Win32 behaviour, on the
// program's own templates.
#include <gtest/gtest.h>

#include "testing/wintest.h"

#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<int> commands;
// Whether each command came as a control's BN_CLICKED: the code in the high word, the control's
// handle in lParam.
std::vector<bool> fromTheControl;
constexpr WORD kClicked = 0;  // BN_CLICKED
bool endOnOk = true;

INT_PTR CALLBACK RecordingDlg(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_INITDIALOG) {
        SetDlgItemTextA(h, 108, "inicial");
        SendDlgItemMessageA(h, 108, EM_LIMITTEXT, 10, 0);
        CheckRadioButton(h, 101, 103, 102);
        CheckRadioButton(h, 105, 106, 105);
        return TRUE;
    }
    if (m != WM_COMMAND) return FALSE;
    commands.push_back(LOWORD(wp));
    fromTheControl.push_back(HIWORD(wp) == kClicked && HWND(lp) == GetDlgItem(h, LOWORD(wp)) && lp);
    if (LOWORD(wp) == IDOK && endOnOk) EndDialog(h, 1);
    if (LOWORD(wp) == IDCANCEL) EndDialog(h, 0);
    return TRUE;
}

// The help dialog's rule: only OK closes it.
INT_PTR CALLBACK OkOnlyDlg(HWND h, UINT m, WPARAM wp, LPARAM) {
    if (m == WM_COMMAND) {
        commands.push_back(LOWORD(wp));
        if (LOWORD(wp) == IDOK) DestroyWindow(h);
    }
    return m == WM_COMMAND || m == WM_INITDIALOG;
}

INT_PTR run(std::function<void(wintest::Dialog &)> driver) {
    commands.clear();
    fromTheControl.clear();
    wintest::DialogDrivers drivers;
    drivers.then(std::move(driver));
    return DialogBoxParamA(wintest::Instance(), "entvt", nullptr, RecordingDlg, 0);
}

// Failures the layer reports while f runs, instead of failing the test.
std::vector<std::string> failuresOf(const std::function<void()> &f) {
    std::vector<std::string> failures;
    wintest::SetFailureHandler([&](const std::string &w) { failures.push_back(w); });
    f();
    wintest::SetFailureHandler([](const std::string &w) { ADD_FAILURE() << w; });
    return failures;
}

TEST(DialogBox, ButtonsKeysAndCloseBoxSendTheirIdsAndEndDialogGivesTheResult) {
    using D = wintest::Dialog;
    struct Row {
        const char *name;
        std::function<void(D &)> act;
        INT_PTR result;
        int command;
    } rows[] = {
        {"OK", [](D &d) { d.click(IDOK); }, 1, IDOK},
        {"Cancel", [](D &d) { d.click(IDCANCEL); }, 0, IDCANCEL},
        {"Enter presses the default button", [](D &d) { d.pressEnter(); }, 1, IDOK},
        {"Esc", [](D &d) { d.pressEscape(); }, 0, IDCANCEL},
        {"close box", [](D &d) { d.closeBox(); }, 0, IDCANCEL},
    };
    for (auto &r : rows) {
        EXPECT_EQ(run(r.act), r.result) << r.name;
        EXPECT_EQ(commands, std::vector<int>{r.command}) << r.name;
        EXPECT_EQ(fromTheControl, std::vector<bool>{true}) << r.name;
    }
    EXPECT_EQ(DialogBoxParamA(wintest::Instance(), "nosuch", nullptr, RecordingDlg, 0), -1);
    EXPECT_EQ(DialogBoxParamA(wintest::Instance(), MAKEINTRESOURCEA(5), nullptr, RecordingDlg, 0), -1);
    EXPECT_EQ(CreateDialogParamA(wintest::Instance(), "nosuch", nullptr, RecordingDlg, 0), nullptr);
}

// The control messages as a dialog procedure sends them, and the helpers over them; a control id the
// dialog does not have gives nothing.
TEST(DialogBox, ControlMessagesAndTheirHelpers) {
    run([](wintest::Dialog &d) {
        HWND h = d.hwnd();
        const struct {
            WPARAM asked;
            int limit;
        } limits[] = {{10, 10}, {0, 0x7FFFFFFE}, {WPARAM(0x80000000u), 0x7FFFFFFE}};
        for (auto &l : limits) {
            SendDlgItemMessageA(h, 108, EM_LIMITTEXT, l.asked, 0);
            EXPECT_EQ(d.textLimit(108), l.limit) << l.asked;
        }
        EXPECT_EQ(SendDlgItemMessageA(h, 105, BM_SETCHECK, BST_UNCHECKED, 0), 0);
        EXPECT_EQ(SendDlgItemMessageA(h, 105, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        SendDlgItemMessageA(h, 106, BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_EQ(IsDlgButtonChecked(h, 106), UINT(BST_CHECKED));
        SendDlgItemMessageA(h, 105, BM_CLICK, 0, 0);
        EXPECT_EQ(std::make_pair(d.checked(105), d.checked(106)), std::make_pair(true, false))
            << "a click, as a person's";
        char buf[8] = "antes";
        EXPECT_EQ(SendDlgItemMessageA(h, 108, WM_GETTEXT, 0, LPARAM(buf)), 0);
        EXPECT_STREQ(buf, "antes") << "no room: nothing written";
        EXPECT_EQ(GetDlgItemTextA(h, 108, buf, 0), 0u);
        EXPECT_STREQ(buf, "antes");
        EXPECT_EQ(GetDlgItemTextA(h, 999, buf, sizeof buf), 0u);
        EXPECT_STREQ(buf, "");
        EXPECT_TRUE(SetDlgItemTextA(h, 108, nullptr));
        EXPECT_EQ(d.fieldText(108), "");
        EXPECT_FALSE(SetDlgItemTextA(h, 999, "x"));
        EXPECT_EQ(GetDlgItem(h, 999), nullptr);
        EXPECT_EQ(IsDlgButtonChecked(h, 999), 0u);
        EXPECT_EQ(SendDlgItemMessageA(h, 999, BM_GETCHECK, 0, 0), 0);
        EXPECT_FALSE(CheckRadioButton(nullptr, 101, 103, 101));
        d.click(IDCANCEL);
    });
    EXPECT_EQ(commands, (std::vector<int>{105, IDCANCEL}));
}

TEST(DialogBox, TemplateRadioGroupsTextLimitsAndReadBack) {
    run([](wintest::Dialog &d) {
        EXPECT_EQ(d.caption(), "Álgebra Vetorial - Entradas");
        EXPECT_TRUE(d.isDefaultButton(IDOK));
        EXPECT_EQ(d.fieldText(103), "Esféricas");
        RECT ok = d.controlRect(IDOK), cancel = d.controlRect(IDCANCEL);
        EXPECT_EQ(ok.top, cancel.top);
        EXPECT_EQ(ok.right - ok.left, cancel.right - cancel.left);
        // Each group box starts a group: a click checks within its own group only.
        d.click(103);
        d.click(106);
        EXPECT_EQ(std::vector<bool>({d.checked(101), d.checked(102), d.checked(103), d.checked(105), d.checked(106)}),
                  std::vector<bool>({false, false, true, false, true}));
        // EM_LIMITTEXT holds for typing, not for a text set by the program.
        d.type(108, "123456789012");
        EXPECT_EQ(d.fieldText(108), "1234567890");
        d.setFieldText(108, "123456789012345");
        EXPECT_EQ(d.fieldText(108), "123456789012345");
        d.setFieldText(108, "1234");
        d.typeAtEnd(108, "5678901");
        EXPECT_EQ(d.fieldText(108), "1234567890") << "keys after the text held, up to the limit";
        d.setFieldText(108, "123456789012345");
        char buf[10];
        EXPECT_EQ(GetDlgItemTextA(d.hwnd(), 108, buf, sizeof buf), 9u);
        EXPECT_STREQ(buf, "123456789");
        d.click(IDOK);
    });
    EXPECT_EQ(commands, (std::vector<int>{103, 106, IDOK}));
}

// As on Windows: what is typed or pasted is cut to the limit; deleting always works, also in a
// text the program set longer than the limit (a long value shown whole).
TEST(DialogBox, TheTextLimitCutsInsertionsAndNeverStopsADeletion) {
    struct Passo {
        const char *nome;
        std::function<void(wintest::Dialog &)> faz;
        std::string texto;
    } passos[] = {
        {"set longer than the limit", [](auto &d) { d.setFieldText(108, "123456789012"); }, "123456789012"},
        {"a paste into it adds nothing", [](auto &d) { d.key(108, VK_END), d.paste(108, "x"); }, "123456789012"},
        {"Backspace at the end", [](auto &d) { d.key(108, VK_END), d.key(108, VK_BACK); }, "12345678901"},
        {"Delete at the start", [](auto &d) { d.key(108, VK_HOME), d.key(108, VK_DELETE); }, "2345678901"},
        {"a paste over a selection is cut to fit", [](auto &d) { d.key(108, VK_HOME), d.key(108, VK_RIGHT, true),
                                                                  d.key(108, VK_RIGHT, true), d.paste(108, "abcdef"); },
         "ab45678901"},
        {"a paste into room for three", [](auto &d) { d.setFieldText(108, "1234567"), d.key(108, VK_HOME),
                                                      d.paste(108, "abcdef"); }, "abc1234567"},
        {"typing past the limit stops at it", [](auto &d) { d.type(108, "123456789012"); }, "1234567890"},
    };
    run([&](wintest::Dialog &d) {
        for (auto &p : passos) {
            p.faz(d);
            EXPECT_EQ(d.fieldText(108), p.texto) << p.nome;
        }
        d.click(IDOK);
    });
}

// Dialog units become pixels as Windows maps them: x by a quarter of the dialog font's average
// character width, y by an eighth of its height (6 and 12 pixels for "MS Sans Serif" 8, drawn
// with Liberation Sans), each edge rounded on its own.
TEST(DialogBox, ControlsStandWhereTheirDialogUnitsPutThem) {
    auto muldiv = [](int a, int b, int c) { return (a * b + c / 2) / c; };
    const struct {
        int id, x, y, w, h;
    } controles[] = {
        {IDOK, 80, 60, 50, 14}, {IDCANCEL, 140, 60, 50, 14}, {101, 12, 14, 56, 9},  {102, 12, 24, 56, 9},
        {103, 12, 34, 52, 9},   {104, 8, 4, 64, 42},          {105, 12, 60, 52, 9},  {106, 12, 69, 52, 9},
        {107, 8, 52, 64, 30},   {108, 84, 26, 28, 14},        {109, 120, 26, 28, 14}, {110, 156, 26, 28, 14},
    };
    run([&](wintest::Dialog &d) {
        RECT cliente;
        GetClientRect(d.hwnd(), &cliente);
        EXPECT_EQ(std::make_pair(cliente.right, cliente.bottom), std::make_pair(LONG(300), LONG(132)))
            << "200 x 88 dialog units";
        for (auto &c : controles) {
            const RECT r = d.controlRect(c.id);
            const RECT esperado = {muldiv(c.x, 6, 4), muldiv(c.y, 12, 8), muldiv(c.x + c.w, 6, 4), muldiv(c.y + c.h, 12, 8)};
            EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
                      std::vector<LONG>({esperado.left, esperado.top, esperado.right, esperado.bottom}))
                << "control " << c.id;
        }
        d.click(IDCANCEL);
    });
}

// WM_SETTEXT and WM_GETTEXT work on every kind of control, statics and group boxes included; an
// id shared by several statics (-1) names the first of them, as GetDlgItem finds it.
TEST(DialogBox, EveryKindOfControlTakesAndGivesBackItsText) {
    const struct {
        const char *kind;
        int id;
        std::string before;
    } controls[] = {
        {"push button", IDOK, "OK"}, {"radio button", 101, "Cartesianas"}, {"group box", 104, "Coordenadas"},
        {"edit", 108, "inicial"},    {"first static", -1, "Coord 1"},
    };
    run([&](wintest::Dialog &d) {
        for (auto &c : controls) {
            EXPECT_EQ(d.fieldText(c.id), c.before) << c.kind;
            EXPECT_TRUE(SetDlgItemTextA(d.hwnd(), c.id, "Número 2")) << c.kind;
            EXPECT_EQ(d.fieldText(c.id), "Número 2") << c.kind;
        }
        d.click(IDCANCEL);
    });
}

// A dialog box opens centred on its owner window, wherever that window stands, and keeps its size.
TEST(DialogBox, OpensCentredOnItsOwner) {
    const struct { int x, y, w, h; } owners[] = {{0, 0, 800, 600}, {300, 120, 500, 400}, {1000, 700, 900, 300}};
    for (auto &o : owners) {
        HWND owner = wintest::TestWindow("DialogOwner", DefWindowProcA);
        ASSERT_NE(owner, nullptr);
        SetWindowPos(owner, nullptr, o.x, o.y, o.w, o.h, SWP_NOZORDER);
        RECT dlg{}, own{};
        wintest::DialogDrivers drivers;
        drivers.then([&](wintest::Dialog &d) {
            GetWindowRect(d.hwnd(), &dlg);
            d.click(IDCANCEL);
        });
        DialogBoxParamA(wintest::Instance(), "entvt", owner, RecordingDlg, 0);
        GetWindowRect(owner, &own);
        EXPECT_EQ(own.left, o.x);
        EXPECT_EQ(own.right - own.left, o.w);
        // Centres in whole pixels; the window system may then shift a shown dialog by its border.
        EXPECT_NEAR((dlg.left + dlg.right) / 2, (own.left + own.right) / 2, 4) << o.x;
        EXPECT_NEAR((dlg.top + dlg.bottom) / 2, (own.top + own.bottom) / 2, 4) << o.x;
        EXPECT_EQ(std::make_pair(dlg.right - dlg.left, dlg.bottom - dlg.top), std::make_pair(LONG(300), LONG(132)));
        DestroyWindow(owner);
        wintest::Pump();
    }
}

TEST(DialogBox, GetDlgItemIntReadsDecimalInRangeOrGivesZero) {
    struct Row {
        const char *text;
        BOOL sign;
        UINT value;
        BOOL ok;
    } rows[] = {
        {"20", FALSE, 20, TRUE},
        {" 7", FALSE, 7, TRUE},
        {"", FALSE, 0, FALSE},
        {"abc", FALSE, 0, FALSE},
        {"-3", FALSE, 0, FALSE},
        {"12x", FALSE, 0, FALSE},
        {"4294967295", FALSE, 4294967295u, TRUE},
        {"4294967296", FALSE, 0, FALSE},
        {"-3", TRUE, UINT(-3), TRUE},
        {"- 3", TRUE, 0, FALSE},
        {"2147483647", TRUE, 2147483647u, TRUE},
        {"2147483648", TRUE, 0, FALSE},
        {"-2147483648", TRUE, 0x80000000u, TRUE},
        {"-2147483649", TRUE, 0, FALSE},
    };
    run([&](wintest::Dialog &d) {
        for (auto &r : rows) {
            d.setFieldText(108, r.text);
            BOOL ok = 2;
            EXPECT_EQ(GetDlgItemInt(d.hwnd(), 108, &ok, r.sign), r.value) << '"' << r.text << '"' << r.sign;
            EXPECT_EQ(ok, r.ok) << '"' << r.text << '"' << r.sign;
        }
        BOOL ok = 2;
        EXPECT_EQ(GetDlgItemInt(d.hwnd(), 999, &ok, FALSE), 0u) << "no such control";
        EXPECT_EQ(ok, FALSE);
        const struct {
            UINT value;
            BOOL sign;
            const char *text;
        } writes[] = {{15, FALSE, "15"}, {UINT(-15), TRUE, "-15"}, {UINT(-1), FALSE, "4294967295"}};
        for (auto &w : writes) {
            EXPECT_TRUE(SetDlgItemInt(d.hwnd(), 108, w.value, w.sign));
            EXPECT_EQ(d.fieldText(108), w.text);
        }
        d.click(IDOK);
    });
}

TEST(DialogBox, NoDriverOrADriverLeavingItOpenFailsTheTestAndCancels) {
    INT_PTR r = -2;
    auto f = failuresOf([&] { r = DialogBoxParamA(wintest::Instance(), "entvt", nullptr, RecordingDlg, 0); });
    EXPECT_EQ(r, 0);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_NE(f[0].find("entvt"), std::string::npos);
    endOnOk = false;
    f = failuresOf([&] { r = run([](wintest::Dialog &d) { d.click(IDOK); }); });
    endOnOk = true;
    EXPECT_EQ(r, 0);
    EXPECT_EQ(f.size(), 1u);
    // A message box nobody answers is cancelled: Esc, which is OK in a box with only OK.
    for (auto [kind, answer] : {std::pair{UINT(MB_OK), IDOK}, {UINT(MB_OKCANCEL), IDCANCEL}}) {
        const UINT type = kind;  // clang 14 cannot capture a structured binding
        int got = 0;
        f = failuresOf([&] { got = MessageBoxA(nullptr, "texto", "Orbix", type); });
        EXPECT_EQ(got, answer) << type;
        EXPECT_EQ(f.size(), 1u) << type;
    }
}

TEST(ModelessDialog, ShownAtOnceOnlyOkClosesItAndLineEndsSurvive) {
    commands.clear();
    HWND h = CreateDialogParamA(wintest::Instance(), "Ajuda", nullptr, OkOnlyDlg, 0);
    ASSERT_NE(h, nullptr);
    wintest::Dialog d(h);
    EXPECT_TRUE(d.visible());
    EXPECT_TRUE(d.readOnly(500));
    SetDlgItemTextA(h, 500, "um\r\n\r\ndois");
    EXPECT_EQ(d.fieldText(500), "um\r\n\r\ndois");
    d.pressEscape();
    d.closeBox();
    EXPECT_TRUE(IsWindow(h));
    EXPECT_TRUE(d.visible()) << "the close box only asks; the dialog procedure said no";
    // What the procedure leaves to the dialog manager: WM_CLOSE becomes IDCANCEL; the rest is 0.
    EXPECT_EQ(SendMessageA(h, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(SendMessageA(h, WM_USER + 3, 0, 0), 0);
    wintest::Pump(&h);
    EXPECT_TRUE(IsWindow(h));
    d.pressEnter();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(commands, (std::vector<int>{IDCANCEL, IDCANCEL, IDCANCEL, IDOK}));
    wintest::Pump();
    // The driver of a dialog that is gone sees nothing and does nothing.
    EXPECT_FALSE(d.visible());
    EXPECT_EQ(d.caption() + d.templateName(), "");
    d.pressEscape();
    d.closeBox();
    EXPECT_EQ(commands.size(), 4u);
}

// IsDialogMessage takes, and delivers, what is for the dialog or one of its controls; what is for
// another window or for the thread is left to the caller.
TEST(ModelessDialog, IsDialogMessageTakesOnlyWhatIsForTheDialogOrItsControls) {
    commands.clear();
    HWND h = CreateDialogParamA(wintest::Instance(), "Ajuda", nullptr, OkOnlyDlg, 0);
    HWND other = CreateDialogParamA(wintest::Instance(), "Ajuda", nullptr, OkOnlyDlg, 0);
    ASSERT_TRUE(h && other);
    static const char delivered[] = "entregue";
    const struct {
        const char *name;
        HWND to;
        UINT message;
        WPARAM wp;
        LPARAM lp;
        BOOL taken;
    } rows[] = {
        {"the dialog", h, WM_COMMAND, 7, 0, TRUE},
        {"its control", GetDlgItem(h, 500), WM_SETTEXT, 0, LPARAM(delivered), TRUE},
        {"another dialog", other, WM_COMMAND, 8, 0, FALSE},
        {"the thread", nullptr, WM_COMMAND, 9, 0, FALSE},
    };
    for (auto &r : rows) {
        MSG m{r.to, r.message, r.wp, r.lp, 0, {}};
        EXPECT_EQ(IsDialogMessageA(h, &m), r.taken) << r.name;
    }
    EXPECT_EQ(commands, std::vector<int>{7});
    EXPECT_EQ(wintest::Dialog(h).fieldText(500), "entregue");
    DestroyWindow(h);
    DestroyWindow(other);
    wintest::Pump();
}

TEST(MessageBoxAndSaveDialog, DriversRecordWhatWasAskedAndAnswerInOrder) {
    wintest::MessageBoxLog log;
    EXPECT_EQ(MessageBoxA(nullptr, "Número Máximo", "Orbix", MB_OK | MB_ICONEXCLAMATION), IDOK);
    ASSERT_EQ(log.calls().size(), 1u);
    EXPECT_EQ(log.calls()[0].text + log.calls()[0].caption, "Número MáximoOrbix");
    EXPECT_EQ(log.calls()[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));

    wintest::SaveDialogDriver save;
    save.answer("/tmp/relatorio").cancel();
    char file[256] = "/tmp/anterior.TXD", title[64] = "";
    OPENFILENAMEA ofn{};
    ofn.lpstrFilter = "Dados (*.TXD)\0*.txd\0Texto (*.TXT)\0*.txt\0Todos (*.*)\0*.*\0\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    ASSERT_TRUE(GetSaveFileNameA(&ofn));
    EXPECT_EQ(std::string(file) + "|" + title, "/tmp/relatorio|relatorio");
    EXPECT_FALSE(GetSaveFileNameA(&ofn));
    ASSERT_EQ(save.calls.size(), 2u);
    EXPECT_EQ(save.calls[0].initialPath, "/tmp/anterior.TXD");
    ASSERT_EQ(save.calls[0].filters.size(), 3u);
    EXPECT_EQ(save.calls[0].filters[1].second, "*.txt");
}

TEST(FileDialogs, TheTypedNameIsCompletedWithTheDefaultExtensionAndMustFit) {
    struct Row {
        const char *name;
        bool save;
        const char *defExt;
        std::string typed;
        DWORD maxFile, maxTitle;
        BOOL result;
        std::string file, title;
        WORD offset, extension;
    } rows[] = {
        {"no extension: the default one is added", true, "orbix", "/tmp/aula", 256, 64, TRUE, "/tmp/aula.orbix",
         "aula.orbix", 5, 10},
        {"an extension of its own is kept", true, "orbix", "/tmp/aula.txt", 256, 64, TRUE, "/tmp/aula.txt", "aula.txt",
         5, 10},
        {"a dot in the folder is not an extension", true, "orbix", "/tmp/v.1/aula", 256, 64, TRUE,
         "/tmp/v.1/aula.orbix", "aula.orbix", 9, 14},
        {"a leading dot in the default is not doubled", true, ".orbix", "/tmp/aula", 256, 64, TRUE, "/tmp/aula.orbix",
         "aula.orbix", 5, 10},
        {"no default extension: as typed", true, nullptr, "/tmp/aula", 256, 64, TRUE, "/tmp/aula", "aula", 5, 9},
        {"a bare name: the name starts the path", true, "orbix", "aula", 256, 64, TRUE, "aula.orbix", "aula.orbix", 0,
         5},
        {"the open dialog completes too", false, "orbix", "/tmp/aula", 256, 64, TRUE, "/tmp/aula.orbix",
         "aula.orbix", 5, 10},
        {"a path of nMaxFile - 1 bytes fits", true, nullptr, "/tmp/" + std::string(250, 'a'), 256, 64, TRUE,
         "/tmp/" + std::string(250, 'a'), std::string(63, 'a'), 5, 255},
        {"a path of nMaxFile bytes does not", true, nullptr, "/tmp/" + std::string(251, 'a'), 256, 64, FALSE,
         "antes", "antes", 0, 0},
        {"a title longer than nMaxFileTitle is cut", true, nullptr, "/x/" + std::string(70, 'b') + ".txd", 256, 63,
         TRUE, "/x/" + std::string(70, 'b') + ".txd", std::string(62, 'b'), 3, 74},
    };
    for (auto &r : rows) {
        char file[512] = "antes", title[128] = "antes";
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFile = file;
        ofn.nMaxFile = r.maxFile;
        ofn.lpstrFileTitle = title;
        ofn.nMaxFileTitle = r.maxTitle;
        ofn.lpstrDefExt = r.defExt;
        BOOL got;
        if (r.save) {
            wintest::SaveDialogDriver d;
            d.answer(r.typed);
            got = GetSaveFileNameA(&ofn);
        } else {
            wintest::OpenDialogDriver d;
            d.answer(r.typed);
            got = GetOpenFileNameA(&ofn);
        }
        EXPECT_EQ(got, r.result) << r.name;
        EXPECT_EQ(std::string(file), r.file) << r.name;
        EXPECT_EQ(std::string(title), r.title) << r.name;
        if (got) {
            EXPECT_EQ(std::make_pair(ofn.nFileOffset, ofn.nFileExtension), std::make_pair(r.offset, r.extension))
                << r.name;
        }
    }
}

TEST(FileDialogs, AnOpenDialogThatMustFindItsFileTakesOnlyAnExistingOne) {
    std::vector<std::string> failures;
    wintest::SetFailureHandler([&](const std::string &f) { failures.push_back(f); });
    char file[256] = "";
    OPENFILENAMEA ofn{};
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.Flags = OFN_FILEMUSTEXIST;
    ofn.lpstrTitle = "Abrir";
    wintest::OpenDialogDriver open;
    open.answer("/nao/existe.orbix").answer("/proc/self/status");
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(failures.size(), 1u);
    EXPECT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_STREQ(file, "/proc/self/status");
    ASSERT_EQ(open.calls.size(), 2u);
    EXPECT_EQ(open.calls[0].flags, DWORD(OFN_FILEMUSTEXIST));
    EXPECT_EQ(open.calls[0].title, "Abrir");
    wintest::SetFailureHandler([](const std::string &what) { ADD_FAILURE() << what; });
}

}  // namespace
