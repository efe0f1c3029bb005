// USER32 dialog boxes from the program's own templates (res/orbix.rc): what WM_INITDIALOG gets,
// where controls stand, focus and tab order, radio groups, Enter, Esc and the close box, edit
// limits, and the Get/SetDlgItem family.
#include <gtest/gtest.h>

#include "testing/stored.h"

#include "resource.h"

#include <functional>
#include <string>
#include <vector>

namespace {

std::string heard;  // the dialog procedure's messages, one a line
HWND initFocus = nullptr;
LPARAM initParam = 0;

INT_PTR CALLBACK Recording(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_INITDIALOG) {
        initFocus = HWND(wp);
        initParam = lp;
        return TRUE;
    }
    if (m != WM_COMMAND) return FALSE;
    heard += "WM_COMMAND " + std::to_string(LOWORD(wp)) + " " + std::to_string(HIWORD(wp)) + "\n";
    if (LOWORD(wp) == IDOK) EndDialog(h, 11);
    if (LOWORD(wp) == IDCANCEL) EndDialog(h, 22);
    return TRUE;
}

// Runs the template with the driver; what the procedure heard.
INT_PTR run(const char *name, const std::function<void(wintest::Dialog &)> &driver, LPARAM param = 0) {
    heard.clear();
    wintest::DialogDrivers drivers;
    drivers.then(driver);
    const INT_PTR r = DialogBoxParamA(wintest::Instance(), name, nullptr, Recording, param);
    EXPECT_EQ(drivers.used(), 1);
    return r;
}

// Each control where its dialog units put it, through the dialog font's average character size.
TEST(DialogBox, EachTemplateIsBuiltWithItsControlsInTheirPlaces) {
    std::string layout;
    for (const char *name : {"entnpt", "entvt", "entlim", "entreg"})
        run(name, [&](wintest::Dialog &d) {
            layout += std::string(name) + "\n";
            for (int id = IDOK; id <= IDC_LIM6; ++id) {
                if (!d.exists(id)) continue;
                const RECT r = d.controlRect(id);
                layout += "  " + std::to_string(id) + ": " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                          std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top) +
                          (d.isDefaultButton(id) ? " default" : "") + "\n";
            }
            d.click(IDOK);
        });
    EXPECT_TRUE(wintest::MatchesStoredText(ORBIX_STORED "/dialogs.trace", layout));
    EXPECT_EQ(DialogBoxParamA(wintest::Instance(), "nenhum", nullptr, Recording, 0), -1) << "no such template";
}

// As on Windows: WM_INITDIALOG gets the first tab stop and the parameter, that control gets the
// focus, Tab follows the template's order, and the dialog ends with what EndDialog was given.
TEST(DialogBox, FocusStartsAtTheFirstTabStopAndTabFollowsTheTemplate) {
    std::vector<int> order;
    const INT_PTR r = run(
        "entnpt",
        [&](wintest::Dialog &d) {
            EXPECT_NE(initFocus, nullptr) << "the first tab stop";
            EXPECT_TRUE(d.modal());
            for (int i = 0; i < 4; ++i) {
                order.push_back(d.focusedId());
                d.pressTab();
            }
            d.click(IDOK);
        },
        1234);
    EXPECT_EQ(r, 11);
    EXPECT_EQ(initParam, 1234);
    EXPECT_EQ(order, (std::vector<int>{IDOK, IDCANCEL, IDC_NPT, IDOK}));
}

TEST(DialogBox, KeysAndTheCloseBoxSendTheirCommandsAndTheProcedureDecides) {
    // clang-format off
    const struct { const char *name; std::function<void(wintest::Dialog &)> act; const char *heard; INT_PTR result; } rows[] = {
        {"Enter in a field presses the default button", [](wintest::Dialog &d) { d.type(IDC_NPT, "3"), d.pressEnter(); }, "WM_COMMAND 1 0\n", 11},
        {"Esc sends IDCANCEL", [](wintest::Dialog &d) { d.pressEscape(); }, "WM_COMMAND 2 0\n", 22},
        {"the close box sends IDCANCEL", [](wintest::Dialog &d) { d.closeBox(); }, "WM_COMMAND 2 0\n", 22},
        {"Cancel clicked", [](wintest::Dialog &d) { d.click(IDCANCEL); }, "WM_COMMAND 2 0\n", 22},
    };
    // clang-format on
    for (const auto &r : rows) {
        EXPECT_EQ(run("entnpt", r.act), r.result) << r.name;
        EXPECT_EQ(heard, r.heard) << r.name;
    }
    EXPECT_TRUE(wintest::LiveDialogs().empty());
}

