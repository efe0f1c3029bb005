// The region limits dialog and the coordinate system dialog, with the region angle check.
#include <gtest/gtest.h>

#include "dialogs/dialogos.h"
#include "resource.h"
#include "state/estado.h"
#include "testing/wintest.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using wintest::Dialog;

const std::string PHI = "O valor de phi está errado e foi colocado nos limites!";
const std::string THETA = "O valor de theta está errado e foi colocado nos limites!";

class RegionDialogs : public ::testing::Test {
protected:
    void SetUp() override { reiniciaestado(); }
    void TearDown() override { reiniciaestado(); }

    INT_PTR run(const char *nome, DLGPROC proc, std::function<void(Dialog &)> driver) {
        wintest::DialogDrivers drivers;
        drivers.then([&](Dialog &d) {
            dialogo = d.hwnd();
            driver(d);
        });
        INT_PTR r = DialogBoxParamA(wintest::Instance(), nome, nullptr, proc, 0);
        EXPECT_EQ(drivers.used(), 1);
        return r;
    }
    void setreg(const float (&l)[6]) {
        for (int n = 0; n < 6; ++n) reg[n / 2][n % 2] = l[n];
    }
    std::vector<float> limites() const {
        std::vector<float> out;
        for (int n = 0; n < 6; ++n) out.push_back(reg[n / 2][n % 2]);
        return out;
    }
    HWND dialogo = nullptr;
};

TEST_F(RegionDialogs, LimitsOpenWithTheRegionInForceInFieldOrder) {
    run("entlim", DlgProcEntLim, [](Dialog &d) {
        for (int id = IDC_LIM1; id <= IDC_LIM6; ++id) {
            EXPECT_EQ(d.text(id), " 0.00") << id;
            EXPECT_EQ(d.textLimit(id), 10) << id;
        }
        d.click(IDCANCEL);
    });
    setreg({-1, 1, -2.5f, 2.5f, 12345678, -3e38f});
    run("entlim", DlgProcEntLim, [](Dialog &d) {
        EXPECT_EQ(d.text(IDC_LIM1), "-1.00");
        EXPECT_EQ(d.text(IDC_LIM2), " 1.00");
        EXPECT_EQ(d.text(IDC_LIM3), "-2.50");
        EXPECT_EQ(d.text(IDC_LIM4), " 2.50");
        EXPECT_EQ(d.text(IDC_LIM5), "12345678.00");
        EXPECT_EQ(d.text(IDC_LIM6).size(), 43u) << "a huge limit is shown whole";
        d.click(IDOK);
    });
    EXPECT_EQ(limites(), (std::vector<float>{-1, 1, -2.5f, 2.5f, 12345678, -3e38f})) << "OK untouched keeps every limit";
}

TEST_F(RegionDialogs, LimitsConfirmedWithTheAngleCheck) {
    struct Row {
        const char *name;
        int sistema, unidade;
        const char *texts[6];
        std::vector<float> expected;
        std::vector<std::string> messages;
    } rows[] = {
        {"Cartesian, stored as typed", CARTESIANO, GRAUS, {"-1", "1", "-2", "2", "0", "5"}, {-1, 1, -2, 2, 0, 5}, {}},
        {"cylindrical degrees, phi 0..400", CILINDRICO, GRAUS, {"1", "2", "0", "400", "-3", "3"},
         {1, 2, 0, 360, -3, 3}, {PHI}},
        {"cylindrical radians, negative radius accepted", CILINDRICO, RADIANOS, {"-1", "2", "0", "6.283", "0", "1"},
         {-1, 2, 0, 6.283f, 0, 1}, {}},
        {"spherical radians, theta then phi", ESFERICO, RADIANOS, {"0", "1", "0", "4", "0", "7"},
         {0, 1, 0, 3.1414999961853027f, 0, 6.2829999923706055f}, {THETA, PHI}},
        {"spherical degrees, a reversed phi pair is kept", ESFERICO, GRAUS, {"0", "1", "10", "170", "90", "30"},
         {0, 1, 10, 170, 90, 30}, {}},
        {"spherical degrees, negative lower theta", ESFERICO, GRAUS, {"0", "1", "-10", "170", "0", "360"},
         {0, 1, 0, 180, 0, 360}, {THETA}},
        {"an infinity typed is no limit", CILINDRICO, GRAUS, {"inf", "1e39", "0", "nan", "-1e39", "5"},
         {0, 3.4028234663852886e38f, 0, 0, -3.4028234663852886e38f, 5}, {}},
    };
    for (auto &r : rows) {
        setreg({9, 9, 9, 9, 9, 9});
        Scoord = r.sistema;
        Medgrau = r.unidade;
        wintest::MessageBoxLog log;
        INT_PTR res = run("entlim", DlgProcEntLim, [&](Dialog &d) {
            for (int n = 0; n < 6; ++n) d.type(IDC_LIM1 + n, r.texts[n]);
            d.click(IDOK);
        });
        EXPECT_EQ(res, 1) << r.name;
        EXPECT_EQ(limites(), r.expected) << r.name;
        EXPECT_EQ(log.texts(), r.messages) << r.name;
        for (auto &c : log.calls()) {
            EXPECT_EQ(c.owner, dialogo) << r.name;
            EXPECT_EQ(c.caption, "Orbix") << r.name;
            EXPECT_EQ(c.type, UINT(MB_OK | MB_ICONEXCLAMATION)) << r.name;
        }
        EXPECT_EQ(Scoord, r.sistema) << "the limits dialog never changes the system";
        EXPECT_EQ(Medgrau, r.unidade);
    }
}

