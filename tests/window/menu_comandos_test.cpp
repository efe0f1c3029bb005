// The commands that run the data-entry dialogs, as the menu sends them.
#include <gtest/gtest.h>

#include "resource.h"
#include "state/estado.h"
#include "testing/wintest.h"
#include "window/janela.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using wintest::Dialog;
using wintest::GdiCall;

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        reiniciaestado();
        // The class is registered once per test program, by whichever fixture runs first.
        hjan = criajanela(wintest::Instance(), SW_SHOWNORMAL);
        if (!hjan && registraclasse(wintest::Instance())) hjan = criajanela(wintest::Instance(), SW_SHOWNORMAL);
        ASSERT_NE(hjan, nullptr);
        wintest::FireTimer(hjan, ID_ABERTURA);
        wintest::Pump();
    }
    void TearDown() override {
        if (IsWindow(hjan)) DestroyWindow(hjan);
        wintest::Pump();
        wintest::TakeQuit();
        reiniciaestado();
    }
    void command(int id) { SendMessageA(hjan, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    int paintsAfter() {
        wintest::GdiRecorder rec;
        wintest::Pump();
        int n = 0;
        for (auto &c : rec.calls()) n += c.op == GdiCall::SelectFont;
        return n;
    }
    static std::function<void(Dialog &)> count(const char *n) {
        return [n](Dialog &d) {
            d.type(IDC_NPT, n);
            d.click(IDOK);
        };
    }
    static std::function<void(Dialog &)> vector(const char *a, const char *b, const char *c) {
        return [=](Dialog &d) {
            d.type(IDC_E1, a);
            d.type(IDC_E2, b);
            d.type(IDC_E3, c);
            d.click(IDOK);
        };
    }
    static void cancel(Dialog &d) { d.click(IDCANCEL); }
    std::vector<float> column(int k) const { return {vetores[0][k], vetores[1][k], vetores[2][k]}; }
    HWND hjan = nullptr;
};

TEST_F(Commands, VectorEntryFillsOneColumnPerVectorAndShowsTheVectorView) {
    num = MODO_LISTAGEM;
    for (int k = 0; k < MAXVETORES; ++k) vetores[0][k] = vetores[1][k] = vetores[2][k] = -7;
    wintest::DialogDrivers drivers;
    drivers.then(count("4"))
        .then(vector("1", "2", "3"))
        .then([](Dialog &d) {
            // The next vector starts from the one just confirmed.
            EXPECT_EQ(d.text(IDC_E1), " 1.00");
            EXPECT_EQ(d.text(IDC_E2), " 2.00");
            EXPECT_EQ(d.text(IDC_E3), " 3.00");
            d.type(IDC_E1, "9");
            d.click(IDCANCEL);
        })
        .then([](Dialog &d) {
            EXPECT_EQ(d.text(IDC_E1), " 1.00") << "a cancelled vector leaves the buffer alone";
            d.click(IDC_CIL);
            d.type(IDC_E1, "-4");
            d.click(IDOK);
        })
        .then(vector("0.5", "90", "-1"));
    command(IDM_PONTOS);
    EXPECT_EQ(drivers.opened, (std::vector<std::string>{"entnpt", "entvt", "entvt", "entvt", "entvt"}));
    EXPECT_EQ(numpt, 4);
    EXPECT_EQ(column(0), (std::vector<float>{1, 2, 3}));
    EXPECT_EQ(column(1), (std::vector<float>{-7, -7, -7})) << "the cancelled vector keeps its column";
    EXPECT_EQ(column(2), (std::vector<float>{4, 2, 3}));
    EXPECT_EQ(column(3), (std::vector<float>{0.5f, 90, -1}));
    EXPECT_EQ(column(4), (std::vector<float>{-7, -7, -7})) << "columns beyond numpt untouched";
    EXPECT_EQ(Scoord, CILINDRICO) << "the system chosen last is the one of every vector";
    EXPECT_EQ(num, MODO_VETORES);
    EXPECT_EQ(paintsAfter(), 1);
}

TEST_F(Commands, VectorEntryWithoutVectorsStillSwitchesToTheVectorView) {
    struct Row {
        const char *name;
        std::function<void(Dialog &)> number;
        int numpt;
    } rows[] = {
        {"number dialog cancelled", cancel, 0},
        {"zero confirmed", count("0"), 0},
        {"nothing typed", [](Dialog &d) { d.setText(IDC_NPT, ""); d.pressEnter(); }, 0},
    };
    for (auto &r : rows) {
        num = MODO_ANGULOS;
        numpt = 3;
        wintest::DialogDrivers drivers;
        drivers.then(r.number);
        command(IDM_PONTOS);
        EXPECT_EQ(drivers.opened, std::vector<std::string>{"entnpt"}) << r.name << ": no vector dialog";
        EXPECT_EQ(numpt, r.numpt) << r.name;
        EXPECT_EQ(num, MODO_VETORES) << r.name;
        EXPECT_EQ(paintsAfter(), 1) << r.name;
    }
}

TEST_F(Commands, TooManyVectorsAsksForFifteen) {
    wintest::MessageBoxLog log;
    wintest::DialogDrivers drivers;
    drivers.then(count("20"));
    for (int k = 0; k < MAXVETORES; ++k) drivers.then(vector("1", "1", "1"));
    command(IDM_PONTOS);
    EXPECT_EQ(log.texts(), std::vector<std::string>{"Número Máximo de Pontos é 15!"});
    EXPECT_EQ(numpt, MAXVETORES);
    EXPECT_EQ(drivers.used(), 1 + MAXVETORES);
    EXPECT_EQ(column(MAXVETORES - 1), (std::vector<float>{1, 1, 1}));
}

TEST_F(Commands, RegionLimits) {
    struct Row {
        const char *name;
        std::function<void(Dialog &)> act;
        int num;
        float firstLimit;
    } rows[] = {
        {"confirmed: the region view", [](Dialog &d) { d.type(IDC_LIM1, "-2"); d.click(IDOK); }, MODO_REGIAO, -2},
        {"cancelled: the mode stays", [](Dialog &d) { d.type(IDC_LIM1, "5"); d.click(IDCANCEL); }, MODO_LISTAGEM, 1},
    };
    for (auto &r : rows) {
        num = MODO_LISTAGEM;
        reg[0][0] = 1;
        wintest::DialogDrivers drivers;
        drivers.then(r.act);
        command(IDM_LIMITES);
        EXPECT_EQ(drivers.opened, std::vector<std::string>{"entlim"}) << r.name;
        EXPECT_EQ(num, r.num) << r.name;
        EXPECT_EQ(reg[0][0], r.firstLimit) << r.name;
        EXPECT_EQ(paintsAfter(), 1) << r.name << ": repaints either way";
    }
}

TEST_F(Commands, CoordinateSystemRepaintsOnlyWhenConfirmed) {
    struct Row {
        const char *name;
        int button;
        int paints;
    } rows[] = {
        {"confirmed", IDOK, 1},
        {"cancelled", IDCANCEL, 0},
    };
    for (auto &r : rows) {
        num = MODO_REGIAO;
        Scoord = CARTESIANO;
        wintest::DialogDrivers drivers;
        drivers.then([&](Dialog &d) {
            d.click(IDC_ESF);
            d.click(r.button);
        });
        command(IDM_COORD);
        EXPECT_EQ(drivers.opened, std::vector<std::string>{"entreg"}) << r.name;
        EXPECT_EQ(Scoord, ESFERICO) << r.name << ": the click counts at once";
        EXPECT_EQ(num, MODO_REGIAO) << r.name;
        EXPECT_EQ(paintsAfter(), r.paints) << r.name;
    }
}

}  // namespace
