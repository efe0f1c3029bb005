// Work files: what they hold, how they read back, and every kind of file that is refused.
#include "apoio/janela.h"
#include "apoio/pasta.h"
#include "state/historico.h"
#include "trabalho/trabalho.h"

#include <float.h>
#include <math.h>
#include <string.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace {

namespace fs = std::filesystem;

using apoio::escreve;
using apoio::le;

bool iguais(const Trabalho &a, const Trabalho &b) { return memcmp(&a, &b, sizeof a) == 0; }

Trabalho trabalho(int sistema, int unidade, std::vector<std::vector<float>> vs, std::vector<float> regiao = {},
                  double ax = ANGULOX_INICIAL, double az = ANGULOZ_INICIAL, int escala = ESCALA_VETORES) {
    Trabalho t;
    memset(&t, 0, sizeof t);
    t.sistema = sistema;
    t.unidade = unidade;
    t.quantos = int(vs.size());
    for (int i = 0; i < t.quantos; ++i)
        for (int e = 0; e < 3; ++e) t.vetores[e][i] = vs[size_t(i)][size_t(e)];
    regiao.resize(6);
    for (int k = 0; k < 3; ++k) t.regiao[k][0] = regiao[size_t(2 * k)], t.regiao[k][1] = regiao[size_t(2 * k + 1)];
    t.angulox = ax;
    t.anguloz = az;
    t.escala = escala;
    return t;
}

// Everything an opened file may change, and what it must not.
struct Foto {
    Trabalho t;
    int num, inicia, SBPosy;
    float vet[3], colunas[3][MAXVETORES];
    std::string ultimo;
    bool operator==(const Foto &o) const {
        return iguais(t, o.t) && num == o.num && inicia == o.inicia && SBPosy == o.SBPosy &&
               memcmp(vet, o.vet, sizeof vet) == 0 && memcmp(colunas, o.colunas, sizeof colunas) == 0 &&
               ultimo == o.ultimo;
    }
};
Foto foto() {
    Foto f;
    f.t = trabalhoatual();
    f.num = num, f.inicia = inicia, f.SBPosy = SBPosy;
    memcpy(f.vet, vet, sizeof vet);
    memcpy(f.colunas, vetores, sizeof vetores);
    f.ultimo = ultimotrabalho();
    return f;
}

class Trabalhos : public apoio::JanelaPrincipal {
protected:
    // The menu command with the dialog answered by typed (empty: cancelled). Opening asks
    // nothing here: the work counts as saved.
    wintest::FileDialogCall salvapelomenu(const std::string &typed) {
        wintest::SaveDialogDriver d;
        typed.empty() ? d.cancel() : d.answer(typed);
        comando(IDM_SALVARCOMO);
        bombeia();
        return d.calls.empty() ? wintest::FileDialogCall{} : d.calls.back();
    }
    wintest::FileDialogCall abrepelomenu(const std::string &typed) {
        wintest::OpenDialogDriver d;
        typed.empty() ? d.cancel() : d.answer(typed);
        marcasalvo();
        comando(IDM_ABRIRTRAB);
        bombeia();
        return d.calls.empty() ? wintest::FileDialogCall{} : d.calls.back();
    }
    apoio::Pasta pasta;
};

TEST(FormatoDoTrabalho, IsPlainTextWithTheShortestNumbersThatReadBack) {
    std::string texto;
    ASSERT_TRUE(textotrabalho(trabalho(CILINDRICO, RADIANOS, {{3, 0.1f, -2}, {1.0f / 3, 6.283f, -0.0f}},
                                       {0, 5, 0, 3.1415f, -1, 4}, ANGULOX_MAX, GIRO_MIN, ESCALA_MEDIA),
                              texto));
    EXPECT_EQ(texto,
              "ORBIX TRABALHO 1\r\n"
              "sistema cilindrico\r\n"
              "unidade radianos\r\n"
              "vetores 2\r\n"
              "vetor 0 3 0.1 -2\r\n"
              "vetor 1 0.33333334 6.283 -0\r\n"
              "regiao 1 0 5\r\n"
              "regiao 2 0 3.1415\r\n"
              "regiao 3 -1 4\r\n"
              "vista 1.3962222222222223 0.3926875\r\n"
              "escala media\r\n"
              "fim\r\n");
}

