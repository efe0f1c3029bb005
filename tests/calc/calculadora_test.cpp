// The vector calculator worked as a person works it: presses and releases on the keys of a real
// main window, a paint after each release, the display box read from the recorded text.
#include <gtest/gtest.h>

#include "calc/calculadora.h"
#include "resource.h"
#include "state/estado.h"
#include "state/vetorial.h"
#include "testing/wintest.h"
#include "window/janela.h"

#include <math.h>
#include <random>
#include <string.h>
#include <string>
#include <vector>

namespace {

using wintest::GdiCall;

// A key of the keypad on the 1024 x 768 reference canvas.
struct Tecla {
    int esq, topo, dir, base;
};

// Keys by their label: "0".."9", "V0".."V14", the operators ",+-X./x=" and "C" for clear.
Tecla tecla(const std::string &nome) {
    if (nome.size() > 1 && nome[0] == 'V') {
        int j = std::stoi(nome.substr(1)), col = j / 5, lin = j % 5;
        return {185 + 50 * col, 163 + 35 * lin, 230 + 50 * col, 190 + 35 * lin};
    }
    if (nome.size() == 1 && nome[0] >= '0' && nome[0] <= '9') {
        int d = nome[0] - '0', lin = d / 5, col = d % 5;
        return {185 + 30 * col, 355 + 35 * lin, 205 + 30 * col, 377 + 35 * lin};
    }
    const std::string operadores = ",+-X./x=C";
    size_t k = operadores.find(nome);
    EXPECT_NE(k, std::string::npos) << nome;
    return {355, 160 + 30 * int(k), 385, 185 + 30 * int(k)};
}

const char *const TODAS[] = {"0",  "1",  "2",  "3",  "4",   "5",   "6",   "7",   "8",   "9",   "V0",
                             "V1", "V2", "V3", "V4", "V5",  "V6",  "V7",  "V8",  "V9",  "V10", "V11",
                             "V12", "V13", "V14", ",", "+", "-", "X", ".", "/", "x", "=", "C"};

const char *const ERRO = "Erro de divisão por zero!";

// Everything the keypad and the evaluation may change, to show that something changed nothing.
struct Estado {
    std::string temps3, equacao;
    float numr, resultadoesc, resultadovet[3];
    int vets, oper, result, pto, flags[9];
    bool operator==(const Estado &o) const {
        return temps3 == o.temps3 && equacao == o.equacao && numr == o.numr && resultadoesc == o.resultadoesc &&
               memcmp(resultadovet, o.resultadovet, sizeof resultadovet) == 0 && vets == o.vets &&
               oper == o.oper && result == o.result && pto == o.pto && memcmp(flags, o.flags, sizeof flags) == 0;
    }
};

Estado estado() {
    Estado e{temps3, equacao, numr, resultadoesc, {resultadovet[0], resultadovet[1], resultadovet[2]},
             vets, oper, result, pto,
             {resultadoveto, resultadoesca, resultadoescalar, resultadovetor, controlvetr, controlvet, controlesc,
              contr, contre}};
    return e;
}

class Calculadora : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        reiniciaestado();
        static ATOM atom = registraclasse(wintest::Instance());
        ASSERT_NE(atom, 0);
        hjan = criajanela(wintest::Instance(), SW_SHOWNORMAL);
        ASSERT_NE(hjan, nullptr);
        wintest::FireTimer(hjan, ID_ABERTURA);
        wintest::Pump();
        wintest::SetClientSize(hjan, GetParam(), GetParam() * 3 / 4);
        wintest::Pump();
        ASSERT_EQ(maxX, GetParam());
        escala = GetParam() / 1024.0;
        // V(0) = (1, 0, 0), V(1) = (0, 1, 0).
        numpt = 2;
        vetores[0][0] = 1;
        vetores[1][1] = 1;
        abre();
    }
    void TearDown() override {
        if (IsWindow(hjan)) DestroyWindow(hjan);
        wintest::Pump();
        wintest::TakeQuit();
        reiniciaestado();
    }
    void abre() {
        wintest::ChooseMenuItem(hjan, IDM_CALC);
        wintest::Pump();
    }
    // The command keeps a number typed before it, so a fresh equation also needs the clear key.
    void novaequacao() {
        tecle("C");
        abre();
    }
    // The middle of a key in client pixels.
    int cx(const Tecla &t) const { return int((t.esq + t.dir) / 2.0 * escala); }
    int cy(const Tecla &t) const { return int((t.topo + t.base) / 2.0 * escala); }
    void pressiona(int x, int y) { SendMessageA(hjan, WM_LBUTTONDOWN, 1, MAKELPARAM(x, y)); }
    void solta(int x, int y) { SendMessageA(hjan, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    // Press and release on a key, then the paint; returns the text of the display box, or
    // "<no paint>" when nothing was painted there.
    std::string tecle(const std::string &nome) {
        Tecla t = tecla(nome);
        pressiona(cx(t), cy(t));
        solta(cx(t), cy(t));
        return pinta();
    }
    std::string pinta() {
        wintest::GdiRecorder rec;
        wintest::Pump();
        return visor(rec.calls());
    }
    std::string visor(const std::vector<GdiCall> &calls) const {
        std::string texto = "<no paint>";
        for (auto &c : calls)
            if (c.op == GdiCall::TextOut && c.x == int(140 * escala) && c.y == int(130 * escala)) texto = c.text;
        return texto;
    }
    std::vector<std::string> sequencia(const std::vector<std::string> &teclas) {
        std::vector<std::string> out;
        for (auto &k : teclas) out.push_back(tecle(k));
        return out;
    }
    HWND hjan = nullptr;
    double escala = 1;
};

INSTANTIATE_TEST_SUITE_P(Tamanhos, Calculadora, ::testing::Values(1024, 512),
                         [](const auto &info) { return std::to_string(info.param) + "px"; });

struct Linha {
    const char *nome;
    std::vector<std::string> teclas;
    std::vector<std::string> visores;  // the display after each release and its paint
};

TEST_P(Calculadora, NumberEquationsShowEachOperandAndTheResult) {
    const Linha linhas[] = {
        {"2 + 3 =", {"2", "+", "3", "="}, {"2.000000", "2.000000", "3.000000", "5.000000"}},
        {"the error keeps the dividend", {"8", "/", "0", "=", "4", "="},
         {"8.000000", "8.000000", "0.000000", ERRO, "4.000000", "2.000000"}},
        {"a result stays the first operand", {"2", "+", "3", "=", "4", "+", "1", "="},
         {"2.000000", "2.000000", "3.000000", "5.000000", "4.000000", "4.000000", "1.000000", "6.000000"}},
        {"one point per number", {"1", ",", "5", ",", "5"},
         {"1.000000", "1.000000", "1.500000", "1.500000", "1.550000"}},
        {"the point returns after an operator", {"1", ",", "5", "+", ",", "2", "="},
         {"1.000000", "1.000000", "1.500000", "1.500000", "1.500000", "0.200000", "1.700000"}},
        {"digits join", {"1", "2"}, {"1.000000", "12.000000"}},
        {"a digit continues the index of a vector key", {"V1", "5"}, {" 0.00a_x +  1.00a_y +  0.00a_z", "15.000000"}},
        {"difference and product", {"9", "-", "4", "=", "x", "3", "="},
         {"9.000000", "9.000000", "4.000000", "5.000000", "5.000000", "3.000000", "15.000000"}},
        {"cross product after a number chooses nothing", {"4", "X", "2", "="},
         {"4.000000", "4.000000", "2.000000", "2.000000"}},
    };
    for (auto &l : linhas) {
        novaequacao();
        EXPECT_EQ(sequencia(l.teclas), l.visores) << l.nome;
    }
}

TEST_P(Calculadora, VectorEquationsUseTheStoredVectorsAndNeverChangeThem) {
    const std::string x1 = " 1.00a_x +  0.00a_y +  0.00a_z", y1 = " 0.00a_x +  1.00a_y +  0.00a_z";
    const Linha linhas[] = {
        {"sum", {"V0", "+", "V1", "="}, {x1, x1, y1, " 1.00a_x +  1.00a_y +  0.00a_z"}},
        {"a negative component joins without a plus", {"V0", "-", "V1", "="},
         {x1, x1, y1, " 1.00a_x-1.00a_y +  0.00a_z"}},
        {"perpendicular dot product", {"V0", ".", "V1", "="}, {x1, x1, y1, "0.000000"}},
        {"dot product with itself", {"V0", ".", "V0", "="}, {x1, x1, x1, "1.000000"}},
        {"number times vector", {"2", "x", "V1", "="}, {"2.000000", "2.000000", y1, " 0.00a_x +  2.00a_y +  0.00a_z"}},
        {"cross product, then the result times a number", {"V0", "X", "V1", "=", "x", "2", "="},
         {x1, x1, y1, " 0.00a_x +  0.00a_y +  1.00a_z", " 0.00a_x +  0.00a_y +  1.00a_z", "2.000000",
          " 0.00a_x +  0.00a_y +  2.00a_z"}},
        {"a number operation takes the last number", {"3", "+", "V1", "="}, {"3.000000", "3.000000", y1, "6.000000"}},
        {"chaining adds to the first sum", {"V0", "+", "V1", "=", "+", "V1", "="},
         {x1, x1, y1, " 1.00a_x +  1.00a_y +  0.00a_z", " 1.00a_x +  1.00a_y +  0.00a_z", y1,
          " 1.00a_x +  2.00a_y +  0.00a_z"}},
        {"vector by zero is refused and can go on", {"V0", "/", "0", "=", "4", "="},
         {x1, x1, "0.000000", ERRO, "4.000000", " 0.25a_x +  0.00a_y +  0.00a_z"}},
        {"a vector operation takes the last vector", {"V0", ".", "5", "="}, {x1, x1, "5.000000", "1.000000"}},
    };
    for (auto &l : linhas) {
        novaequacao();
        EXPECT_EQ(sequencia(l.teclas), l.visores) << l.nome;
        const float guardados[3][2] = {{1, 0}, {0, 1}, {0, 0}};
        for (int k = 0; k < 3; ++k)
            for (int j = 0; j < 2; ++j) EXPECT_EQ(vetores[k][j], guardados[k][j]) << l.nome;
    }
}

TEST_P(Calculadora, VectorResultsUseTheSuffixesOfTheSystem) {
    Scoord = CILINDRICO;
    EXPECT_EQ(sequencia({"V0", "+", "V1", "="}).back(), " 1.00a_r +  1.00a_phi +  0.00a_z");
    abre();
    Scoord = ESFERICO;
    EXPECT_EQ(sequencia({"V0", "+", "V1", "="}).back(), " 1.00a_r +  1.00a_theta +  0.00a_phi");
}

TEST_P(Calculadora, KeysOfVectorsNotStoredAreCrossedOutAndDoNothing) {
    numpt = 3;
    vetores[2][2] = 7;
    wintest::GdiRecorder rec;
    InvalidateRect(hjan, nullptr, TRUE);
    wintest::Pump();
    auto calls = rec.calls();
    auto cruzada = [&](const Tecla &t) {
        for (size_t i = 0; i + 1 < calls.size(); ++i)
            if (calls[i].op == GdiCall::MoveTo && calls[i].x == int(t.esq * escala) &&
                calls[i].y == int(t.topo * escala) && calls[i + 1].op == GdiCall::LineTo &&
                calls[i + 1].x == int(t.dir * escala) && calls[i + 1].y == int(t.base * escala))
                return true;
        return false;
    };
    for (int j = 0; j < MAXVETORES; ++j)
        EXPECT_EQ(cruzada(tecla("V" + std::to_string(j))), j >= 3) << "V(" << j << ")";

    EXPECT_EQ(tecle("V2"), " 0.00a_x +  0.00a_y +  7.00a_z");
    Estado antes = estado();
    EXPECT_EQ(tecle("V5"), " 0.00a_x +  0.00a_y +  7.00a_z");
    EXPECT_TRUE(estado() == antes);
    EXPECT_EQ(vets, 2);
}

TEST_P(Calculadora, ClearResetsTheEquationAndEmptiesTheDisplay) {
    sequencia({"V0", "+", "V1", "=", "2", "x"});
    EXPECT_EQ(tecle("C"), "");
    EXPECT_EQ(oper, OPER_NENHUMA);
    EXPECT_EQ(resultadoesc, 0.0f);
    for (float c : resultadovet) EXPECT_EQ(c, 0.0f);
    EXPECT_EQ(temps3[0], '\0');
    // A new equation starts from nothing.
    EXPECT_EQ(sequencia({"4", "+", "1", "="}).back(), "5.000000");
}

TEST_P(Calculadora, APressMarksTheKeyAtOnceAndTheRepaintRemovesIt) {
    const Tecla t = tecla("=");
    wintest::GdiRecorder rec;
    pressiona(cx(t), cy(t));
    auto calls = rec.calls();
    ASSERT_EQ(calls.size(), 4u) << "two diagonals, with the DC's own pen";
    const int e = int(t.esq * escala), tp = int(t.topo * escala), d = int(t.dir * escala), b = int(t.base * escala);
    EXPECT_EQ(calls[0].op, GdiCall::MoveTo);
    EXPECT_EQ(std::make_pair(calls[0].x, calls[0].y), std::make_pair(e, tp));
    EXPECT_EQ(std::make_pair(calls[1].x, calls[1].y), std::make_pair(d, b));
    EXPECT_EQ(std::make_pair(calls[2].x, calls[2].y), std::make_pair(e, b));
    EXPECT_EQ(std::make_pair(calls[3].x, calls[3].y), std::make_pair(d, tp));

    // A point on the first diagonal, left of the label.
    auto escuro = [&] {
        int px = int((t.esq + 6) * escala), py = int((t.topo + 6 * 25 / 30.0) * escala), n = 0;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) n += wintest::ClientPixel(hjan, px + dx, py + dy) != RGB(255, 255, 255);
        return n > 0;
    };
    EXPECT_TRUE(escuro());

    // Released elsewhere: no state changes, and the paint wipes the mark.
    Estado antes = estado();
    solta(int(500 * escala), int(600 * escala));
    EXPECT_TRUE(estado() == antes);
    wintest::Pump();
    EXPECT_FALSE(escuro());
    EXPECT_TRUE(estado() == antes);
}

