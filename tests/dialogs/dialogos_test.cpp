// The entry dialogs driven as a person uses them, and the reading of a typed number.
#include <gtest/gtest.h>

#include "dialogs/campo.h"
#include "dialogs/dialogos.h"
#include "resource.h"
#include "state/estado.h"
#include "testing/wintest.h"

#include <float.h>
#include <math.h>
#include <string.h>

#include <tuple>

namespace {

using wintest::Dialog;
using Acao = std::function<void(Dialog &)>;
using V = std::vector<float>;
using Msgs = std::vector<std::string>;
const std::string PHI = "O valor de phi está errado e foi colocado nos limites!";
const std::string THETA = "O valor de theta está errado e foi colocado nos limites!";

TEST(TextoParaFloat, ReadsAsAtofButNeverAnInfinityOrNaN) {
    const std::string z(400, '0'), nove(400, '9');
    // clang-format off
    const struct { std::string t; float v; } rows[] = {
        {"42", 42}, {"+5", 5}, {".5", .5f}, {"5.", 5}, {"25E-2", .25f}, {" \t\n\v\f\r 12", 12}, {"12abc", 12},
        {"1,5", 1}, {"1e", 1}, {"2e+x", 2}, {"1.2.3", 1.2f}, {"0.1", .1f}, {"", 0}, {"abc", 0}, {"-", 0},
        {".", 0}, {"e5", 0}, {"--1", 0}, {"inf", 0}, {"-INFINITY", 0}, {"nan", 0}, {"nan(1)", 0},
        {"0x1p3", 0}, {"3.4028235e38", FLT_MAX}, {"3.5e38", FLT_MAX}, {"-1e39", -FLT_MAX}, {"1e400", FLT_MAX},
        {"-9e9999", -FLT_MAX}, {"1e999999999999", FLT_MAX}, {nove, FLT_MAX}, {nove + "e-800", 0},
        {"1e-400", 0}, {"5e-99999999", 0}, {"0." + z + "1", 0}, {"0." + z + "1e+800", FLT_MAX},
        {"0.00001e+5", 1}, {"1e-50", 0},
    };
    // clang-format on
    for (auto &r : rows) EXPECT_EQ(textoparafloat(r.t.c_str()), r.v) << '"' << r.t << '"';
    EXPECT_TRUE(signbit(textoparafloat("-0")) && signbit(textoparafloat("-1e-400"))) << "signs kept as atof";
}

class Dialogos : public ::testing::Test {
protected:
    void SetUp() override { reiniciaestado(); }
    // Runs one dialog driven by act; the messages shown must be msgs, each owned by the dialog.
    INT_PTR abre(const char *nome, DLGPROC proc, Acao act, const Msgs &msgs = {}, const char *name = "") {
        wintest::MessageBoxLog log;
        wintest::DialogDrivers drivers;
        HWND dlg = nullptr;
        drivers.then([&](Dialog &d) { dlg = d.hwnd(), act(d); });
        INT_PTR r = DialogBoxParamA(wintest::Instance(), nome, nullptr, proc, 0);
        EXPECT_EQ(drivers.used(), 1) << name;
        EXPECT_EQ(log.texts(), msgs) << name;
        for (auto &c : log.calls()) EXPECT_EQ(c.owner, dlg) << name;
        return r;
    }
    V limites() { return V(&reg[0][0], &reg[0][0] + 6); }
    void setreg(const V &l) { memcpy(reg, l.data(), sizeof reg); }
};

TEST_F(Dialogos, NumberOfVectors) {
    auto ok = [](const char *t) { return Acao([t](Dialog &d) { d.setFieldText(IDC_NPT, t), d.click(IDOK); }); };
    // clang-format off
    const struct { const char *name; Acao act; int numpt; INT_PTR res; Msgs msgs; } rows[] = {
        {"20", ok("20"), 15, 1, {"Número Máximo de Pontos é 15!"}}, {"15", ok("15"), 15, 1, {}},
        {"0", ok("0"), 0, 1, {}}, {"empty", ok(""), 0, 1, {}}, {"abc", ok("abc"), 0, 1, {}}, {"-3", ok("-3"), 0, 1, {}},
        {"beyond int", ok("4000000000"), 15, 1, {"Número Máximo de Pontos é 15!"}},
        {"Cancel", [](Dialog &d) {
             EXPECT_EQ(d.fieldText(IDC_NPT), "7") << "the count in force";
             d.type(IDC_NPT, "123");
             EXPECT_EQ(d.fieldText(IDC_NPT), "12") << "two digits";
             d.click(IDCANCEL);
         }, 0, 0, {}},
    };
    // clang-format on
    for (auto &r : rows) {
        numpt = 7;
        EXPECT_EQ(abre("entnpt", DlgProcEntNPt, r.act, r.msgs, r.name), r.res) << r.name;
        EXPECT_EQ(numpt, r.numpt) << r.name;
    }
}

// The buffer is shown whole, past the ten characters typing takes, and a paste is not held to
// them either: a field is read whole, however long.
TEST_F(Dialogos, VectorDialogShowsTheBufferWholeAndReadsAPasteWhole) {
    vet[0] = -1.5f, vet[1] = 1234567, vet[2] = -FLT_MAX, Scoord = CILINDRICO, Medgrau = RADIANOS;
    abre("entvt", DlgProcEntPt, [](Dialog &d) {
        EXPECT_EQ(d.fieldText(IDC_E1) + "|" + d.fieldText(IDC_E2), "-1.50|1234567.00");
        EXPECT_EQ(d.fieldText(IDC_E3).size(), 43u);
        EXPECT_EQ(d.textLimit(IDC_E3), 10);
        EXPECT_TRUE(d.checked(IDC_CIL) && d.checked(IDC_RAD) && !d.checked(IDC_CART) && !d.checked(IDC_GRAUS));
        d.setFieldText(IDC_E2, std::string(60, '0') + "123");
        d.click(IDOK);
    });
    EXPECT_EQ(V(vet, vet + 3), V({1.5f, 123, -FLT_MAX})) << "the third as shown, the second past its sixtieth character";
}

TEST_F(Dialogos, VectorAsTyped) {
    // clang-format off
    const struct { const char *name; int sis, clique; const char *t[3]; V v; } rows[] = {
        {"Cartesian keeps the sign", CARTESIANO, CARTESIANO, {"-3", "2", "1"}, {-3, 2, 1}},
        {"cylindrical radius", CILINDRICO, CILINDRICO, {"-3", "-45", "-2"}, {3, -45, -2}},
        {"spherical theta 500", ESFERICO, ESFERICO, {"2", "500", "-720"}, {2, 500, -720}},
        {"ten characters whole", CARTESIANO, CARTESIANO, {"9876543210", "-123456789", "0.12345678"},
         {9876543210.0f, -123456789.0f, 0.12345678f}},
        {"a radius beyond range", ESFERICO, ESFERICO, {"-1e39", "0x1p3", "12abc"}, {FLT_MAX, 0, 12}},
        {"the system clicked rules the radius", CARTESIANO, IDC_CIL, {"-8", "0", "0"}, {8, 0, 0}},
        {"back to Cartesian", ESFERICO, IDC_CART, {"-8", "0", "0"}, {-8, 0, 0}},
    };
    // clang-format on
    for (auto &r : rows) {
        Scoord = r.sis;
        auto act = [&](Dialog &d) {
            d.click(r.clique);
            for (int k = 0; k < 3; ++k) d.type(IDC_E1 + k, r.t[k]);
            d.pressEnter();
        };
        EXPECT_EQ(abre("entvt", DlgProcEntPt, act, {}, r.name), 1) << r.name;
        EXPECT_EQ(V(vet, vet + 3), r.v) << r.name;
    }
    // Cancel after Esféricas and Radianos: the choice stays, the buffer is untouched.
    auto act = [](Dialog &d) { d.type(IDC_E1, "-1"), d.click(IDC_ESF), d.click(IDC_RAD), d.click(IDCANCEL); };
    EXPECT_EQ(abre("entvt", DlgProcEntPt, act), 0);
    EXPECT_EQ(std::tuple(vet[0], vet[1], Scoord, Medgrau), std::tuple(-8.0f, 0.0f, 103, RADIANOS));
}

TEST_F(Dialogos, LimitsShownWholeThenReadInOrderAndChecked) {
    setreg({-1, 1, -2.5f, 2.5f, 12345678, -3e38f});
    abre("entlim", DlgProcEntLim, [](Dialog &d) {
        const char *t[] = {"-1.00", " 1.00", "-2.50", " 2.50", "12345678.00"};
        for (int n = 0; n < 5; ++n) EXPECT_EQ(d.fieldText(IDC_LIM1 + n), t[n]);
        EXPECT_EQ(d.fieldText(IDC_LIM6).size(), 43u);
        EXPECT_EQ(d.textLimit(IDC_LIM6), 10);
        d.click(IDOK);
    });
    EXPECT_EQ(limites(), V({-1, 1, -2.5f, 2.5f, 12345678, -3e38f}));
    // clang-format off
    const struct { const char *name; int sis, uni, fim; const char *t[6]; V lim; Msgs msgs; } rows[] = {
        {"Cartesian as typed", CARTESIANO, GRAUS, IDOK, {"-1", "1", "-2", "2", "0", "5"}, {-1, 1, -2, 2, 0, 5}, {}},
        {"cylindrical phi 0..400", CILINDRICO, GRAUS, IDOK, {"1", "2", "0", "400", "-3", "3"},
         {1, 2, 0, 360, -3, 3}, {PHI}},
        {"no infinity", CILINDRICO, GRAUS, IDOK, {"inf", "1e39", "0", "nan", "-1e39", "5"},
         {0, FLT_MAX, 0, 0, -FLT_MAX, 5}, {}},
        {"Cancel writes nothing", CILINDRICO, GRAUS, IDCANCEL, {"-7", "1", "0", "700", "0", "1"}, V(6, 9), {}},
    };
    // clang-format on
    for (auto &r : rows) {
        setreg(V(6, 9)), Scoord = r.sis, Medgrau = r.uni;
        auto act = [&](Dialog &d) {
            for (int n = 0; n < 6; ++n) d.type(IDC_LIM1 + n, r.t[n]);
            d.click(r.fim);
        };
        EXPECT_EQ(abre("entlim", DlgProcEntLim, act, r.msgs, r.name), r.fim == IDOK) << r.name;
        EXPECT_EQ(limites(), r.lim) << r.name;
    }
}

TEST_F(Dialogos, CoordinateSystemRereadsTheRegionWithoutConverting) {
    // clang-format off
    const struct { const char *name; int sis, uni; V antes; std::vector<int> cliques; int fim, sis2, uni2;
                   V lim; Msgs msgs; } rows[] = {
        {"to spherical radians: theta only", CARTESIANO, GRAUS, {-1, 1, -2, 2, 0, 5}, {IDC_ESF, IDC_RAD}, IDOK,
         ESFERICO, RADIANOS, {-1, 1, 0, 3.1415f, 0, 5}, {THETA}},
        {"OK unchanged still checks", CILINDRICO, GRAUS, {0, 1, -5, 5, 0, 1}, {}, IDOK, CILINDRICO, GRAUS,
         {0, 1, 0, 360, 0, 1}, {PHI}},
        {"Esféricas then Cancel", CARTESIANO, GRAUS, {-1, 1, -2, 2, 0, 5}, {IDC_ESF}, IDCANCEL, ESFERICO, GRAUS,
         {-1, 1, -2, 2, 0, 5}, {}},
    };
    // clang-format on
    for (auto &r : rows) {
        setreg(r.antes), Scoord = r.sis, Medgrau = r.uni;
        vetores[0][0] = 1, vetores[1][0] = 2, vetores[2][0] = 3, numpt = 1;
        auto act = [&](Dialog &d) {
            EXPECT_TRUE(d.checked(r.sis) && d.checked(r.uni)) << r.name;
            for (int id : r.cliques) d.click(id);
            d.click(r.fim);
        };
        EXPECT_EQ(abre("entreg", DlgProcCoord, act, r.msgs, r.name), r.fim == IDOK) << r.name;
        EXPECT_EQ(limites(), r.lim) << r.name;
        EXPECT_EQ(std::tuple(Scoord, Medgrau), std::tuple(r.sis2, r.uni2)) << r.name;
        EXPECT_EQ(V({vetores[0][0], vetores[1][0], vetores[2][0]}), V({1, 2, 3})) << r.name << ": never converted";
    }
}

}  // namespace