TEST(FormatoDoTrabalho, EveryPrefixOfAWorkIsRefusedAndTheWholeIsRead) {
    std::string texto, erro;
    const Trabalho t = trabalho(ESFERICO, GRAUS, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, {1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(textotrabalho(t, texto));
    Trabalho lido;
    for (size_t n = 0; n + 2 < texto.size(); ++n)
        EXPECT_FALSE(letrabalho(texto.substr(0, n), lido, erro)) << "a work cut after " << n << " bytes was read";
    // The last line end may be lost (an editor that drops it) without losing anything else.
    for (size_t n : {texto.size() - 2, texto.size() - 1, texto.size()}) {
        ASSERT_TRUE(letrabalho(texto.substr(0, n), lido, erro)) << n << ": " << erro;
        EXPECT_TRUE(iguais(lido, t));
    }
}

TEST(FormatoDoTrabalho, WhatAPersonMayWriteIsReadAsTheProgramWritesIt) {
    const Trabalho esperado = trabalho(CARTESIANO, GRAUS, {{1, -2, 3.5f}}, {-1, 1, 0, 2, 0, 3});
    const struct {
        const char *nome;
        std::string texto;
    } casos[] = {
        {"as written", "ORBIX TRABALHO 1\r\nsistema cartesiano\r\nunidade graus\r\nvetores 1\r\nvetor 0 1 -2 3.5\r\n"
                       "regiao 1 -1 1\r\nregiao 2 0 2\r\nregiao 3 0 3\r\nvista 1.0471666666666668 "
                       "0.5235833333333334\r\nescala vetores\r\nfim\r\n"},
        {"LF line ends, tabs, blanks, comments, any order, a plus sign, other number forms",
         "ORBIX TRABALHO 1\n# a aula de terça\n\n  escala\tvetores  \nvetor 0 +1.0 -2e0 3.50\nvetores 1\n"
         "regiao 3 0 3\nregiao 2 0.0 2\nregiao 1 -1 1\nunidade graus\nsistema cartesiano\n"
         "vista 1.0471666666666668 0.5235833333333334\nfim"},
        {"a byte-order mark before the first line",
         "\xEF\xBB\xBFORBIX TRABALHO 1\nsistema cartesiano\nunidade graus\nvetores 1\nvetor 0 1 -2 3.5\nregiao 1 -1 1\n"
         "regiao 2 0 2\nregiao 3 0 3\nvista 1.0471666666666668 0.5235833333333334\nescala vetores\nfim\n"},
        {"blank lines and comments before the first line, a comment after a value",
         "\n# aula 3\r\n\t\nORBIX TRABALHO 1 # meu\nsistema cartesiano#x\nunidade graus\nvetores 1 # um so\nvetor 0 1 -2 3.5\n"
         "regiao 1 -1 1\nregiao 2 0 2\nregiao 3 0 3\nvista 1.0471666666666668 0.5235833333333334\nescala vetores\nfim #\n"},
    };
    for (auto &c : casos) {
        Trabalho lido;
        std::string erro;
        EXPECT_TRUE(letrabalho(c.texto, lido, erro)) << c.nome << ": " << erro;
        EXPECT_TRUE(iguais(lido, esperado)) << c.nome;
    }
    // The names with their accents, as UTF-8 and as Windows-1252 editors write them.
    const struct {
        const char *de, *para;
        int Trabalho::*campo;
        int codigo;
    } nomes[] = {{"sistema cartesiano", "sistema cil\xC3\xADndrico", &Trabalho::sistema, CILINDRICO},
                 {"sistema cartesiano", "sistema cil\xEDndrico", &Trabalho::sistema, CILINDRICO},
                 {"sistema cartesiano", "sistema esf\xC3\xA9rico", &Trabalho::sistema, ESFERICO},
                 {"sistema cartesiano", "sistema esf\xE9rico", &Trabalho::sistema, ESFERICO},
                 {"escala vetores", "escala m\xC3\xA9" "dia", &Trabalho::escala, ESCALA_MEDIA},
                 {"escala vetores", "escala m\xE9" "dia", &Trabalho::escala, ESCALA_MEDIA}};
    std::string escrito;
    ASSERT_TRUE(textotrabalho(esperado, escrito));
    for (auto &n : nomes) {
        Trabalho lido;
        std::string erro, texto = escrito;
        texto.replace(texto.find(n.de), strlen(n.de), n.para);
        EXPECT_TRUE(letrabalho(texto, lido, erro)) << n.para << ": " << erro;
        EXPECT_EQ(lido.*n.campo, n.codigo) << n.para;
    }
}

// Saved through the menu, opened through the menu: the same state bit for bit, the same bytes.
TEST_F(Trabalhos, RoundTripsKeepEveryBitAndEveryByte) {
    std::vector<std::vector<float>> quinze;
    for (int i = 0; i < MAXVETORES; ++i) quinze.push_back({float(i) * 1.1f, -float(i) / 7, float(i * i) + 0.25f});
    const float sub = std::numeric_limits<float>::denorm_min();
    const struct {
        const char *nome;
        Trabalho t;
    } casos[] = {
        {"cartesian, degrees, no vectors", trabalho(CARTESIANO, GRAUS, {})},
        {"cylindrical, radians, one vector", trabalho(CILINDRICO, RADIANOS, {{3, 1.5f, -2}}, {0, 2, 0, 6.283f, -1, 1})},
        {"spherical, degrees, fifteen vectors", trabalho(ESFERICO, GRAUS, quinze, {0, 10, 0, 180, 0, 360})},
        {"the float limits and many digits",
         trabalho(CARTESIANO, RADIANOS, {{FLT_MAX, -FLT_MAX, FLT_MIN}, {sub, -sub, -0.0f}, {1.0f / 3, 0.1f, 16777217.0f}},
                  {-FLT_MAX, FLT_MAX, 1e-30f, 1e30f, -0.0f, 0})},
        {"the view at its limits, no labels", trabalho(ESFERICO, RADIANOS, {{1, 2, 3}}, {}, GIRO_MIN, ANGULOZ_MAX,
                                                        ESCALA_NENHUMA)},
        {"the other view limits, scale labels", trabalho(CILINDRICO, GRAUS, {{1, 2, 3}}, {}, ANGULOX_MAX, GIRO_MIN,
                                                          ESCALA_MEDIA)},
    };
    for (auto &c : casos) {
        aplicatrabalho(c.t);
        const fs::path arquivo = pasta / "aula.orbix";
        salvapelomenu(arquivo.string());
        const std::string bytes = le(arquivo);
        // Anything else in between: another work, other views, other columns.
        aplicatrabalho(trabalho(ESFERICO, RADIANOS, quinze, {9, 9, 9, 9, 9, 9}, GIRO_MIN, GIRO_MIN, ESCALA_MEDIA));
        comando(IDM_ANGULO);
        abrepelomenu(arquivo.string());
        EXPECT_TRUE(iguais(trabalhoatual(), c.t)) << c.nome;
        for (int i = c.t.quantos; i < MAXVETORES; ++i)
            EXPECT_TRUE(vetores[0][i] == 0 && vetores[1][i] == 0 && vetores[2][i] == 0) << c.nome << " column " << i;
        EXPECT_EQ(num, MODO_VETORES) << c.nome;
        fs::remove(arquivo);
        salvapelomenu(arquivo.string());
        EXPECT_EQ(le(arquivo), bytes) << c.nome;
    }
}

TEST_F(Trabalhos, TheDialogsListWorkFilesProposeTheLastOneAndAddTheExtension) {
    apoio::guarda(CARTESIANO, GRAUS, {{1, 2, 3}});
    wintest::MessageBoxLog log;
    auto c = salvapelomenu((pasta / "aula").string());
    const std::vector<std::pair<std::string, std::string>> filtros = {{"Trabalhos do Orbix (*.orbix)", "*.orbix"},
                                                                      {"Todos os Arquivos (*.*)", "*.*"}};
    EXPECT_EQ(c.filters, filtros);
    EXPECT_EQ(c.filterIndex, 1u);
    EXPECT_EQ(c.initialPath, "");
    EXPECT_EQ(c.defExt, "orbix");
    EXPECT_TRUE(c.flags & OFN_OVERWRITEPROMPT) << "a work is never replaced without asking";
    EXPECT_TRUE(fs::exists(pasta / "aula.orbix"));
    EXPECT_EQ(std::string(ultimotrabalho()), (pasta / "aula.orbix").string());

    c = salvapelomenu((pasta / "copia.txt").string());
    EXPECT_EQ(c.initialPath, (pasta / "aula.orbix").string());
    EXPECT_TRUE(fs::exists(pasta / "copia.txt")) << "an extension of its own is kept";

    c = abrepelomenu("");
    EXPECT_EQ(c.filters, filtros);
    EXPECT_EQ(c.initialPath, (pasta / "copia.txt").string());
    EXPECT_TRUE(c.flags & OFN_FILEMUSTEXIST);
    EXPECT_EQ(salvapelomenu("").initialPath, (pasta / "copia.txt").string()) << "a cancel changes nothing";
    fs::copy_file(pasta / "aula.orbix", pasta / "outra.orbix");
    abrepelomenu((pasta / "outra.orbix").string());
    EXPECT_EQ(salvapelomenu("").initialPath, (pasta / "outra.orbix").string()) << "the work opened is the one proposed";
    EXPECT_TRUE(log.calls().empty());
}

TEST_F(Trabalhos, ASaveThatFailsSaysSoAndLeavesNothing) {
    wintest::MessageBoxLog log;
    const fs::path longe = pasta / "nao" / "existe.orbix";
    salvapelomenu(longe.string());
    ASSERT_EQ(log.calls().size(), 1u);
    EXPECT_EQ(log.calls()[0].text, longe.string());
    EXPECT_EQ(log.calls()[0].caption, "Não pode salvar o Arquivo");
    EXPECT_EQ(log.calls()[0].owner, hjan);
    EXPECT_EQ(std::string(ultimotrabalho()), "") << "a failed save is not the last work";
    EXPECT_TRUE(fs::is_empty(pasta.caminho()));
}

// Every kind of bad file: its message names the file and says what is wrong, and nothing of the
// program changes.
TEST_F(Trabalhos, BadFilesAreRefusedWithTheirReasonAndChangeNothing) {
    std::string valido;
    ASSERT_TRUE(textotrabalho(trabalho(CILINDRICO, GRAUS, {{1, 2, 3}, {4, 5, 6}}, {0, 1, 0, 90, 0, 1}), valido));
    // The valid work with line `de` replaced (empty: removed), or with `extra` added before fim.
    auto troca = [&](const std::string &de, const std::string &para) {
        std::string t = valido;
        size_t i = t.find(de);
        EXPECT_NE(i, std::string::npos) << de;
        return t.replace(i, de.size(), para);
    };
    const std::string antesdofim = "fim\r\n";
    const struct {
        const char *nome;
        std::string texto;
        std::string motivo;
    } casos[] = {
        {"not a work file", "Nome: Ana\r\nNota: 10\r\n", "Linha 1: o arquivo não é um trabalho do Orbix."},
        {"a report", "\r\n++++++++++\r\n" + std::string(86, ' '), "Linha 2: o arquivo não é um trabalho do Orbix."},
        {"empty", "", "O arquivo está vazio."},
        {"only a byte-order mark", "\xEF\xBB\xBF", "O arquivo está vazio."},
        {"only blank lines and comments", "\r\n# nada\r\n", "O arquivo está vazio."},
        {"cut short", valido.substr(0, valido.find("regiao 2")), "Linha 8: falta «regiao 2»."},
        {"cut in the middle of a line", valido.substr(0, valido.find("regiao 2") + 4),
         "Linha 8: palavra desconhecida «regi»."},
        {"no end", troca(antesdofim, ""), "Linha 12: falta «fim»."},
        {"larger than 64 KiB", valido + std::string(65536, '#'), "mais de 64 KiB"},
        {"a newer version", troca("TRABALHO 1", "TRABALHO 2"), "Linha 1: trabalho da versão 2, mais nova que a deste programa (1)."},
        {"a version that is no number", troca("TRABALHO 1", "TRABALHO um"), "Linha 1: versão ilegível «um»."},
        {"sixteen vectors", troca("vetores 2", "vetores 16"), "Linha 4: o número de vetores deve ser de 0 a 15."},
        {"minus one vector", troca("vetores 2", "vetores -1"), "Linha 4: o número de vetores deve ser de 0 a 15."},
        {"a vector missing", troca("vetor 1 4 5 6\r\n", ""), "Linha 11: falta o vetor 1 de 2."},
        {"a vector too many", troca("vetores 2", "vetores 1"), "Linha 6: vetor 1 além dos 1 anunciados."},
        {"a vector twice", troca("vetor 1 4 5 6", "vetor 0 4 5 6"), "Linha 6: vetor 0 repetido."},
        {"a vector beyond 14", troca("vetor 1 4 5 6", "vetor 15 4 5 6"), "Linha 6: não há vetor 15"},
        {"an unknown system", troca("cilindrico", "polar"), "Linha 2: sistema de coordenadas desconhecido «polar»."},
        {"an unknown unit", troca("graus", "grados"), "Linha 3: unidade de ângulo desconhecida «grados»."},
        {"an unknown scale", troca("escala vetores", "escala toda"), "Linha 11: escala desconhecida «toda»."},
        {"an infinity", troca("vetor 0 1 2 3", "vetor 0 1 inf 3"), "Linha 5: «inf» não é um número finito."},
        {"not a number", troca("vetor 0 1 2 3", "vetor 0 1 2 nan"), "Linha 5: «nan» não é um número finito."},
        {"beyond the float range", troca("regiao 1 0 1", "regiao 1 0 1e39"), "Linha 7: «1e39» não é um número finito."},
        {"a decimal comma", troca("vetor 0 1 2 3", "vetor 0 1,5 2 3"), "Linha 5: use ponto decimal: 1.5."},
        {"a word for a number", troca("vetor 0 1 2 3", "vetor 0 um 2 3"), "Linha 5: «um» não é um número finito."},
        {"a hexadecimal number", troca("vetor 0 1 2 3", "vetor 0 0x10 2 3"), "Linha 5: «0x10» não é um número finito."},
        {"a count that is no integer", troca("vetores 2", "vetores 2.0"), "Linha 4: «2.0» não é um número inteiro."},
        {"too few values", troca("vetor 0 1 2 3", "vetor 0 1 2"), "Linha 5: «vetor» leva 4 valores, não 3."},
        {"an unknown word", troca(antesdofim, "cor azul\r\nfim\r\n"), "Linha 12: palavra desconhecida «cor»."},
        {"a record twice", troca("unidade graus", "unidade graus\r\nsistema esferico"), "Linha 4: «sistema» repetido."},
        {"a region coordinate 4", troca("regiao 3 0 1", "regiao 4 0 1"), "Linha 9: a região não tem coordenada 4"},
        {"the view out of its limits", troca("vista 1.0471666666666668", "vista 3"),
         "Linha 10: ângulos de vista fora dos limites."},
        {"text after the end", valido + "vetor 2 7 8 9\r\n", "Linha 13: texto depois de «fim»."},
        {"an accent where no name has one", troca("vetor 0", "vetôr 0"), "Linha 5: palavra desconhecida «vetôr»."},
        {"a character Windows-1252 lacks", troca("vetor 0", "vetor\xE2\x82\xAC 0"), "Linha 5: caractere inválido (código 130)."},
        {"a NUL byte", troca("vetor 0 1 2 3", std::string("vetor 0 1 2\0 3", 14)), "Linha 5: caractere inválido (código 0)."},
        {"a lone carriage return", troca("vetor 0 1 2 3\r\n", "vetor 0 1 2 3\rvetor 9\r\n"),
         "Linha 5: caractere inválido (código 13)."},
        {"a line too long", troca(antesdofim, "#" + std::string(300, 'x') + "\r\nfim\r\n"), "Linha 12: linha longa demais."},
    };
    for (auto &c : casos) {
        aplicatrabalho(trabalho(ESFERICO, RADIANOS, {{9, 8, 7}}, {1, 2, 3, 4, 5, 6}, GIRO_MIN, GIRO_MIN, ESCALA_MEDIA));
        SBPosy = 3;
        vet[1] = 42;
        vetores[0][7] = 77;  // a column beyond the count keeps what it held
        const Foto antes = foto();
        const fs::path arquivo = pasta / "ruim.orbix";
        escreve(arquivo, c.texto);
        wintest::MessageBoxLog log;
        abrepelomenu(arquivo.string());
        EXPECT_TRUE(foto() == antes) << c.nome << ": the state changed";
        ASSERT_EQ(log.calls().size(), 1u) << c.nome;
        const auto &m = log.calls()[0];
        EXPECT_EQ(m.text.rfind("Não foi possível abrir o trabalho\n" + arquivo.string() + "\n\n", 0), 0u) << m.text;
        EXPECT_NE(m.text.find(c.motivo), std::string::npos) << c.nome << " gave: " << m.text;
        EXPECT_EQ(m.caption, "Orbix");
        EXPECT_EQ(m.type, UINT(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(m.owner, hjan);
        EXPECT_EQ(pinturas(), 0) << c.nome;
    }
}

TEST_F(Trabalhos, FilesThatCannotBeReadAreRefusedToo) {
    fs::create_directory(pasta / "pasta.orbix");
    for (const fs::path &p : {pasta / "nao-existe.orbix", pasta / "pasta.orbix"}) {
        wintest::MessageBoxLog log;
        const Foto antes = foto();
        EXPECT_FALSE(abretrabalho(hjan, p.c_str()));
        EXPECT_TRUE(foto() == antes);
        ASSERT_EQ(log.calls().size(), 1u);
        EXPECT_NE(log.calls()[0].text.find(p.string() + "\n\nO arquivo não pode ser lido"), std::string::npos)
            << log.calls()[0].text;
    }
}

class TrabalhoNaAbertura : public Trabalhos {
protected:
    TrabalhoNaAbertura() { passaabertura = false; }
};

// Opened while the start-up picture is held: the picture stays, then gives way to the work.
TEST_F(TrabalhoNaAbertura, AWorkOpenedAtStartShowsAfterTheStartUpPicture) {
    std::string texto;
    ASSERT_TRUE(textotrabalho(trabalho(CARTESIANO, GRAUS, {{1, 2, 3}}), texto));
    escreve(pasta / "a.orbix", texto);
    ASSERT_TRUE(abretrabalho(hjan, (pasta / "a.orbix").c_str()));
    EXPECT_EQ(num, MODO_ABERTURA);
    EXPECT_NE(apoio::texto(pinta(), "Carregando"), nullptr);
    fimdaabertura();
    EXPECT_EQ(std::make_pair(num, numpt), std::make_pair(int(MODO_VETORES), 1));
}

}  // namespace