TEST_P(Calculadora, PressesMarkOnlyKeysThatRespond) {
    struct Caso {
        const char *nome;
        std::vector<std::string> antes;
        std::string tecla;
        bool marca;
    } casos[] = {
        {"digit", {}, "7", true},
        {"stored vector", {}, "V1", true},
        {"vector not stored", {}, "V2", false},
        {"decimal point", {}, ",", true},
        {"decimal point already typed", {"1", ","}, ",", false},
        {"clear", {}, "C", true},
    };
    for (auto &c : casos) {
        novaequacao();
        sequencia(c.antes);
        Tecla t = tecla(c.tecla);
        wintest::GdiRecorder rec;
        pressiona(cx(t), cy(t));
        EXPECT_EQ(rec.of(GdiCall::LineTo).size(), c.marca ? 2u : 0u) << c.nome;
        solta(0, 0);
        wintest::Pump();
    }
}

TEST_P(Calculadora, KeyEdgesAreOutsideTheKey) {
    // Key "5": 185..205 x 390..412 on the reference canvas; at half size the left and right
    // edges fall between pixels (92.5, 102.5) and the top and bottom on them (195, 206).
    const Tecla t = tecla("5");
    const int meiox = cx(t), meioy = cy(t);
    const int esq = int(floor(t.esq * escala)), dir = int(ceil(t.dir * escala));
    const int topo = int(t.topo * escala), base = int(t.base * escala);
    struct Caso {
        const char *nome;
        int x, y;
        bool dentro;
    } casos[] = {
        {"middle", meiox, meioy, true},
        {"left edge", esq, meioy, false},
        {"right of the left edge", esq + 1, meioy, true},
        {"right edge", dir, meioy, false},
        {"left of the right edge", dir - 1, meioy, true},
        {"top edge", meiox, topo, false},
        {"below the top edge", meiox, topo + 1, true},
        {"bottom edge", meiox, base, false},
        {"above the bottom edge", meiox, base - 1, true},
    };
    for (auto &c : casos) {
        novaequacao();
        solta(c.x, c.y);
        wintest::Pump();
        EXPECT_EQ(numr, c.dentro ? 5.0f : 0.0f) << c.nome;
    }
}