// A group runs from a control with WS_GROUP (here the group boxes, after their buttons) to the
// next: a click checks its button and clears the others of its group only.
TEST(DialogBox, AutoRadioButtonsCheckThemselvesWithinTheirGroup) {
    run("entvt", [](wintest::Dialog &d) {
        CheckRadioButton(d.hwnd(), IDC_CART, IDC_ESF, IDC_CART);
        CheckRadioButton(d.hwnd(), IDC_GRAUS, IDC_RAD, IDC_RAD);
        auto state = [&d] {
            std::string s;
            for (int id : {IDC_CART, IDC_CIL, IDC_ESF, IDC_GRAUS, IDC_RAD}) s += d.checked(id) ? '1' : '0';
            return s;
        };
        EXPECT_EQ(state(), "10001");
        for (auto [id, after] : {std::pair{IDC_ESF, "00101"}, {IDC_GRAUS, "00110"}, {IDC_GRAUS, "00110"}}) {
            d.click(id);
            EXPECT_EQ(state(), after) << id;
        }
        d.click(IDOK);
    });
    EXPECT_EQ(heard, "WM_COMMAND 103 0\nWM_COMMAND 105 0\nWM_COMMAND 105 0\nWM_COMMAND 1 0\n");
}

// EM_LIMITTEXT limits what is typed or pasted, never what the program sets, and never a deletion.
TEST(DialogBox, TheTextLimitHoldsForTypingOnly) {
    using D = wintest::Dialog;
    // clang-format off
    const struct { const char *name; std::function<void(D &)> act; const char *text; } steps[] = {
        {"typing past the limit stops at it", [](D &d) { d.type(IDC_E1, "123456789012"); }, "1234567890"},
        {"the program sets more", [](D &d) { SetDlgItemTextA(d.hwnd(), IDC_E1, "123456789012"); }, "123456789012"},
        {"a paste into it adds nothing", [](D &d) { d.key(IDC_E1, D::End), d.paste(IDC_E1, "x"); }, "123456789012"},
        {"Backspace at the end", [](D &d) { d.key(IDC_E1, D::Backspace); }, "12345678901"},
        {"Delete at the start", [](D &d) { d.key(IDC_E1, D::Home), d.key(IDC_E1, D::Delete); }, "2345678901"},
        {"a paste over a selection is cut to fit",
         [](D &d) { d.key(IDC_E1, D::Home), d.key(IDC_E1, D::Right, true), d.key(IDC_E1, D::Right, true), d.paste(IDC_E1, "abcdef"); },
         "ab45678901"},
        {"typing at the end of a full field", [](D &d) { d.typeAtEnd(IDC_E1, "z"); }, "ab45678901"},
        {"a paste into room for three",
         [](D &d) { SetDlgItemTextA(d.hwnd(), IDC_E1, "1234567"), d.key(IDC_E1, D::Home), d.paste(IDC_E1, "abcdef"); }, "abc1234567"},
    };
    // clang-format on
    run("entvt", [&](D &d) {
        SendDlgItemMessageA(d.hwnd(), IDC_E1, EM_LIMITTEXT, 10, 0);
        EXPECT_EQ(d.textLimit(IDC_E1), 10);
        for (const auto &s : steps) {
            s.act(d);
            EXPECT_EQ(d.fieldText(IDC_E1), s.text) << s.name;
        }
        d.click(IDOK);
    });
}

