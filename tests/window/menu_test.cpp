// The menu commands that open dialogs, the help and the about box.
#include "apoio/janela.h"
#include "window/ajuda.h"

#include <algorithm>
#include <tuple>

namespace {

using wintest::Dialog;
using Acao = std::function<void(Dialog &)>;
using V = std::vector<float>;
using Nomes = std::vector<std::string>;

Acao numero(const char *n) { return [n](Dialog &d) { d.type(IDC_NPT, n), d.click(IDOK); }; }
Acao vetor(const char *a, const char *b, const char *c) {
    return [=](Dialog &d) { d.type(IDC_E1, a), d.type(IDC_E2, b), d.type(IDC_E3, c), d.click(IDOK); };
}

class Menu : public apoio::JanelaPrincipal {
protected:
    V coluna(int k) { return {vetores[0][k], vetores[1][k], vetores[2][k]}; }
    // One more help dialog, opened without repainting the window.
    HWND abreajuda() { comando(IDM_AJUDA); EXPECT_EQ(pinturas(), 0); return wintest::LiveDialogs().back(); }
};

TEST_F(Menu, VectorEntryFillsOneColumnPerVector) {
    num = MODO_LISTAGEM;
    for (int k = 0; k < MAXVETORES; ++k) vetores[0][k] = vetores[1][k] = vetores[2][k] = -7;
    wintest::DialogDrivers drivers;
    drivers.then(numero("4")).then(vetor("1", "2", "3")).then([](Dialog &d) {
        EXPECT_EQ(d.fieldText(IDC_E1) + d.fieldText(IDC_E2) + d.fieldText(IDC_E3), " 1.00 2.00 3.00") << "the last confirmed";
        d.type(IDC_E1, "9"), d.click(IDCANCEL);
    }).then([](Dialog &d) {
        EXPECT_EQ(d.fieldText(IDC_E1), " 1.00") << "a cancelled vector leaves the buffer alone";
        d.click(IDC_CIL), d.type(IDC_E1, "-4"), d.click(IDOK);
    }).then(vetor("0.5", "90", "-1"));
    comando(IDM_PONTOS);
    EXPECT_EQ(drivers.opened, (Nomes{"entnpt", "entvt", "entvt", "entvt", "entvt"}));
    const V cols[] = {{1, 2, 3}, V(3, -7), {4, 2, 3}, {0.5f, 90, -1}, V(3, -7)};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(coluna(k), cols[k]) << "column " << k;
    EXPECT_EQ(std::tuple(numpt, Scoord, num, pinturas()), std::tuple(4, CILINDRICO, MODO_VETORES, 1));
}

TEST_F(Menu, VectorEntryCountsAndTheVectorViewAlways) {
    const struct { const char *name; Acao act; int n; Nomes msgs; } rows[] = {
        {"cancelled", [](Dialog &d) { d.click(IDCANCEL); }, 0, {}},
        {"twenty", numero("20"), MAXVETORES, {"Número Máximo de Pontos é 15!"}},
    };
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
    const struct { const char *name; int id, fim, num, pinturas; } rows[] = {
        {"limits confirmed", IDM_LIMITES, IDOK, MODO_REGIAO, 1},
        {"limits cancelled keeps the mode", IDM_LIMITES, IDCANCEL, MODO_LISTAGEM, 1},
        {"system confirmed", IDM_COORD, IDOK, MODO_LISTAGEM, 1},
        {"system cancelled", IDM_COORD, IDCANCEL, MODO_LISTAGEM, 0},
    };
    for (auto &r : rows) {
        num = MODO_LISTAGEM;
        wintest::DialogDrivers drivers;
        drivers.then([&](Dialog &d) { d.click(r.fim); });
        comando(r.id);
        EXPECT_EQ(drivers.opened, Nomes{r.id == IDM_LIMITES ? "entlim" : "entreg"}) << r.name;
        EXPECT_EQ(std::tuple(num, pinturas()), std::tuple(r.num, r.pinturas)) << r.name;
    }
}

// The user guide word for word: fourteen paragraphs, an empty line between two.
TEST_F(Menu, HelpTextWordForWord) {
    const char *const paragrafos[] = {
        "\t\t\tORBIX - Programa de Álgebra Vetorial",
        "Este programa é utilizado para gerar gráficos de regiões e apresentação de vetores em três dimensões, com "
        "giro no eixo x, além de realizar cálculos vetoriais básicos. Os sistemas de coordenadas utilizados no mesmo "
        "são o Cartesiano, o Cilíndrico e o Esférico.",
        "\t\tMenu do ORBIX",
        "1) O menu Salvar Dados e Resultados, o programa gravará todos os dados inseridos, como vetores, regiões e "
        "cálculos de ângulos entre vetores e respectivos módulos, produtos escalares e vetoriais na coordenada "
        "definida, em arquivo .TXD que pode ser aberto como arquivo de texto. Por default, a coordenada inicial do "
        "programa é a cartesiana.",
        "2) O menu Sair, sai do programa.",
        "3) O menu Entrar Pontos para Vetores, abre uma janela solicitando o número de vetores que será inserido. O "
        "valor máximo é 15, o qual se for ultrapassado, é colocado no limite definido. Daí, uma outra janela é "
        "aberta, solicitando os dados dos vetores, como coordenadas, valores 3 coordenadas dos vetores (cada vez que "
        "se pressiona o botão OK, é solicitado os dados do próximo vetor, até o último. Deve-se considerar que, a "
        "escolha nesta janela do sistema de coordenadas na entrada do último vetor, define o sistema de coordenadas "
        "de todos os demais vetores. Quando definido o sistema de coordenadas como cilíndrico ou esférico, deve-se "
        "escolher a entrada dos dados das coordenadas phi e theta como graus ou radianos. Por default, o programa "
        "trabalha inicialmente em graus.",
        "4) O menu Entrar Limites para Região abre uma janela que solicita os dados dos limites inferiores e "
        "superiores das 3 coordenadas do sistema definido. Deve-se considerar que as coordenadas dos sistemas são: "
        "(x, y, z) para cartesiano; (r, phi, z) para cilíndrico e (r, theta, phi) para esférico. Nos casos em que se "
        "entra com um dado de um ângulo maior que o possível na coordenada, este é colocado no limite superior do "
        "mesmo. Além do mais, se os valores de entrada estiverem invertidos (o maior primeiro e o menor como o "
        "segundo dado), o programa os inverte automaticamente. Os valores limites dos ângulos nos sistemas de "
        "coordenadas cilíndricas e esféricas são 0<phi<360 (em graus) ou 0<phi<2pi (em radianos) e 0<theta<180 (em "
        "graus) ou 0<theta<pi (em radianos).",
        "5) O menu Definir Sistema de Coordenadas abre uma janela em que se pode modificar o sistema de coordenadas "
        "inicial. Neste caso, os dados já inseridos inicialmente em vetores e em regiões, são convertidos "
        "imediatamente para o novo sistema definido.",
        "6) O menu Desenhar Vetores apresenta os vetores inseridos na forma gráfica em 3 dimensões no sistema, assim "
        "como suas projeções nos planos apresentados do lado direito da janela.",
        "7) O menu Desenhar Região desenha o sistema de coordenadas com a região definida e os planos ao lado direito "
        "com suas projeções nos planos.",
        "8) O submenu de Escala permite mostrar os valores nos eixos de cada um dos vetores, ou os valores médios "
        "tomando como base o valor máximo entre todos os vetores inseridos, ou mesmo não apresentar nenhum desses "
        "dados.",
        "9) O menu Cálculos permite ver os dados dos vetores inseridos em sua respectiva coordenada, apresentar todos "
        "os cálculos de ângulos entre todos os vetores inseridos, seus produtos escalares, produtos vetoriais e "
        "módulos (magnitude).",
        "10) O menu Realizar Cálculos de Equações Vetoriais desenha uma calculadora na janela, em que é possível "
        "trabalhar com cálculos entre os vetores inseridos, estando na ordem da seqüência de operações de cima para "
        "baixo: ponto, soma, subtração, produto vetorial, produto escalar, divisão, multiplicação, igualdade e "
        "limpar. Deve-se observar que a soma e a subtração são permitidas para escalares e vetores; a multiplicação "
        "e a divisão são permitidas para escalares e para escalares com vetores, respeitando a norma de que a "
        "divisão só é feita de um vetor por um escalar; e os produtos vetoriais e escalares só são permitidos entre "
        "dois vetores. Qualquer falha nestes casos, a calculadora apenas repete a última operação realizada.",
        "11) Os menus Esquerda, Direita, Cima e Baixo servem para girar o eixo x no sistema de coordenadas desenhado "
        "na janela, respectivamente para os lados desejados até os limites definidos pelo programa..",
    };
    std::string esperado, pecas;
    for (const char *p : paragrafos) esperado += (esperado.empty() ? "" : "\r\n\r\n") + std::string(p);
    for (const char *p : partesajuda) pecas += p;
    EXPECT_EQ(esperado.size(), 4206u);
    EXPECT_EQ(std::string(ajuda), esperado);
    EXPECT_EQ(pecas, esperado) << "the window joins the five pieces as they are";
    Dialog d(abreajuda());
    EXPECT_EQ(d.fieldText(IDC_AJUDATXT), esperado) << "the dialog shows it whole";
    d.click(IDOK);
}

TEST_F(Menu, OnlyItsOkClosesTheHelp) {
    const struct { const char *name; void (*act)(Dialog &); bool fecha; } rows[] = {
        {"Esc", [](Dialog &d) { d.pressEscape(); }, false}, {"close box", [](Dialog &d) { d.closeBox(); }, false},
        {"OK", [](Dialog &d) { d.click(IDOK); }, true}, {"Enter", [](Dialog &d) { d.pressEnter(); }, true},
    };
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
    EXPECT_EQ(d.templateName() + " / " + d.caption(), "Ajuda / Kelda - Ajuda");
    EXPECT_TRUE(d.visible() && d.readOnly(IDC_AJUDATXT));
    EXPECT_EQ(d.fieldText(IDC_AJUDATXT), std::string(ajuda));
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

TEST_F(Menu, AboutBox) {
    wintest::MessageBoxLog log;
    wintest::ChooseMenuItem(hjan, IDM_SOBRE);
    EXPECT_EQ(pinturas(), 0);
    ASSERT_EQ(log.calls().size(), 1u);
    auto &c = log.calls()[0];
    EXPECT_EQ(std::tuple(c.owner, c.caption, c.type),
              std::tuple(hjan, std::string("Orbix"), UINT(MB_OK | MB_ICONINFORMATION)));
    EXPECT_EQ(c.text.rfind("\t           ORBIX\n\n\tPrograma para Álgebra Vetorial Básica:\n\t        Gráficos e Cálculos"
                           "\n\n\t\t Versão 1.0\n\n\n    ", 0), 0u);
}

}  // namespace
