// The layer's dialog boxes, message boxes and save dialog, held to Win32 behaviour, on the
// program's own templates.
#include <gtest/gtest.h>

#include "testing/wintest.h"

#include <string>
#include <vector>

namespace {

struct Cmd {
    int id;
};
std::vector<int> commands;
bool endOnOk = true;

INT_PTR CALLBACK RecordingDlg(HWND h, UINT m, WPARAM wp, LPARAM) {
    switch (m) {
    case WM_INITDIALOG:
        SetDlgItemTextA(h, 108, "inicial");
        SendDlgItemMessageA(h, 108, EM_LIMITTEXT, 10, 0);
        CheckRadioButton(h, 101, 103, 102);
        CheckRadioButton(h, 105, 106, 105);
        return TRUE;
    case WM_COMMAND:
        commands.push_back(LOWORD(wp));
        if (LOWORD(wp) == IDOK && endOnOk) EndDialog(h, 1);
        if (LOWORD(wp) == IDCANCEL) EndDialog(h, 0);
        return TRUE;
    }
    return FALSE;
}

// The help dialog's rule: only OK closes it.
INT_PTR CALLBACK OkOnlyDlg(HWND h, UINT m, WPARAM wp, LPARAM) {
    if (m == WM_INITDIALOG) return TRUE;
    if (m == WM_COMMAND) {
        commands.push_back(LOWORD(wp));
        if (LOWORD(wp) == IDOK) DestroyWindow(h);
        return TRUE;
    }
    return FALSE;
}

INT_PTR run(std::function<void(wintest::Dialog &)> driver) {
    commands.clear();
    wintest::DialogDrivers drivers;
    drivers.then(std::move(driver));
    return DialogBoxParamA(wintest::Instance(), "entvt", nullptr, RecordingDlg, 0);
}

TEST(DialogBox, ResultComesFromEndDialogAndTheButtonsSendTheirIds) {
    struct Row {
        const char *name;
        std::function<void(wintest::Dialog &)> act;
        INT_PTR result;
        int command;
    } rows[] = {
        {"OK button", [](wintest::Dialog &d) { d.click(IDOK); }, 1, IDOK},
        {"Cancel button", [](wintest::Dialog &d) { d.click(IDCANCEL); }, 0, IDCANCEL},
        {"Enter presses the default button", [](wintest::Dialog &d) { d.pressEnter(); }, 1, IDOK},
        {"Esc", [](wintest::Dialog &d) { d.pressEscape(); }, 0, IDCANCEL},
        {"close box", [](wintest::Dialog &d) { d.closeBox(); }, 0, IDCANCEL},
    };
    for (auto &r : rows) {
        EXPECT_EQ(run(r.act), r.result) << r.name;
        ASSERT_FALSE(commands.empty()) << r.name;
        EXPECT_EQ(commands.back(), r.command) << r.name;
    }
}

TEST(DialogBox, TemplateGivesCaptionControlsAndTheDefaultButton) {
    run([](wintest::Dialog &d) {
        EXPECT_EQ(d.templateName(), "entvt");
        EXPECT_EQ(d.caption(), "Álgebra Vetorial - Entradas");
        EXPECT_TRUE(d.isDefaultButton(IDOK));
        EXPECT_FALSE(d.isDefaultButton(IDCANCEL));
        EXPECT_EQ(d.text(103), "Esféricas");
        RECT ok = d.controlRect(IDOK), cancel = d.controlRect(IDCANCEL);
        EXPECT_EQ(ok.top, cancel.top) << "both at y = 60 dialog units";
        EXPECT_LT(ok.left, cancel.left);
        EXPECT_EQ(ok.right - ok.left, cancel.right - cancel.left) << "both 50 units wide";
        d.click(IDOK);
    });
}

TEST(DialogBox, AutoRadioButtonsCheckThemselvesWithinTheirGroupOnly) {
    run([](wintest::Dialog &d) {
        EXPECT_TRUE(d.checked(102));
        EXPECT_TRUE(d.checked(105));
        d.click(103);
        EXPECT_TRUE(d.checked(103));
        EXPECT_FALSE(d.checked(102));
        EXPECT_FALSE(d.checked(101));
        EXPECT_TRUE(d.checked(105)) << "the unit group is another group";
        d.click(106);
        EXPECT_TRUE(d.checked(106));
        EXPECT_FALSE(d.checked(105));
        EXPECT_TRUE(d.checked(103));
        d.click(IDOK);
    });
    EXPECT_EQ(commands, (std::vector<int>{103, 106, IDOK}));
}

TEST(DialogBox, TextLimitHoldsForTypingButNotForSetText) {
    run([](wintest::Dialog &d) {
        EXPECT_EQ(d.textLimit(108), 10);
        d.type(108, "123456789012");
        EXPECT_EQ(d.text(108), "1234567890");
        d.setText(108, "123456789012345");
        EXPECT_EQ(d.text(108), "123456789012345");
        d.click(IDOK);
    });
}

TEST(DialogBox, GetDlgItemTextCopiesAtMostSizeMinusOneBytes) {
    run([](wintest::Dialog &d) {
        d.setText(108, "1234567890");
        char buf[10];
        EXPECT_EQ(GetDlgItemTextA(d.hwnd(), 108, buf, sizeof buf), 9u);
        EXPECT_STREQ(buf, "123456789");
        d.click(IDOK);
    });
}

TEST(DialogBox, GetDlgItemIntReadsUnsignedDecimalOrGivesZero) {
    struct Row {
        const char *text;
        UINT value;
        BOOL ok;
    } rows[] = {{"20", 20, TRUE},      {" 7", 7, TRUE},  {"", 0, FALSE},   {"abc", 0, FALSE},
                {"-3", 0, FALSE},      {"12x", 0, FALSE}, {"99", 99, TRUE}, {"4294967296", 0, FALSE}};
    run([&](wintest::Dialog &d) {
        for (auto &r : rows) {
            d.setText(108, r.text);
            BOOL ok = 2;
            EXPECT_EQ(GetDlgItemInt(d.hwnd(), 108, &ok, FALSE), r.value) << '"' << r.text << '"';
            EXPECT_EQ(ok, r.ok) << '"' << r.text << '"';
        }
        SetDlgItemInt(d.hwnd(), 108, 15, FALSE);
        EXPECT_EQ(d.text(108), "15");
        d.click(IDOK);
    });
}

TEST(DialogBox, ADialogWithNoDriverFailsTheTestInsteadOfHanging) {
    std::vector<std::string> failures;
    wintest::SetFailureHandler([&](const std::string &w) { failures.push_back(w); });
    INT_PTR r = DialogBoxParamA(wintest::Instance(), "entvt", nullptr, RecordingDlg, 0);
    wintest::SetFailureHandler([](const std::string &w) { ADD_FAILURE() << w; });
    EXPECT_EQ(r, 0);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("entvt"), std::string::npos);
}