TEST_P(Calculadora, ReleasesInAnotherModeWaitForTheCalculator) {
    sequencia({"2", "+", "3", "="});
    wintest::ChooseMenuItem(hjan, IDM_DESENHARREG);
    wintest::Pump();
    ASSERT_EQ(num, MODO_REGIAO);
    // The state survives leaving the mode.
    EXPECT_EQ(resultadoesc, 5.0f);
    EXPECT_STREQ(equacao, "5.000000");

    // The keys still act, but nothing is evaluated outside the calculator.
    EXPECT_EQ(tecle("+"), "<no paint>");
    tecle("4");
    tecle("=");
    EXPECT_EQ(numr, 4.0f);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(resultadoesc, 5.0f);
    EXPECT_EQ(num, MODO_REGIAO);

    num = MODO_CALCULADORA;
    InvalidateRect(hjan, nullptr, TRUE);
    EXPECT_EQ(pinta(), "9.000000");
    EXPECT_EQ(result, 0);
    // Later paints show the same and change nothing.
    Estado depois = estado();
    InvalidateRect(hjan, nullptr, TRUE);
    EXPECT_EQ(pinta(), "9.000000");
    EXPECT_TRUE(estado() == depois);
}

TEST_P(Calculadora, ALongNumberKeepsWhatFitsUntilTheNextOperator) {
    numpt = 15;
    std::vector<std::string> visores;
    for (int i = 0; i < 40; ++i) visores.push_back(tecle("1"));
    EXPECT_EQ(std::string(temps3), std::string(sizeof temps3 - 1, '1'));
    EXPECT_NE(visores[27], visores[28]) << "the 29th digit still counts";
    for (int i = 29; i < 40; ++i) EXPECT_EQ(visores[i], visores[28]) << "digit " << i + 1 << " is ignored";
    EXPECT_EQ(tecle(","), visores[28]);
    EXPECT_EQ(pto, 1) << "a point that does not fit is not typed";

    EXPECT_EQ(tecle("V12"), " 0.00a_x +  0.00a_y +  0.00a_z") << "the vector key still acts";
    EXPECT_EQ(vets, 12);
    EXPECT_EQ(strlen(temps3), sizeof temps3 - 1);

    // Full of vector indices, then a digit.
    novaequacao();
    for (int i = 0; i < 40; ++i) tecle("V11");
    EXPECT_EQ(strlen(temps3), sizeof temps3 - 2) << "an index is typed whole or not at all";
    const std::string cheio = temps3;
    EXPECT_EQ(tecle("7"), " 0.00a_x +  0.00a_y +  0.00a_z") << "nothing more is typed once a piece did not fit";
    EXPECT_EQ(temps3, cheio);

    // The operator key starts the next number.
    tecle("+");
    EXPECT_EQ(tecle("7"), "7.000000");
}

