// The help text, the modeless help dialog and the about box.
#include <gtest/gtest.h>

#include "resource.h"
#include "state/estado.h"
#include "testing/wintest.h"
#include "window/ajuda.h"
#include "window/janela.h"

#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using wintest::Dialog;
using wintest::GdiCall;

class Help : public ::testing::Test {
protected:
    void SetUp() override {
        reiniciaestado();
        // The class is registered once per test program, by whichever fixture runs first.
        hjan = criajanela(wintest::Instance(), SW_SHOWNORMAL);
        if (!hjan && registraclasse(wintest::Instance())) hjan = criajanela(wintest::Instance(), SW_SHOWNORMAL);
        ASSERT_NE(hjan, nullptr);
        wintest::FireTimer(hjan, ID_ABERTURA);
        pump();
    }
    void TearDown() override {
        for (HWND h : wintest::LiveDialogs()) DestroyWindow(h);
        if (IsWindow(hjan)) DestroyWindow(hjan);
        pump();
        wintest::TakeQuit();
        EXPECT_EQ(hDlgnmodal, nullptr) << "no dialog left named";
        reiniciaestado();
    }
    // The program's loop: every message is offered to the help dialog first.
    void pump() { wintest::Pump(&hDlgnmodal); }
    int paintsAfter() {
        wintest::GdiRecorder rec;
        pump();
        int n = 0;
        for (auto &c : rec.calls()) n += c.op == GdiCall::SelectFont;
        return n;
    }
    HWND openHelp() {
        auto before = wintest::LiveDialogs();
        SendMessageA(hjan, WM_COMMAND, IDM_AJUDA, 0);
        EXPECT_EQ(paintsAfter(), 0) << "opening the help does not repaint the window";
        auto after = wintest::LiveDialogs();
        EXPECT_EQ(after.size(), before.size() + 1);
        return after.empty() ? nullptr : after.back();
    }
    HWND hjan = nullptr;
};

std::vector<std::string> paragraphs(const std::string &t) {
    std::vector<std::string> out;
    size_t start = 0, sep;
    while ((sep = t.find("\r\n\r\n", start)) != std::string::npos) {
        out.push_back(t.substr(start, sep - start));
        start = sep + 4;
    }
    out.push_back(t.substr(start));
    return out;
}

TEST_F(Help, TextIsAssembledAtCreationFromItsFivePieces) {
    EXPECT_EQ(strlen(ajuda), 4206u) << "Windows-1252 bytes, CR LF counted as two";
    std::string joined;
    for (const char *p : partesajuda) {
        EXPECT_GT(strlen(p), 0u);
        joined += p;
    }
    EXPECT_EQ(std::string(ajuda), joined);

    std::string t = ajuda;
    auto ps = paragraphs(t);
    ASSERT_EQ(ps.size(), 14u);
    EXPECT_EQ(ps[0], "\t\t\tORBIX - Programa de Álgebra Vetorial");
    EXPECT_EQ(ps[2], "\t\tMenu do ORBIX");
    EXPECT_EQ(ps[4], "2) O menu Sair, sai do programa.");
    for (int i = 3; i < 14; ++i) EXPECT_EQ(ps[i].rfind(std::to_string(i - 2) + ") O", 0), 0u) << i;
    for (auto &p : ps) {
        EXPECT_FALSE(p.empty());
        EXPECT_EQ(p.find_first_of("\r\n"), std::string::npos) << "no line end inside a paragraph";
    }
    ASSERT_GE(t.size(), 15u);
    EXPECT_EQ(t.substr(t.size() - 15), "pelo programa..");
}

TEST_F(Help, OpensBesideTheWindowShowingTheWholeTextReadOnly) {
    HWND h = openHelp();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(hDlgnmodal, h);
    Dialog d(h);
    EXPECT_EQ(d.templateName(), "Ajuda");
    EXPECT_EQ(d.caption(), "Kelda - Ajuda");
    EXPECT_TRUE(d.visible());
    EXPECT_TRUE(d.readOnly(IDC_AJUDATXT));
    EXPECT_EQ(d.text(IDC_AJUDATXT), std::string(ajuda));

    // The main window goes on working while the help is open.
    SendMessageA(hjan, WM_COMMAND, IDM_VERVET, 0);
    EXPECT_EQ(paintsAfter(), 1);
    EXPECT_EQ(num, MODO_LISTAGEM);
    EXPECT_TRUE(IsWindow(h));
    d.click(IDOK);
    pump();
}

