// The number of vectors and the vector dialog, driven as a person uses them.
#include <gtest/gtest.h>

#include "dialogs/dialogos.h"
#include "resource.h"
#include "state/estado.h"
#include "testing/wintest.h"

#include <float.h>
#include <functional>
#include <math.h>
#include <string>
#include <vector>

namespace {

using wintest::Dialog;

class EntryDialogs : public ::testing::Test {
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
    INT_PTR numero(std::function<void(Dialog &)> driver) { return run("entnpt", DlgProcEntNPt, driver); }
    INT_PTR vetor(std::function<void(Dialog &)> driver) { return run("entvt", DlgProcEntPt, driver); }
    HWND dialogo = nullptr;
};

TEST_F(EntryDialogs, NumberOfVectors) {
    const std::string maximo = "Número Máximo de Pontos é 15!";
    struct Row {
        const char *name;
        std::function<void(Dialog &)> act;
        int numpt;
        INT_PTR result;
        bool message;
    } rows[] = {
        {"20 is brought to 15 with a message", [](Dialog &d) { d.type(IDC_NPT, "20"); d.click(IDOK); }, 15, 1, true},
        {"15 is accepted", [](Dialog &d) { d.type(IDC_NPT, "15"); d.pressEnter(); }, 15, 1, false},
        {"3", [](Dialog &d) { d.type(IDC_NPT, "3"); d.click(IDOK); }, 3, 1, false},
        {"0 confirms no vectors", [](Dialog &d) { d.type(IDC_NPT, "0"); d.click(IDOK); }, 0, 1, false},
        {"empty", [](Dialog &d) { d.setText(IDC_NPT, ""); d.click(IDOK); }, 0, 1, false},
        {"not a number", [](Dialog &d) { d.setText(IDC_NPT, "abc"); d.click(IDOK); }, 0, 1, false},
        {"negative is not an unsigned number", [](Dialog &d) { d.setText(IDC_NPT, "-3"); d.click(IDOK); }, 0, 1, false},
        {"a pasted number beyond int", [](Dialog &d) { d.setText(IDC_NPT, "4000000000"); d.click(IDOK); }, 15, 1, true},
        {"Cancel", [](Dialog &d) { d.type(IDC_NPT, "5"); d.click(IDCANCEL); }, 0, 0, false},
        {"Esc", [](Dialog &d) { d.pressEscape(); }, 0, 0, false},
        {"close box", [](Dialog &d) { d.closeBox(); }, 0, 0, false},
    };
    for (auto &r : rows) {
        numpt = 7;
        wintest::MessageBoxLog log;
        EXPECT_EQ(numero(r.act), r.result) << r.name;
        EXPECT_EQ(numpt, r.numpt) << r.name;
        ASSERT_EQ(log.calls().size(), r.message ? 1u : 0u) << r.name;
        if (r.message) {
            EXPECT_EQ(log.calls()[0].text, maximo);
            EXPECT_EQ(log.calls()[0].caption, "Orbix");
            EXPECT_EQ(log.calls()[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));
            EXPECT_EQ(log.calls()[0].owner, dialogo) << "the dialog owns its message";
        }
    }
}

TEST_F(EntryDialogs, NumberFieldShowsTheCountInForceAndTakesTwoDigits) {
    numpt = 4;
    numero([](Dialog &d) {
        EXPECT_EQ(d.caption(), "Álgebra Vetorial - Entrada do Número de Pontos");
        EXPECT_EQ(d.text(IDC_NPT), "4");
        d.type(IDC_NPT, "123");
        EXPECT_EQ(d.text(IDC_NPT), "12");
        d.click(IDCANCEL);
    });
}

TEST_F(EntryDialogs, VectorDialogOpensWithTheBufferSystemAndUnit) {
    const float v[3] = {0.0f, -1.5f, 1234567.0f};
    for (int k = 0; k < 3; ++k) vet[k] = v[k];
    Scoord = CILINDRICO;
    Medgrau = RADIANOS;
    vetor([](Dialog &d) {
        EXPECT_EQ(d.text(IDC_E1), " 0.00");
        EXPECT_EQ(d.text(IDC_E2), "-1.50");
        EXPECT_EQ(d.text(IDC_E3), "1234567.00") << "a value of a million or more is shown whole";
        for (int id : {IDC_E1, IDC_E2, IDC_E3}) EXPECT_EQ(d.textLimit(id), 10);
        EXPECT_TRUE(d.checked(IDC_CIL));
        EXPECT_FALSE(d.checked(IDC_CART));
        EXPECT_TRUE(d.checked(IDC_RAD));
        EXPECT_FALSE(d.checked(IDC_GRAUS));
        d.click(IDCANCEL);
    });
}

TEST_F(EntryDialogs, AnyStoredValueRoundTripsThroughTheFieldUnchanged) {
    // OK without touching the fields gives back what was shown: nothing is cut on either way.
    const float trios[][3] = {{FLT_MAX, -FLT_MAX, 0}, {123456792.0f, -16777216.0f, 1e30f}, {-0.5f, 2.25f, 99.75f}};
    for (auto &t : trios) {
        for (int k = 0; k < 3; ++k) vet[k] = t[k];
        float antes[3] = {vet[0], vet[1], vet[2]};
        EXPECT_EQ(vetor([](Dialog &d) { d.click(IDOK); }), 1);
        for (int k = 0; k < 3; ++k) EXPECT_EQ(vet[k], antes[k]) << t[k];
    }
}

TEST_F(EntryDialogs, VectorEntriesAsTyped) {
    struct Row {
        const char *name;
        int sistema;
        const char *texts[3];
        float expected[3];
    } rows[] = {
        {"Cartesian keeps a negative first entry", CARTESIANO, {"-3", "2", "1"}, {-3, 2, 1}},
        {"cylindrical radius -3 is stored as 3", CILINDRICO, {"-3", "-45", "-2"}, {3, -45, -2}},
        {"spherical theta 500 is stored as typed", ESFERICO, {"2", "500", "-720"}, {2, 500, -720}},
        {"a full ten-character entry is read whole", CARTESIANO, {"9876543210", "-123456789", "0.12345678"},
         {9876543210.0f, -123456789.0f, 0.12345678f}},
        {"leading number of a text", CARTESIANO, {"12abc", " 7", "1e3"}, {12, 7, 1000}},
        {"texts without a number read 0", CARTESIANO, {"abc", "", "-"}, {0, 0, 0}},
        {"no infinity or NaN gets in", CARTESIANO, {"inf", "nan", "-infinity"}, {0, 0, 0}},
        {"hexadecimal reads 0", CARTESIANO, {"0x1p3", "0x10", "x1"}, {0, 0, 0}},
        {"beyond float range", CARTESIANO, {"1e39", "-1e39", "9e999"}, {FLT_MAX, -FLT_MAX, FLT_MAX}},
        {"a radius beyond range is the largest float", ESFERICO, {"-1e39", "1e-99", "-1e-99"}, {FLT_MAX, 0, -0.0f}},
    };
    for (auto &r : rows) {
        Scoord = r.sistema;
        vet[0] = vet[1] = vet[2] = 99;
        INT_PTR res = vetor([&](Dialog &d) {
            for (int k = 0; k < 3; ++k) d.type(IDC_E1 + k, r.texts[k]);
            d.pressEnter();
        });
        EXPECT_EQ(res, 1) << r.name;
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(vet[k], r.expected[k]) << r.name << " entry " << k + 1;
            EXPECT_TRUE(isfinite(vet[k])) << r.name;
        }
        EXPECT_EQ(Scoord, r.sistema) << r.name;
    }
}