TEST_P(Calculadora, ResultsBeyondTheFloatRangeShowAsInfinity) {
    // The largest number the keypad can type, squared and squared again.
    std::vector<std::string> grande(29, "9");
    sequencia(grande);
    tecle("x");
    sequencia(grande);
    EXPECT_EQ(tecle("="), "inf");
    tecle("x");
    tecle("2");
    EXPECT_EQ(tecle("="), "inf");

    abre();
    vetores[0][0] = 3e38f;
    EXPECT_EQ(sequencia({"V0", "+", "V0", "="}).back(), "  infa_x +  0.00a_y +  0.00a_z");

    // A vector whose text is longer than the display line is cut, never overflowing it.
    abre();
    vetores[0][0] = vetores[1][0] = vetores[2][0] = -1e38f;
    std::string longo = sequencia({"V0", "+", "V0", "="}).back();
    EXPECT_EQ(longo.size(), sizeof equacao - 1);
    char inteiro[300];
    const float soma[3] = {-2e38f, -2e38f, -2e38f};
    textovetor(inteiro, sizeof inteiro, nullptr, soma, CARTESIANO);
    EXPECT_EQ(longo, std::string(inteiro).substr(0, sizeof equacao - 1));
    EXPECT_EQ(strlen(equacao), sizeof equacao - 1);
}

