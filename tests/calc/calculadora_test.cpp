// The calculator worked as a person works it: presses and releases on the keys of the real
// window at two sizes, a paint after each release, the display box read from the recorded text.
#include "apoio/teste.h"
#include "calc/calculadora.h"
#include "testing/stored.h"

#include <algorithm>
#include <tuple>
#include <string.h>

namespace {

using apoio::Chamadas;

// How a key is typed, by its name in the rows ("KP" for the keypad's, V or v and the index for a
// vector key), and the key it is clicked as.
struct Digitada {
    std::string clique;
    std::vector<std::pair<int, unsigned>> teclas;
};
Digitada digitada(const std::string &k) {
    using wintest::Shift;
    // clang-format off
    static const struct { const char *nome, *clique; int vk; unsigned mods; } outras[] = {
        {",", ",", VK_OEM_COMMA, 0}, {"KP.", ",", VK_DECIMAL, 0},   {"+", "+", VK_OEM_PLUS, Shift},  {"KP+", "+", VK_ADD, 0},
        {"-", "-", VK_OEM_MINUS, 0}, {"KP-", "-", VK_SUBTRACT, 0},  {"X", "X", 'X', Shift},          {".", ".", VK_OEM_PERIOD, 0},
        {"/", "/", VK_OEM_2, 0},     {"KP/", "/", VK_DIVIDE, 0},    {"x", "x", 'X', 0},              {"*", "x", '8', Shift},
        {"KP*", "x", VK_MULTIPLY, 0}, {"=", "=", VK_OEM_PLUS, 0},   {"Enter", "=", VK_RETURN, 0},   {"Esc", "C", VK_ESCAPE, 0},
        {"Del", "C", VK_DELETE, 0},
    };
    // clang-format on
    for (auto &o : outras)
        if (k == o.nome) return {o.clique, {{o.vk, o.mods}}};
    if (k.size() == 1) return {k, {{k[0], 0}}};
    if (k.rfind("KP", 0) == 0) return {k.substr(2), {{VK_NUMPAD0 + k[2] - '0', 0}}};
    Digitada d{"V" + k.substr(1), {{'V', k[0] == 'V' ? unsigned(Shift) : 0u}}};
    for (char c : k.substr(1)) d.teclas.push_back({c, 0});
    return d;
}

std::vector<std::string> unicos(std::vector<std::string> v) {
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

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
    POINT centro(const std::string &k) const {
        const apoio::Tecla t = apoio::tecla(k);
        return {px((t.e + t.d) / 2.0), px((t.t + t.b) / 2.0)};
    }
    void mouse(UINT m, POINT p) { SendMessageA(hjan, m, m == WM_LBUTTONDOWN, MAKELPARAM(p.x, p.y)); }
    void mouse(UINT m, int x, int y) { mouse(m, POINT{x, y}); }
    std::string mostrado(const Chamadas &cs, std::string texto) const {
        for (auto &c : cs)
            if (c.op == wintest::GdiCall::TextOut && c.x == px(140) && c.y == px(130)) texto = c.text;
        return texto;
    }
    // Presses and releases on each key (for "" only repaints); after each, the last text the paint
    // drew in the display box.
    std::vector<std::string> teclas(const std::vector<std::string> &ks, std::vector<std::string> out = {}) {
        for (auto &k : ks) {
            if (k.empty())
                InvalidateRect(hjan, nullptr, TRUE);
            else
                for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP}) mouse(m, centro(k));
            out.push_back(mostrado(pinta(), "<no paint>"));
        }
        return out;
    }
    // A key typed: what its presses draw while its last key is down, but for the paints before
    // (which end with the display); each text the paints drew in the display box joins out.
    Chamadas digite(const std::string &k, std::vector<std::string> &out) {
        Chamadas marca;
        for (auto [vk, mods] : digitada(k).teclas) {
            wintest::GdiRecorder rec;
            wintest::PressKey(hjan, vk, mods);
            wintest::Pump([&](MSG *m) {
                if (m->message == WM_KEYUP) marca = rec.calls();
                despachamensagem(hjan, m);
            });
            for (auto &c : rec.calls())
                if (c.op == wintest::GdiCall::TextOut && c.x == px(140) && c.y == px(130)) out.push_back(c.text);
        }
        for (size_t i = marca.size(); i-- > 0;)
            if (marca[i].op == wintest::GdiCall::TextOut) return Chamadas(marca.begin() + long(i) + 1, marca.end());
        return marca;
    }
    std::string tecle(const std::string &k) { return teclas({k})[0]; }
};

INSTANTIATE_TEST_SUITE_P(Tamanhos, Calculadora, ::testing::Values(1024, 512));

