// The calculator worked as a person works it: presses and releases on the keys of the real
// window at two sizes, a paint after each release, the display box read from the recorded text.
#include "apoio/teste.h"
#include "calc/calculadora.h"

#include <algorithm>
#include <tuple>
#include <string.h>

namespace {

// Everything the keypad and the evaluation may change, to show that something changed nothing.
auto estado() {
    return std::make_tuple(std::string(temps3), std::string(equacao), numr, resultadoesc, resultadovet[0], resultadovet[1], resultadovet[2],
                           vets, oper, result, pto, resultadoveto, resultadoesca, resultadoescalar, resultadovetor, controlvetr, controlvet,
                           controlesc, contr, contre);
}

class Calculadora : public apoio::JanelaPrincipal, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        JanelaPrincipal::SetUp();
        wintest::SetClientSize(hjan, GetParam(), GetParam() * 3 / 4);
        apoio::guarda(CARTESIANO, GRAUS, {{1, 0, 0}, {0, 1, 0}});
        abre();
    }
    void abre() { comando(IDM_CALC), wintest::Pump(); }
    int px(double v) const { return int(v * GetParam() / 1024.0); }
    void mouse(UINT m, int x, int y) { SendMessageA(hjan, m, m == WM_LBUTTONDOWN, MAKELPARAM(x, y)); }
    // Presses and releases on each key (for "" only repaints); after each, the last text the paint drew in the display box.
    std::vector<std::string> teclas(const std::vector<std::string> &ks, std::vector<std::string> out = {}) {
        for (auto &k : ks) {
            const apoio::Tecla t = apoio::tecla(k);
            if (k.empty())
                InvalidateRect(hjan, nullptr, TRUE);
            else
                for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP}) mouse(m, px((t.e + t.d) / 2.0), px((t.t + t.b) / 2.0));
            out.push_back("<no paint>");
            for (auto &c : pinta())
                if (c.op == wintest::GdiCall::TextOut && c.x == px(140) && c.y == px(130)) out.back() = c.text;
        }
        return out;
    }
    std::string tecle(const std::string &k) { return teclas({k})[0]; }
};

INSTANTIATE_TEST_SUITE_P(Tamanhos, Calculadora, ::testing::Values(1024, 512));

TEST_P(Calculadora, EquationsShowEachOperandAndTheResultAndNeverChangeTheVectors) {
    const std::string E = "Erro de divisão por zero!", X = " 1.00a_x +  0.00a_y +  0.00a_z", Y = " 0.00a_x +  1.00a_y +  0.00a_z",
                      Z = " 0.00a_x +  0.00a_y +  1.00a_z", XY = " 1.00a_x +  1.00a_y +  0.00a_z", Y2 = " 0.00a_x +  2.00a_y +  0.00a_z";
    const std::vector<std::vector<std::string>> casos[] = {
        // keys, then the display after each
        {{"8", "/", "0", "=", "4", "="}, {"8.000000", "8.000000", "0.000000", E, "4.000000", "2.000000"}},
        {{"2", "+", "3", "=", "4", "+", "1", "="},
         {"2.000000", "2.000000", "3.000000", "5.000000", "4.000000", "4.000000", "1.000000", "6.000000"}},
        {{"1", "2", ",", "5", ",", "5", "+", ",", "2", "="},
         {"1.000000", "12.000000", "12.000000", "12.500000", "12.500000", "12.550000", "12.550000", "12.550000", "0.200000", "12.750000"}},
        {{"V1", "5"}, {Y, "15.000000"}},
        {{"9", "-", "4", "=", "x", "3", "="}, {"9.000000", "9.000000", "4.000000", "5.000000", "5.000000", "3.000000", "15.000000"}},
        {{"9", "-", "4", "=", "+", "3", "="}, {"9.000000", "9.000000", "4.000000", "5.000000", "5.000000", "3.000000", "8.000000"}},
        {{"2", "+", "-", "3", "="}, {"2.000000", "2.000000", "2.000000", "3.000000", "-1.000000"}},  // the last operator holds
        {{"V0", "-", "V1", "="}, {X, X, Y, " 1.00a_x-1.00a_y +  0.00a_z"}},
        {{"V0", ".", "V1", "=", "C", "V0", ".", "V0", "="}, {X, X, Y, "0.000000", "", X, X, X, "1.000000"}},
        {{"2", "x", "V1", "=", "C", "3", "+", "V1", "="}, {"2.000000", "2.000000", Y, Y2, "", "3.000000", "3.000000", Y, "6.000000"}},
        {{"V0", "X", "V1", "=", "x", "2", "="}, {X, X, Y, Z, Z, "2.000000", " 0.00a_x +  0.00a_y +  2.00a_z"}},
        {{"V0", "+", "V1", "=", "+", "V1", "="}, {X, X, Y, XY, XY, Y, " 1.00a_x +  2.00a_y +  0.00a_z"}},
        {{"V0", "/", "0", "=", "4", "="}, {X, X, "0.000000", E, "4.000000", " 0.25a_x +  0.00a_y +  0.00a_z"}},
        {{"V0", ".", "5", "="}, {X, X, "5.000000", "1.000000"}},
        // The result of "=" is the number a vector is then multiplied by, not the last one typed.
        {{"2", "+", "3", "=", "x", "V1", "="},
         {"2.000000", "2.000000", "3.000000", "5.000000", "5.000000", Y, " 0.00a_x +  5.00a_y +  0.00a_z"}},
    };
    for (auto &c : casos) {
        tecle("C"), abre();  // the command keeps a number typed before it
        EXPECT_EQ(teclas(c[0]), c[1]) << ::testing::PrintToString(c[0]);
        EXPECT_TRUE(vetores[0][0] == 1 && vetores[1][1] == 1 && !vetores[0][1] && !vetores[1][0] && !vetores[2][1]);
    }
}