TEST(DialogBox, TextsAndNumbersGoInAndComeBackAsWindowsGivesThem) {
    run("entvt", [](wintest::Dialog &d) {
        HWND h = d.hwnd();
        EXPECT_EQ(d.caption(), "\xC1lgebra Vetorial - Entradas") << "the script's UTF-8 as Windows-1252";
        SetDlgItemTextA(h, IDC_E1, "a\xE7\xE3o \x80");
        char buf[6];
        EXPECT_EQ(GetDlgItemTextA(h, IDC_E1, buf, sizeof buf), 5u) << "size - 1 bytes and a terminator";
        EXPECT_STREQ(buf, "a\xE7\xE3o ");
        EXPECT_EQ(d.fieldText(IDC_E1), "a\xE7\xE3o \x80");
        SetDlgItemInt(h, IDC_E2, 4294967295u, FALSE);
        EXPECT_EQ(d.fieldText(IDC_E2), "4294967295");
        // clang-format off
        const struct { const char *text; UINT value; BOOL ok; } rows[] = {{"12", 12, TRUE},         {" 7 ", 7, TRUE},  {"0", 0, TRUE},    {"4294967295", 4294967295u, TRUE},
                            {"4294967296", 0, FALSE}, {"", 0, FALSE},    {"abc", 0, FALSE}, {"-3", 0, FALSE},
                            {"12x", 0, FALSE},        {"1 2", 0, FALSE}, {"1.5", 0, FALSE}};
        // clang-format on
        for (const auto &r : rows) {
            SetDlgItemTextA(h, IDC_E3, r.text);
            BOOL ok = !r.ok;
            EXPECT_EQ(GetDlgItemInt(h, IDC_E3, &ok, FALSE), r.value) << '"' << r.text << '"';
            EXPECT_EQ(ok, r.ok) << '"' << r.text << '"';
        }
        EXPECT_EQ(GetDlgItemInt(h, 999, nullptr, FALSE), 0u) << "no such control";
        d.click(IDOK);
    });
}

// The help dialog: modeless, shown at once, a read-only text that keeps its line ends, and only OK
// closes it; IsDialogMessage takes only what is for it or its controls.
INT_PTR CALLBACK OkOnly(HWND h, UINT m, WPARAM wp, LPARAM) {
    if (m == WM_COMMAND) {
        heard += "WM_COMMAND " + std::to_string(LOWORD(wp)) + "\n";
        if (LOWORD(wp) == IDOK) DestroyWindow(h);
    }
    return m == WM_COMMAND || m == WM_INITDIALOG;
}

TEST(ModelessDialog, ShownAtOnceAndClosedOnlyByItsProcedure) {
    heard.clear();
    HWND h = CreateDialogParamA(wintest::Instance(), "Ajuda", nullptr, OkOnly, 0);
    HWND other = CreateDialogParamA(wintest::Instance(), "Ajuda", nullptr, OkOnly, 0);
    ASSERT_TRUE(h && other);
    wintest::Dialog d(h);
    EXPECT_TRUE(d.visible() && !d.modal());
    EXPECT_TRUE(d.readOnly(IDC_AJUDATXT));
    SetDlgItemTextA(h, IDC_AJUDATXT, "um\r\n\r\ndois");
    EXPECT_EQ(d.fieldText(IDC_AJUDATXT), "um\r\n\r\ndois");
    for (auto [to, taken] : {std::pair{h, TRUE}, {other, FALSE}, {HWND(nullptr), FALSE}}) {
        MSG m{to, WM_COMMAND, 7, 0, 0, {}};
        EXPECT_EQ(IsDialogMessageA(h, &m), taken);
    }
    d.pressEscape();
    d.closeBox();
    EXPECT_TRUE(d.visible()) << "Esc and the close box only ask";
    d.pressEnter();
    EXPECT_FALSE(wintest::IsLive(h));
    EXPECT_EQ(heard, "WM_COMMAND 7\nWM_COMMAND 2\nWM_COMMAND 2\nWM_COMMAND 1\n");
    DestroyWindow(other);
    wintest::Pump();
}

}  // namespace