// Each row is worked twice from the calculator just opened: clicked, where the displays after
// each key are the stored ones (tests/dados/calculadora.txt, the same at both sizes), and typed,
// where every key goes down with the mark its press draws, the displays come in the same order
// and the state ends the same. Keys by how they are typed: "KP" is the keypad's key; V and v
// type a vector key, clicked as that key. Vectors from V(2) on are (k, 0, 1).
TEST_P(Calculadora, EachKeyClickedOrTypedGivesTheSameEquationAndNeverChangesTheVectors) {
    // clang-format off
    const struct { const char *nome; int vetores; std::vector<std::string> teclas; } linhas[] = {
        {"a division by zero keeps the dividend", 2, {"KP8", "KP/", "0", "Enter", "4", "="}},
        {"a result is the first operand of the next number", 2, {"2", "KP+", "3", "=", "4", "+", "1", "Enter"}},
        {"one decimal point a number", 2, {"1", "2", ",", "5", "KP.", "5", "+", ",", "2", "="}},
        {"a digit after a vector key continues its index", 2, {"V1", "5"}},
        {"a product of the result", 2, {"KP9", "-", "4", "=", "*", "3", "="}},
        {"a sum to the result", 2, {"9", "KP-", "4", "=", "KP+", "3", "="}},
        {"the last operator holds", 2, {"2", "+", "-", "3", "="}},
        {"a difference of vectors", 2, {"V0", "-", "V1", "="}},
        {"dot products, Esc clearing", 2, {"V0", ".", "V1", "=", "Esc", "V0", ".", "V0", "="}},
        {"a number times a vector, Delete clearing", 2, {"2", "x", "v1", "=", "Del", "3", "+", "V1", "="}},
        {"a cross product times a number", 2, {"V0", "X", "V1", "=", "KP*", "2", "="}},
        {"sums of vectors chained", 2, {"V0", "+", "V1", "=", "+", "V1", "="}},
        {"a vector divided is a vector to add to", 2, {"V0", "/", "0", "=", "4", "=", "+", "V0", "="}},
        {"a dot product with the last vector", 2, {"V0", ".", "5", "="}},
        // The result of "=" is the number a vector is then multiplied by, not the last one typed.
        {"a vector times the result", 2, {"2", "+", "3", "=", "x", "V1", "="}},
        {"keys of vectors not stored do nothing", 3, {"V2", "V7", "v1", "KP5"}},
        {"with ten vectors V1 is V(1) at once", 10, {"V1", "2", "V9"}},
        {"with fifteen V12 is V(12)", 15, {"V12", "+", "V3", "="}},
        {"any other key makes V1 V(1) first", 15, {"V1", "-", "V14", "Enter", "V1", "7", "V1", "V10", "V1", "Esc"}},
        {"a second digit can name a vector not stored", 12, {"V11", "V13", "V1", "KP7"}},
    };
    // clang-format on
    std::string mostrados;
    for (auto &l : linhas) {
        std::vector<std::vector<float>> vs = {{1, 0, 0}, {0, 1, 0}};
        for (int k = 2; k < l.vetores; ++k) vs.push_back({float(k), 0, 1});
        apoio::guarda(CARTESIANO, GRAUS, vs);
        std::vector<std::string> visor = {""}, digitado = {""};  // from the empty display
        std::vector<std::string> marcas;
        tecle("C"), abre();  // the command keeps a number typed before it
        mostrados += std::string(l.nome) + ":\n";
        for (auto &k : l.teclas) {
            const POINT p = centro(digitada(k).clique);
            {
                wintest::GdiRecorder rec;
                mouse(WM_LBUTTONDOWN, p);
                marcas.push_back(wintest::Trace(rec.calls()));
            }
            mouse(WM_LBUTTONUP, p);
            visor.push_back(mostrado(pinta(), "<no paint>"));
            mostrados += "    " + k + " -> " + visor.back() + "\n";
        }
        const auto clicado = estado();
        tecle("C"), abre();
        for (size_t i = 0; i < l.teclas.size(); ++i)
            EXPECT_EQ(wintest::Trace(digite(l.teclas[i], digitado)), marcas[i]) << l.nome << ": " << l.teclas[i];
        EXPECT_EQ(unicos(digitado), unicos(visor)) << l.nome;
        EXPECT_EQ(estado(), clicado) << l.nome;
        EXPECT_TRUE(vetores[0][0] == 1 && vetores[1][1] == 1 && !vetores[0][1] && !vetores[1][0] && !vetores[2][1]) << l.nome;
    }
    EXPECT_TRUE(wintest::MatchesStoredText(ORBIX_DADOS "/calculadora.txt", mostrados));
}

TEST_P(Calculadora, KeysOfVectorsNotStoredDoNothingAndTheClearKeyResets) {
    apoio::guarda(CARTESIANO, GRAUS, {{1, 0, 0}, {0, 1, 0}, {0, 0, 7}});
    const auto antes = (tecle("V2"), estado());
    EXPECT_EQ((tecle("V5"), estado()), antes);  // a key crossed out does nothing
    EXPECT_EQ(teclas({"+", "V1", "=", "2", "x", "C"}).back(), "");
    EXPECT_TRUE(oper == OPER_NENHUMA && !resultadoesc && !resultadovet[0] && !resultadovet[1] && !resultadovet[2] && !temps3[0]);
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

TEST_P(Calculadora, OnlyTheCalculatorViewTypesItsKeysAndTheWindowKeepsItsOwn) {
    std::vector<std::string> visto;
    const double x = angulox;
    digite("5", visto), wintest::PressKey(hjan, VK_LEFT), bombeia();
    EXPECT_TRUE(numr == 5 && angulox != x);  // an arrow still turns the view
    comando(IDM_DESENHARREG);
    const auto antes = estado();
    for (auto k : {"2", "+", "V1", "Enter", "Esc", "Del", "KP."}) digite(k, visto);
    EXPECT_EQ(estado(), antes);
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