TEST_F(EntryDialogs, RadioButtonsChangeSystemAndUnitAtOnceAndCancelKeepsThem) {
    vet[0] = 1;
    vet[1] = 2;
    vet[2] = 3;
    INT_PTR r = vetor([](Dialog &d) {
        d.type(IDC_E1, "-8");
        d.click(IDC_ESF);
        EXPECT_EQ(Scoord, ESFERICO) << "before the dialog ends";
        d.click(IDC_RAD);
        EXPECT_EQ(Medgrau, RADIANOS);
        EXPECT_TRUE(d.checked(IDC_ESF));
        EXPECT_TRUE(d.checked(IDC_RAD));
        d.click(IDCANCEL);
    });
    EXPECT_EQ(r, 0);
    EXPECT_EQ(Scoord, ESFERICO);
    EXPECT_EQ(Medgrau, RADIANOS);
    EXPECT_EQ(vet[0], 1);
    EXPECT_EQ(vet[1], 2);
    EXPECT_EQ(vet[2], 3);

    // Back to Cartesian and degrees; the radius rule follows the system chosen in the dialog.
    r = vetor([](Dialog &d) {
        d.click(IDC_CART);
        d.click(IDC_GRAUS);
        d.type(IDC_E1, "-8");
        d.click(IDOK);
    });
    EXPECT_EQ(r, 1);
    EXPECT_EQ(Scoord, CARTESIANO);
    EXPECT_EQ(Medgrau, GRAUS);
    EXPECT_EQ(vet[0], -8);
    r = vetor([](Dialog &d) {
        d.click(IDC_CIL);
        d.click(IDOK);
    });
    EXPECT_EQ(vet[0], 8) << "the shown -8.00 becomes a radius";
}

}  // namespace