TEST(DialogBox, ADriverThatLeavesTheDialogOpenFailsAndTheDialogIsCancelled) {
    std::vector<std::string> failures;
    wintest::SetFailureHandler([&](const std::string &w) { failures.push_back(w); });
    endOnOk = false;
    INT_PTR r = run([](wintest::Dialog &d) { d.click(IDOK); });
    endOnOk = true;
    wintest::SetFailureHandler([](const std::string &w) { ADD_FAILURE() << w; });
    EXPECT_EQ(r, 0);
    EXPECT_EQ(failures.size(), 1u);
}

TEST(DialogBox, UnknownTemplateGivesMinusOne) {
    EXPECT_EQ(DialogBoxParamA(wintest::Instance(), "nosuch", nullptr, RecordingDlg, 0), -1);
}

TEST(ModelessDialog, IsShownAtOnceAndStaysOpenOnEscAndCloseBox) {
    commands.clear();
    HWND h = CreateDialogParamA(wintest::Instance(), "Ajuda", nullptr, OkOnlyDlg, 0);
    ASSERT_NE(h, nullptr);
    wintest::Dialog d(h);
    EXPECT_TRUE(d.visible());
    EXPECT_EQ(d.caption(), "Kelda - Ajuda");
    EXPECT_TRUE(d.readOnly(500));
    d.pressEscape();
    d.closeBox();
    EXPECT_TRUE(IsWindow(h));
    EXPECT_EQ(commands, (std::vector<int>{IDCANCEL, IDCANCEL}));
    d.pressEnter();
    EXPECT_FALSE(IsWindow(h));
    wintest::Pump();
}

TEST(ModelessDialog, MultiLineTextKeepsItsLineEnds) {
    HWND h = CreateDialogParamA(wintest::Instance(), "Ajuda", nullptr, OkOnlyDlg, 0);
    SetDlgItemTextA(h, 500, "um\r\n\r\ndois");
    EXPECT_EQ(wintest::Dialog(h).text(500), "um\r\n\r\ndois");
    DestroyWindow(h);
    wintest::Pump();
}

TEST(MessageBox, LogRecordsOwnerTextCaptionAndType) {
    wintest::MessageBoxLog log;
    EXPECT_EQ(MessageBoxA(nullptr, "Número Máximo de Pontos é 15!", "Orbix", MB_OK | MB_ICONEXCLAMATION), IDOK);
    ASSERT_EQ(log.calls().size(), 1u);
    EXPECT_EQ(log.calls()[0].text, "Número Máximo de Pontos é 15!");
    EXPECT_EQ(log.calls()[0].caption, "Orbix");
    EXPECT_EQ(log.calls()[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));
}

TEST(SaveDialog, DriverSeesFiltersAndInitialPathAndAnswersInOrder) {
    wintest::SaveDialogDriver save;
    save.answer("/tmp/relatorio").cancel();
    char file[256] = "/tmp/anterior.TXD", title[64] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = "Dados (*.TXD)\0*.txd\0Texto (*.TXT)\0*.txt\0Todos (*.*)\0*.*\0\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    ASSERT_TRUE(GetSaveFileNameA(&ofn));
    EXPECT_STREQ(file, "/tmp/relatorio");
    EXPECT_STREQ(title, "relatorio");
    EXPECT_FALSE(GetSaveFileNameA(&ofn));
    ASSERT_EQ(save.calls.size(), 2u);
    EXPECT_EQ(save.calls[0].initialPath, "/tmp/anterior.TXD");
    ASSERT_EQ(save.calls[0].filters.size(), 3u);
    EXPECT_EQ(save.calls[0].filters[1].second, "*.txt");
    EXPECT_EQ(save.calls[0].filterIndex, 1u);
}

}  // namespace