TEST_F(RegionDialogs, CancelledLimitsWriteNothingAndReopeningShowsTheRepairedOnes) {
    setreg({1, 2, 3, 4, 5, 6});
    for (auto cancel : {std::function<void(Dialog &)>([](Dialog &d) { d.click(IDCANCEL); }),
                        std::function<void(Dialog &)>([](Dialog &d) { d.pressEscape(); }),
                        std::function<void(Dialog &)>([](Dialog &d) { d.closeBox(); })}) {
        EXPECT_EQ(run("entlim", DlgProcEntLim, [&](Dialog &d) {
                      d.type(IDC_LIM1, "-7");
                      d.type(IDC_LIM4, "700");
                      cancel(d);
                  }),
                  0);
        EXPECT_EQ(limites(), (std::vector<float>{1, 2, 3, 4, 5, 6}));
    }

    Scoord = CILINDRICO;
    wintest::MessageBoxLog log;
    run("entlim", DlgProcEntLim, [](Dialog &d) {
        d.type(IDC_LIM4, "400");
        d.click(IDOK);
    });
    run("entlim", DlgProcEntLim, [](Dialog &d) {
        EXPECT_EQ(d.text(IDC_LIM3), " 0.00");
        EXPECT_EQ(d.text(IDC_LIM4), "360.00");
        d.click(IDCANCEL);
    });
}

TEST_F(RegionDialogs, CoordinateSystemOpensWithTheChoiceInForce) {
    Scoord = ESFERICO;
    Medgrau = RADIANOS;
    run("entreg", DlgProcCoord, [](Dialog &d) {
        EXPECT_EQ(d.caption(), "Álgebra Vetorial - Região");
        EXPECT_TRUE(d.checked(IDC_ESF));
        EXPECT_FALSE(d.checked(IDC_CART));
        EXPECT_FALSE(d.checked(IDC_CIL));
        EXPECT_TRUE(d.checked(IDC_RAD));
        EXPECT_FALSE(d.checked(IDC_GRAUS));
        d.click(IDCANCEL);
    });
}

TEST_F(RegionDialogs, CoordinateSystemRereadsTheRegionAndChecksItsAngles) {
    struct Row {
        const char *name;
        int sistema, unidade;
        float region[6];
        std::vector<int> clicks;
        int fim;
        INT_PTR result;
        int novoSistema, novaUnidade;
        std::vector<float> expected;
        std::vector<std::string> messages;
    } rows[] = {
        {"Cartesian region read as cylindrical in degrees", CARTESIANO, GRAUS, {-1, 1, -2, 2, 0, 5}, {IDC_CIL}, IDOK,
         1, CILINDRICO, GRAUS, {-1, 1, 0, 360, 0, 5}, {PHI}},
        {"the same region read as spherical in radians: theta only", CARTESIANO, GRAUS, {-1, 1, -2, 2, 0, 5},
         {IDC_ESF, IDC_RAD}, IDOK, 1, ESFERICO, RADIANOS, {-1, 1, 0, 3.1415f, 0, 5}, {THETA}},
        {"degrees to radians with a cylindrical phi 0..90", CILINDRICO, GRAUS, {0, 1, 0, 90, 0, 1}, {IDC_RAD}, IDOK,
         1, CILINDRICO, RADIANOS, {0, 1, 0, 6.283f, 0, 1}, {PHI}},
        {"spherical both out, theta before phi", CARTESIANO, RADIANOS, {0, 1, 0, 200, -1, 1}, {IDC_ESF, IDC_GRAUS},
         IDOK, 1, ESFERICO, GRAUS, {0, 1, 0, 180, 0, 360}, {THETA, PHI}},
        {"OK with nothing changed still checks", CILINDRICO, GRAUS, {0, 1, -5, 5, 0, 1}, {}, IDOK, 1, CILINDRICO,
         GRAUS, {0, 1, 0, 360, 0, 1}, {PHI}},
        {"the last click of a group counts", CARTESIANO, GRAUS, {0, 1, 0, 400, 0, 1}, {IDC_ESF, IDC_CIL, IDC_CART},
         IDOK, 1, CARTESIANO, GRAUS, {0, 1, 0, 400, 0, 1}, {}},
        {"Esféricas then Cancel: no check, the choice stays", CARTESIANO, GRAUS, {-1, 1, -2, 2, 0, 5}, {IDC_ESF},
         IDCANCEL, 0, ESFERICO, GRAUS, {-1, 1, -2, 2, 0, 5}, {}},
    };
    for (auto &r : rows) {
        setreg(r.region);
        Scoord = r.sistema;
        Medgrau = r.unidade;
        vetores[0][0] = 1;
        vetores[1][0] = 2;
        vetores[2][0] = 3;
        numpt = 1;
        wintest::MessageBoxLog log;
        INT_PTR res = run("entreg", DlgProcCoord, [&](Dialog &d) {
            for (int id : r.clicks) {
                d.click(id);
                EXPECT_TRUE(d.checked(id)) << r.name;
            }
            d.click(r.fim);
        });
        EXPECT_EQ(res, r.result) << r.name;
        EXPECT_EQ(Scoord, r.novoSistema) << r.name;
        EXPECT_EQ(Medgrau, r.novaUnidade) << r.name;
        EXPECT_EQ(limites(), r.expected) << r.name;
        EXPECT_EQ(log.texts(), r.messages) << r.name;
        for (auto &c : log.calls()) EXPECT_EQ(c.owner, dialogo) << r.name;
        EXPECT_EQ(vetores[0][0], 1) << r.name << ": vectors are never converted";
        EXPECT_EQ(vetores[1][0], 2) << r.name;
        EXPECT_EQ(vetores[2][0], 3) << r.name;
    }
}

}  // namespace