TEST_P(Calculadora, KeysOfVectorsNotStoredDoNothingAndTheClearKeyResets) {
    apoio::guarda(CARTESIANO, GRAUS, {{1, 0, 0}, {0, 1, 0}, {0, 0, 7}});
    const auto antes = (tecle("V2"), estado());
    EXPECT_EQ((tecle("V5"), estado()), antes);  // a key crossed out does nothing
    EXPECT_EQ(teclas({"+", "V1", "=", "2", "x", "C"}).back(), "");
    EXPECT_TRUE(oper == OPER_NENHUMA && !resultadoesc && !resultadovet[0] && !resultadovet[1] && !resultadovet[2] && !temps3[0]);
    EXPECT_EQ(teclas({"4", "+", "1", "="}).back(), "5.000000");
}

// The mark a press draws is in the stored scene; here, that it is drawn at once, and that only a
// release strictly inside a key acts.
TEST_P(Calculadora, APressMarksTheKeyAtOnceAndOnlyReleasesStrictlyInsideAKeyAct) {
    const auto antes = estado();
    {
        wintest::GdiRecorder rec;
        mouse(WM_LBUTTONDOWN, px(370), px(382));  // on "="
        EXPECT_EQ(apoio::conta(rec.calls(), wintest::GdiCall::LineTo), 2);
    }
    EXPECT_EQ((mouse(WM_LBUTTONUP, px(500), px(600)), estado()), antes);
    // Key "5" is 185..205 x 390..412: at half size its sides fall between pixels, top and bottom on them.
    const int l = 185 * GetParam() / 1024, r = (205 * GetParam() + 1023) / 1024, h = px(390), f = px(412), x = px(195), y = px(401);
    const int casos[][3] = {{x, y, 1}, {l, y, 0},     {l + 1, y, 1}, {r, y, 0},    {r - 1, y, 1},
                            {x, h, 0}, {x, h + 1, 1}, {x, f, 0},     {x, f - 1, 1}};
    for (auto &c : casos) {
        tecle("C"), abre();
        mouse(WM_LBUTTONUP, c[0], c[1]);
        EXPECT_EQ(numr, c[2] ? 5.0f : 0.0f) << c[0] << "," << c[1];
    }
}

TEST_P(Calculadora, ReleasesInAnotherModeWaitForTheCalculator) {
    teclas({"2", "+", "3", "="});
    comando(IDM_DESENHARREG);
    EXPECT_TRUE(num == MODO_REGIAO && resultadoesc == 5 && !strcmp(equacao, "5.000000"));  // the state survives
    EXPECT_EQ(teclas({"+", "4", "="}), std::vector<std::string>(3, "<no paint>"));
    EXPECT_TRUE(numr == 4 && result == 1 && resultadoesc == 5);  // the keys act, the evaluation waits
    num = MODO_CALCULADORA;
    EXPECT_EQ(teclas({"", ""}), std::vector<std::string>(2, "9.000000"));  // evaluated once, at the first paint
}

TEST_P(Calculadora, TypedTextAndResultsStayWithinTheirBuffers) {
    numpt = 15;
    const auto uns = teclas(std::vector<std::string>(40, "1"));  // the 29th digit counts, later ones not
    EXPECT_TRUE(std::string(temps3) == std::string(sizeof temps3 - 1, '1') && uns[27] != uns[28] && uns[39] == uns[28]);
    EXPECT_TRUE(tecle(",") == uns[28] && pto == 1);
    tecle("C"), abre();
    teclas(std::vector<std::string>(40, "V11")), tecle("7");
    EXPECT_EQ(strlen(temps3), sizeof temps3 - 2);      // an index is typed whole or not at all, then nothing more
    EXPECT_EQ(teclas({"+", "7"}).back(), "7.000000");  // until an operator key
    teclas(std::vector<std::string>(29, "9")), tecle("x"), teclas(std::vector<std::string>(29, "9"));
    EXPECT_EQ(teclas({"=", "x", "2", "="}), (std::vector<std::string>{"inf", "inf", "2.000000", "inf"}));
}

}  // namespace
