// The menu commands that open dialogs, the help and the about box.
#include "apoio/teste.h"
#include "testing/stored.h"
#include "window/ajuda.h"

#include <algorithm>
#include <tuple>

namespace {

using wintest::Dialog;
using Acao = std::function<void(Dialog &)>;
using V = std::vector<float>;
using Nomes = std::vector<std::string>;

Acao numero(const char *n) {
    return [n](Dialog &d) { d.type(IDC_NPT, n), d.click(IDOK); };
}
Acao vetor(const char *a, const char *b, const char *c) {
    return [=](Dialog &d) { d.type(IDC_E1, a), d.type(IDC_E2, b), d.type(IDC_E3, c), d.click(IDOK); };
}

class Menu : public apoio::JanelaPrincipal {
protected:
    V coluna(int k) { return {vetores[0][k], vetores[1][k], vetores[2][k]}; }
    // One more help dialog, opened without repainting the window.
    HWND abreajuda() {
        comando(IDM_AJUDA);
        EXPECT_EQ(pinturas(), 0);
        return wintest::LiveDialogs().back();
    }
};

TEST_F(Menu, VectorEntryFillsOneColumnPerVector) {
    num = MODO_LISTAGEM;
    for (int k = 0; k < MAXVETORES; ++k) vetores[0][k] = vetores[1][k] = vetores[2][k] = -7;
    wintest::DialogDrivers drivers;
    drivers.then(numero("4"))
        .then(vetor("1", "2", "3"))
        .then([](Dialog &d) {
            EXPECT_EQ(d.fieldText(IDC_E1) + d.fieldText(IDC_E2) + d.fieldText(IDC_E3), " 1.00 2.00 3.00") << "the last confirmed";
            d.type(IDC_E1, "9"), d.click(IDCANCEL);
        })
        .then([](Dialog &d) {
            EXPECT_EQ(d.fieldText(IDC_E1), " 1.00") << "a cancelled vector leaves the buffer alone";
            d.click(IDC_CIL), d.type(IDC_E1, "-4"), d.click(IDOK);
        })
        .then(vetor("0.5", "90", "-1"));
    comando(IDM_PONTOS);
    EXPECT_EQ(drivers.opened, (Nomes{"entnpt", "entvt", "entvt", "entvt", "entvt"}));
    const V cols[] = {{1, 2, 3}, V(3, -7), {4, 2, 3}, {0.5f, 90, -1}, V(3, -7)};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(coluna(k), cols[k]) << "column " << k;
    EXPECT_EQ(std::tuple(numpt, Scoord, num, pinturas()), std::tuple(4, CILINDRICO, MODO_VETORES, 1));
}

TEST_F(Menu, VectorEntryCountsAndTheVectorViewAlways) {
    // clang-format off
    const struct { const char *name; Acao act; int n; Nomes msgs; } rows[] = {
        {"cancelled", [](Dialog &d) { d.click(IDCANCEL); }, 0, {}},
        {"twenty", numero("20"), MAXVETORES, {"Número Máximo de Pontos é 15!"}},
    };
    // clang-format on
    for (auto &r : rows) {
        num = MODO_ANGULOS, numpt = 3;
        wintest::MessageBoxLog log;
        wintest::DialogDrivers drivers;
        drivers.then(r.act);
        for (int k = 0; k < r.n; ++k) drivers.then(vetor("1", "1", "1"));
        comando(IDM_PONTOS);
        EXPECT_EQ(log.texts(), r.msgs) << r.name;
        EXPECT_EQ(std::tuple(drivers.used(), numpt, num, pinturas()), std::tuple(r.n + 1, r.n, MODO_VETORES, 1)) << r.name;
    }
}

TEST_F(Menu, RegionAndSystemRepaintRules) {
    // clang-format off
    const struct { const char *name; int id, fim, num, pinturas; } rows[] = {
        {"limits confirmed", IDM_LIMITES, IDOK, MODO_REGIAO, 1},
        {"limits cancelled keeps the mode", IDM_LIMITES, IDCANCEL, MODO_LISTAGEM, 1},
        {"system confirmed", IDM_COORD, IDOK, MODO_LISTAGEM, 1},
        {"system cancelled", IDM_COORD, IDCANCEL, MODO_LISTAGEM, 0},
    };
    // clang-format on
    for (auto &r : rows) {
        num = MODO_LISTAGEM;
        wintest::DialogDrivers drivers;
        drivers.then([&](Dialog &d) { d.click(r.fim); });
        comando(r.id);
        EXPECT_EQ(drivers.opened, Nomes{r.id == IDM_LIMITES ? "entlim" : "entreg"}) << r.name;
        EXPECT_EQ(std::tuple(num, pinturas()), std::tuple(r.num, r.pinturas)) << r.name;
    }
}

// The user guide and the about box word for word, as stored; the dialog shows the guide whole.
TEST_F(Menu, HelpAndAboutTextsAsStored) {
    EXPECT_TRUE(wintest::MatchesStoredText(ORBIX_DADOS "/ajuda.txt", ajuda));
    Dialog d(abreajuda());
    EXPECT_EQ(d.templateName() + " / " + d.caption(), "Ajuda / Kelda - Ajuda");
    EXPECT_TRUE(d.visible() && d.readOnly(IDC_AJUDATXT));
    EXPECT_EQ(d.fieldText(IDC_AJUDATXT), std::string(ajuda));
    d.click(IDOK);
    wintest::MessageBoxLog log;
    wintest::ChooseMenuItem(hjan, IDM_SOBRE);
    EXPECT_EQ(pinturas(), 0);
    ASSERT_EQ(log.calls().size(), 1u);
    auto &c = log.calls()[0];
    EXPECT_EQ(std::tuple(c.owner, c.caption, c.type), std::tuple(hjan, std::string("Orbix"), UINT(MB_OK | MB_ICONINFORMATION)));
    EXPECT_TRUE(wintest::MatchesStoredText(ORBIX_DADOS "/sobre.txt", c.text));
}

TEST_F(Menu, OnlyItsOkClosesTheHelp) {
    // clang-format off
    const struct { const char *name; void (*act)(Dialog &); bool fecha; } rows[] = {
        {"Esc", [](Dialog &d) { d.pressEscape(); }, false}, {"close box", [](Dialog &d) { d.closeBox(); }, false},
        {"OK", [](Dialog &d) { d.click(IDOK); }, true}, {"Enter", [](Dialog &d) { d.pressEnter(); }, true},
    };
    // clang-format on
    for (auto &r : rows) {
        Dialog d(abreajuda());
        r.act(d), (void)pinta();
        HWND h = d.hwnd();
        EXPECT_EQ(std::tuple(wintest::IsLive(h), hDlgnmodal), std::tuple(BOOL(!r.fecha), r.fecha ? nullptr : h)) << r.name;
        if (wintest::IsLive(h)) d.click(IDOK), (void)pinta();
    }
}

TEST_F(Menu, EachHelpOpensOneMoreBesideTheWorkingWindow) {
    HWND a = abreajuda();
    Dialog d(a);
    comando(IDM_VERVET);
    EXPECT_EQ(std::tuple(pinturas(), num), std::tuple(1, MODO_LISTAGEM));
    HWND b = abreajuda();
    EXPECT_EQ(std::tuple(wintest::IsLive(a), a != b, hDlgnmodal), std::tuple(TRUE, true, b));
    d.click(IDOK), (void)pinta();
    EXPECT_EQ(std::tuple(wintest::IsLive(a), hDlgnmodal), std::tuple(FALSE, b)) << "the older closes, the loop keeps b";
    Dialog(b).click(IDOK), (void)pinta();
    EXPECT_EQ(hDlgnmodal, nullptr);
    a = abreajuda(), b = abreajuda();
    Dialog(b).pressEnter(), (void)pinta();
    EXPECT_EQ(hDlgnmodal, a) << "the one left open takes the keys";
    comando(IDM_SAIR), (void)pinta();
    EXPECT_EQ(std::tuple(wintest::IsLive(hjan), wintest::IsLive(a), hDlgnmodal), std::tuple(FALSE, FALSE, HWND(nullptr)));
}

}  // namespace