TEST_P(Calculadora, LongRandomSequenceStaysWithinItsBuffers) {
    std::mt19937 gerador(20240517);
    numpt = 15;
    const float valores[] = {0, 1, -2.5f, 3e38f, -3e38f, 1e-30f, 123456.75f};
    for (int j = 0; j < MAXVETORES; ++j)
        for (int k = 0; k < 3; ++k) vetores[k][j] = valores[(j + 2 * k) % std::size(valores)];
    float guardados[3][MAXVETORES];
    memcpy(guardados, vetores, sizeof vetores);

    for (int i = 0; i < 4000; ++i) {
        // Operators are rare, so the typed text often runs long before one ends it.
        const unsigned q = gerador() % 100;
        if (q < 55) {
            tecle(TODAS[q % 11 == 10 ? 25 : q % 10]);  // a digit or the point
        } else if (q < 85) {
            tecle(TODAS[10 + q % 15]);  // a vector key
        } else if (q < 93) {
            tecle(TODAS[26 + q % 8]);  // an operator key
        } else {
            // Anywhere in the window, on a key or not.
            int x = int(gerador() % GetParam()), y = int(gerador() % (GetParam() * 3 / 4));
            pressiona(x, y);
            solta(x, y);
            wintest::Pump();
        }
        if (i % 500 == 250) numpt = int(gerador() % 16);
        if (i % 700 == 350) abre();
        ASSERT_LT(strnlen(temps3, sizeof temps3), sizeof temps3) << i;
        ASSERT_LT(strnlen(equacao, sizeof equacao), sizeof equacao) << i;
        ASSERT_GE(vets, 0);
        ASSERT_LT(vets, MAXVETORES);
        ASSERT_TRUE(pto == 0 || pto == 1);
    }
    EXPECT_EQ(memcmp(guardados, vetores, sizeof vetores), 0);
}

}  // namespace