TEST_F(Help, OnlyItsOkClosesIt) {
    struct Row {
        const char *name;
        void (*act)(Dialog &);
        bool closes;
    } rows[] = {
        {"Esc", [](Dialog &d) { d.pressEscape(); }, false},
        {"close box", [](Dialog &d) { d.closeBox(); }, false},
        {"OK button", [](Dialog &d) { d.click(IDOK); }, true},
        {"Enter", [](Dialog &d) { d.pressEnter(); }, true},
    };
    for (auto &r : rows) {
        HWND h = openHelp();
        Dialog d(h);
        r.act(d);
        pump();
        EXPECT_EQ(IsWindow(h) == FALSE, r.closes) << r.name;
        if (!r.closes) {
            EXPECT_TRUE(d.visible()) << r.name;
            EXPECT_EQ(hDlgnmodal, h) << r.name;
            d.click(IDOK);
            pump();
        }
        EXPECT_FALSE(IsWindow(h)) << r.name;
        EXPECT_EQ(hDlgnmodal, nullptr) << r.name << ": the loop is not left with a dead dialog";
    }
}

TEST_F(Help, EachCommandOpensOneMoreAndTheOlderStillClosesWithItsOk) {
    HWND older = openHelp();
    HWND newer = openHelp();
    ASSERT_NE(older, newer);
    EXPECT_TRUE(IsWindow(older));
    EXPECT_EQ(hDlgnmodal, newer) << "the newest is the one the loop serves";

    Dialog(newer).click(IDOK);
    pump();
    EXPECT_FALSE(IsWindow(newer));
    EXPECT_TRUE(IsWindow(older));
    EXPECT_EQ(hDlgnmodal, older) << "the one left open takes the keys";

    // Closing one that the loop does not serve leaves the loop's one alone.
    HWND third = openHelp();
    Dialog(older).click(IDOK);
    pump();
    EXPECT_FALSE(IsWindow(older));
    EXPECT_EQ(hDlgnmodal, third);
    Dialog(third).pressEnter();
    pump();
    EXPECT_FALSE(IsWindow(third));
    EXPECT_EQ(hDlgnmodal, nullptr);
}

TEST_F(Help, ClosingTheProgramWithTheHelpOpenEndsCleanly) {
    HWND h = openHelp();
    SendMessageA(hjan, WM_COMMAND, IDM_SAIR, 0);
    pump();
    EXPECT_FALSE(IsWindow(hjan));
    EXPECT_FALSE(IsWindow(h)) << "the help belongs to the main window";
    EXPECT_EQ(hDlgnmodal, nullptr);
    int code = -1;
    EXPECT_TRUE(wintest::TakeQuit(&code));
    EXPECT_EQ(code, 0);
}

TEST_F(Help, AboutBox) {
    wintest::MessageBoxLog log;
    wintest::ChooseMenuItem(hjan, IDM_SOBRE);
    EXPECT_EQ(paintsAfter(), 0);
    ASSERT_EQ(log.calls().size(), 1u);
    const auto &c = log.calls()[0];
    EXPECT_EQ(c.owner, hjan);
    EXPECT_EQ(c.caption, "Orbix");
    EXPECT_EQ(c.type, UINT(MB_OK | MB_ICONINFORMATION));
    const std::string head =
        "\t           ORBIX\n\n\tPrograma para Álgebra Vetorial Básica:\n\t        Gráficos e Cálculos\n\n"
        "\t\t Versão 1.0\n\n\n";
    ASSERT_EQ(c.text.rfind(head, 0), 0u);
    // A credit line indented by four spaces, then three contact lines after an empty line each.
    std::string rest = c.text.substr(head.size());
    EXPECT_EQ(rest.rfind("    ", 0), 0u);
    EXPECT_NE(rest[4], ' ');
    std::vector<std::string> lines;
    size_t start = 0, sep;
    while ((sep = rest.find("\n\n\t", start)) != std::string::npos) {
        lines.push_back(rest.substr(start, sep - start));
        start = sep + 3;
    }
    lines.push_back(rest.substr(start));
    ASSERT_EQ(lines.size(), 4u);
    for (auto &l : lines) {
        EXPECT_FALSE(l.empty());
        EXPECT_EQ(l.find('\n'), std::string::npos) << l;
    }
    EXPECT_NE(rest.back(), '\n');
}

}  // namespace
