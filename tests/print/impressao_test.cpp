// The views on paper and in PDF, read back with poppler's tools as a person reads the file: the
// listings' text, the drawings as paths where the window has them, the print command and the
// command line with each thing that can go wrong.
#include "apoio/pasta.h"
#include "apoio/teste.h"
#include "draw/listagem.h"
#include "print/impressao.h"
#include "trabalho/trabalho.h"
#include "window/linhacmd.h"

#include <stdio.h>

#include <algorithm>
#include <sstream>

namespace {

// The listings' texts hold Latin-1 letters only, which UTF-8 spells in two bytes.
std::string utf8(const std::string &s) {
    std::string out;
    for (unsigned char c : s) c < 0x80 ? out += char(c) : (out += char(0xC0 | (c >> 6)), out += char(0x80 | (c & 0x3F)));
    return out;
}

// The lines of a text with their runs of blanks made one (pdftotext reads the gaps of a line back
// as one blank), empty lines left out.
std::vector<std::string> linhas(const std::string &texto) {
    std::vector<std::string> out;
    std::istringstream in(texto);
    for (std::string l, w; std::getline(in, l);) {
        std::istringstream palavras(l);
        std::string junta;
        while (palavras >> w) junta += (junta.empty() ? "" : " ") + w;
        if (!junta.empty()) out.push_back(junta);
    }
    return out;
}

// Whether a pixel of colour c lies within two pixels of (x, y).
bool perto(const wintest::Picture &im, int x, int y, COLORREF c) {
    auto parecida = [c](COLORREF p) {
        return std::abs(GetRValue(p) - GetRValue(c)) < 60 && std::abs(GetGValue(p) - GetGValue(c)) < 60 &&
               std::abs(GetBValue(p) - GetBValue(c)) < 60;
    };
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (parecida(im.at(x + dx, y + dy))) return true;
    return false;
}

const std::vector<int> LISTAGENS = {MODO_LISTAGEM, MODO_ANGULOS, MODO_MODULOS, MODO_ESCALARES, MODO_VETORIAIS, MODO_SISTEMAS};

struct Sistema {
    const char *nome;
    int sistema, unidade;
    std::vector<std::vector<float>> vetores;
    float regiao[3][2];
};
// clang-format off
const Sistema SISTEMAS[] = {
    {"cartesiano", CARTESIANO, GRAUS,     {{1, 2, 3}, {-4, 0.5f, 6}, {2, -3, -1}}, {{-1, 2}, {0, 3}, {-2, 1}}},
    {"cilindrico", CILINDRICO, GRAUS,     {{3, 45, 2}, {1, 200, -1}},              {{0, 5}, {0, 90}, {-1, 4}}},
    {"esferico",   ESFERICO,   RADIANOS,  {{2, 1, 0.5f}, {4, 2.5f, 3}},            {{1, 3}, {0, 1.5f}, {0, 6}}},
};
// clang-format on

void PrintTo(const Sistema &s, std::ostream *o) { *o << s.nome; }

class Impressao : public apoio::JanelaPrincipal, public ::testing::WithParamInterface<Sistema> {
protected:
    void SetUp() override {
        JanelaPrincipal::SetUp();
        const Sistema &s = GetParam();
        apoio::guarda(s.sistema, s.unidade, s.vetores);
        memcpy(reg, s.regiao, sizeof reg);
        std::string texto;
        ASSERT_TRUE(textotrabalho(trabalhoatual(), texto));
        trabalho = (pasta / "aula.orbix").string();
        std::ofstream(trabalho, std::ios::binary) << texto;
    }
    // The views to a PDF through the command line's own path.
    void imprime(const std::vector<int> &modos) {
        std::string erro;
        ASSERT_TRUE(pdfdotrabalho(pdf.c_str(), modos, trabalho.c_str(), erro)) << erro;
    }
    apoio::Pasta pasta;
    std::string trabalho, pdf = (pasta / "aula.pdf").string();
};
INSTANTIATE_TEST_SUITE_P(Sistemas, Impressao, ::testing::ValuesIn(SISTEMAS), [](const auto &i) { return std::string(i.param.nome); });

// Every listing is its lines as the window shows them, each once and in order, then the footer of
// each of its pages. (That the whole PDF holds every view with something to show, sem_tela.sh
// counts.)
TEST_P(Impressao, ListingsAreTheirLinesAsTextAndTheFooterOfEachPage) {
    imprime(LISTAGENS);
    std::vector<std::string> esperadas;
    for (int modo : LISTAGENS) {
        const std::vector<std::string> texto = linhas(utf8(textolistagem(modo)));
        esperadas.insert(esperadas.end(), texto.begin(), texto.end());
        esperadas.push_back(utf8(rodape(1, 1)));  // each of these fits one page
    }
    EXPECT_EQ(linhas(wintest::PdfText(pdf)), esperadas);
    EXPECT_EQ(wintest::PdfPages(pdf), int(LISTAGENS.size()));
}

// A drawing is paths, no picture, and rendered at the page's width its vectors' colours and its
// axes lie where the window has them.
TEST_P(Impressao, DrawingsArePathsWhereTheWindowHasThem) {
    wintest::SetClientSize(hjan, 1024, 768);
    for (int modo : {MODO_VETORES, MODO_REGIAO}) {
        comando(modo == MODO_VETORES ? IDM_DESENHARVET : IDM_DESENHARREG);
        bombeia();
        imprime({modo});
        EXPECT_EQ(wintest::PdfImages(pdf), 0);
        const wintest::Picture im = wintest::PdfPage(pdf, 1, 1024);
        ASSERT_EQ(im.width, 1024);
        const int topo = (im.height - 768) / 2;  // the picture is as wide as the page, in its middle
        int tracos = 0, achados = 0;
        for (int y = 0; y < 768; ++y)
            for (int x = 0; x < 1024; ++x) {
                const COLORREF c = wintest::ClientPixel(hjan, x, y);
                if (c == RGB(255, 255, 255)) continue;
                ++tracos;
                achados += perto(im, x, topo + y, c);
            }
        ASSERT_GT(tracos, 1000);
        EXPECT_GT(achados, tracos * 99 / 100) << modo << ": " << achados << " of " << tracos << " drawn pixels found on the page";
    }
}

// "Imprimir..." prints the view on screen, a listing whole over as many pages as it takes; Cancel
// prints nothing and changes nothing; a printer that fails is told, and changes nothing either.
class Imprimir : public apoio::JanelaPrincipal {};
TEST_F(Imprimir, TheViewOnScreenCancelAndFailure) {
    std::vector<std::vector<float>> quinze;
    for (int i = 0; i < MAXVETORES; ++i) quinze.push_back({float(i + 1), float(2 * i - 7), float(20 - i)});
    apoio::guarda(CARTESIANO, GRAUS, quinze);
    comando(IDM_VETORIAL);
    bombeia();
    apoio::Pasta pasta;
    const std::string pdf = (pasta / "produtos.pdf").string(), longe = (pasta / "nada" / "x.pdf").string();
    wintest::PrintDialogDriver dialogo;
    dialogo.toFile(pdf).cancel().toFile(longe);
    wintest::PressKey(hjan, 'P', wintest::Ctrl);
    bombeia();
    ASSERT_EQ(dialogo.flags, std::vector<DWORD>{PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS});
    const std::vector<std::string> texto = linhas(utf8(textolistagem(MODO_VETORIAIS)));
    const std::vector<std::string> lido = linhas(wintest::PdfText(pdf));
    const int n = wintest::PdfPages(pdf);
    EXPECT_GT(n, 1);
    EXPECT_EQ(lido.size(), texto.size() + size_t(n));
    for (const std::string &l : texto) EXPECT_EQ(std::count(lido.begin(), lido.end(), l), 1) << l;
    EXPECT_EQ(lido.back(), utf8(rodape(n, n)));

    const std::set<std::string> antes = pasta.nomes();
    const int modo = num;
    wintest::MessageBoxLog caixas;
    wintest::ChooseMenuItem(hjan, IDM_IMPRIMIR);
    bombeia();
    EXPECT_TRUE(caixas.calls().empty()) << "Cancel says nothing (and, as the end shows, prints nothing)";
    wintest::ChooseMenuItem(hjan, IDM_IMPRIMIR);
    bombeia();
    ASSERT_EQ(caixas.calls().size(), 1u);
    EXPECT_EQ(caixas.calls()[0].caption, "Orbix");
    EXPECT_EQ(caixas.calls()[0].text.rfind("A impressão falhou.", 0), 0u) << caixas.calls()[0].text;
    EXPECT_EQ(std::make_pair(num, pasta.nomes()), std::make_pair(modo, antes));
}

// orbix --pdf: one line on standard error and status 1 for whatever cannot be done, and no PDF
// then (one that was there stays as it was).
TEST(LinhaDeComando, PdfOrOneLineAndNoFile) {
    apoio::Pasta pasta;
    const std::string dados = ORBIX_DADOS "/trabalhos/", bom = dados + "um-vetor.orbix", vazio = dados + "nada-a-mostrar.orbix";
    const std::string pdf = (pasta / "s.pdf").string();
    // clang-format off
    const struct { const char *nome; std::string linha; int status; const char *erro; } casos[] = {
        {"every view",      "--pdf " + pdf + " " + bom,                    0, ""},
        {"two views named", "--pdf " + pdf + " --view lista --view vetores " + bom, 0, ""},
        {"unknown view",    "--pdf " + pdf + " --view nada " + bom,        1, "orbix: vista desconhecida: nada"},
        {"no work file",    "--pdf " + pdf + " " + pasta.caminho().string() + "/falta.orbix", 1, "não pode ser lido"},
        {"nothing to show", "--pdf " + pdf + " " + vazio,                  1, "não tem vetores nem região"},
        {"no folder",       "--pdf " + pasta.caminho().string() + "/nada/s.pdf " + bom, 1, "A pasta não existe."},
    };
    // clang-format on
    for (const auto &c : casos) {
        std::ofstream(pdf) << "antes";
        FILE *saida = tmpfile(), *erros = tmpfile();
        EXPECT_EQ(respondeopcoes(leopcoes(c.linha.c_str()), saida, erros), c.status) << c.nome;
        rewind(erros);
        char linha[512] = "";
        const bool uma = fgets(linha, sizeof linha, erros) && fgetc(erros) == EOF;
        EXPECT_EQ(uma, c.status != 0) << c.nome << ": one line on standard error, or nothing";
        EXPECT_NE(std::string(linha).find(utf8(c.erro)), std::string::npos) << c.nome << ": " << linha;
        EXPECT_TRUE(c.status ? apoio::le(pdf) == "antes" : wintest::PdfPages(pdf) > 0) << c.nome;
        fclose(saida), fclose(erros);
    }
}

}  // namespace
