// Work files: what they hold, how they read back, and every kind of file that is refused. The
// files themselves are stored under tests/dados/trabalhos: the one the program writes, others a
// person may write in its place, and the refused ones with their reasons in recusas.txt.
#include "apoio/foto.h"
#include "apoio/pasta.h"
#include "apoio/teste.h"
#include "testing/stored.h"
#include "state/historico.h"
#include "trabalho/trabalho.h"

#include <float.h>
#include <math.h>
#include <string.h>

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using apoio::foto;
using apoio::le;

const fs::path DADOS = fs::path(ORBIX_DADOS) / "trabalhos";

bool iguais(const Trabalho &a, const Trabalho &b) { return memcmp(&a, &b, sizeof a) == 0; }

Trabalho trabalho(int sistema, int unidade, std::vector<std::vector<float>> vs, std::vector<float> regiao = {}, double ax = ANGULOX_INICIAL,
                  double az = ANGULOZ_INICIAL, int escala = ESCALA_VETORES) {
    Trabalho t;
    memset(&t, 0, sizeof t);
    t.sistema = sistema, t.unidade = unidade, t.quantos = int(vs.size());
    for (int i = 0; i < t.quantos; ++i)
        for (int e = 0; e < 3; ++e) t.vetores[e][i] = vs[size_t(i)][size_t(e)];
    regiao.resize(6);
    for (int k = 0; k < 6; ++k) t.regiao[k / 2][k % 2] = regiao[size_t(k)];
    t.angulox = ax, t.anguloz = az, t.escala = escala;
    return t;
}
const Trabalho ESCRITO = trabalho(CILINDRICO, RADIANOS, {{3, 0.1f, -2}, {1.0f / 3, 6.283f, -0.0f}}, {0, 5, 0, 3.1415f, -1, 4}, ANGULOX_MAX,
                                  GIRO_MIN, ESCALA_MEDIA);

std::vector<fs::path> arquivos(const fs::path &pasta) {
    std::vector<fs::path> out{fs::directory_iterator(pasta), fs::directory_iterator()};
    std::sort(out.begin(), out.end());
    return out;
}

class Trabalhos : public apoio::JanelaPrincipal {
protected:
    // The menu command with its file dialog answered by typed (empty: cancelled).
    template <class Dialogo>
    wintest::FileDialogCall pelomenu(int id, const std::string &typed) {
        Dialogo d;
        typed.empty() ? d.cancel() : d.answer(typed);
        if (id == IDM_ABRIRTRAB) marcasalvo();  // opening asks nothing here: the work counts as saved
        comando(id);
        bombeia();
        return d.calls.empty() ? wintest::FileDialogCall{} : d.calls.back();
    }
    auto salvapelomenu(const std::string &t) { return pelomenu<wintest::SaveDialogDriver>(IDM_SALVARCOMO, t); }
    auto abrepelomenu(const std::string &t) { return pelomenu<wintest::OpenDialogDriver>(IDM_ABRIRTRAB, t); }
    apoio::Pasta pasta;
};

TEST(FormatoDoTrabalho, WrittenAsStoredAndWhatAPersonMayWriteReadsAsIt) {
    std::string texto, erro;
    ASSERT_TRUE(textotrabalho(ESCRITO, texto));
    EXPECT_TRUE(wintest::MatchesStoredText((DADOS / "escrito.orbix").string(), texto));
    for (const fs::path &p : arquivos(DADOS / "aceitos")) {
        Trabalho lido;
        EXPECT_TRUE(letrabalho(le(p), lido, erro)) << p.filename() << ": " << erro;
        EXPECT_TRUE(iguais(lido, ESCRITO)) << p.filename();
    }
    // Every prefix is refused but for the last line end, which an editor may drop.
    Trabalho lido;
    for (size_t n = 0; n <= texto.size(); ++n)
        EXPECT_EQ(letrabalho(texto.substr(0, n), lido, erro), n + 2 >= texto.size()) << "cut after " << n << " bytes";
}

// What could not read back is not written: a value that is not finite, a count, a system, a unit
// or a scale out of range.
TEST(FormatoDoTrabalho, AWorkThatCouldNotReadBackIsNotWritten) {
    void (*estragos[])(Trabalho &) = {
        [](Trabalho &t) { t.vetores[2][1] = NAN; }, [](Trabalho &t) { t.regiao[2][1] = -INFINITY; },
        [](Trabalho &t) { t.angulox = NAN; },       [](Trabalho &t) { t.anguloz = INFINITY; },
        [](Trabalho &t) { t.quantos = 16; },        [](Trabalho &t) { t.quantos = -1; },
        [](Trabalho &t) { t.sistema = 0; },         [](Trabalho &t) { t.unidade = 0; },
        [](Trabalho &t) { t.escala = 7; },
    };
    for (auto estraga : estragos) {
        Trabalho t = ESCRITO;
        estraga(t);
        std::string texto = "antes";
        EXPECT_FALSE(textotrabalho(t, texto));
        EXPECT_EQ(texto, "");
    }
}

// Saved through the menu, opened through the menu: the same state bit for bit, the same bytes.
TEST_F(Trabalhos, RoundTripsKeepEveryBitAndEveryByte) {
    std::vector<std::vector<float>> quinze;
    for (int i = 0; i < MAXVETORES; ++i) quinze.push_back({float(i) * 1.1f, -float(i) / 7, float(i * i) + 0.25f});
    const float sub = std::numeric_limits<float>::denorm_min();
    const Trabalho casos[] = {
        trabalho(CARTESIANO, GRAUS, {}),
        trabalho(ESFERICO, GRAUS, quinze, {0, 10, 0, 180, 0, 360}, GIRO_MIN, ANGULOZ_MAX, ESCALA_NENHUMA),
        trabalho(CARTESIANO, RADIANOS, {{FLT_MAX, -FLT_MAX, FLT_MIN}, {sub, -sub, -0.0f}, {1.0f / 3, 0.1f, 16777217.0f}},
                 {-FLT_MAX, FLT_MAX, 1e-30f, 1e30f, -0.0f, 0}),
    };
    const fs::path arquivo = pasta / "aula.orbix";
    for (auto &t : casos) {
        aplicatrabalho(t);
        salvapelomenu(arquivo.string());
        const std::string bytes = le(arquivo);
        // Anything else in between: another work, another view, other columns.
        aplicatrabalho(trabalho(ESFERICO, RADIANOS, quinze, {9, 9, 9, 9, 9, 9}, GIRO_MIN, GIRO_MIN, ESCALA_MEDIA));
        comando(IDM_ANGULO);
        abrepelomenu(arquivo.string());
        EXPECT_TRUE(iguais(trabalhoatual(), t)) << bytes;
        for (int i = t.quantos; i < MAXVETORES; ++i) EXPECT_TRUE(!vetores[0][i] && !vetores[1][i] && !vetores[2][i]) << i;
        EXPECT_EQ(num, MODO_VETORES);
        fs::remove(arquivo);
        salvapelomenu(arquivo.string());
        EXPECT_EQ(le(arquivo), bytes);
    }
}

TEST_F(Trabalhos, TheDialogsListWorkFilesProposeTheLastOneAndAddTheExtension) {
    apoio::guarda(CARTESIANO, GRAUS, {{1, 2, 3}});
    wintest::MessageBoxLog log;
    auto c = salvapelomenu((pasta / "aula").string());
    const std::vector<std::pair<std::string, std::string>> filtros = {{"Trabalhos do Orbix (*.orbix)", "*.orbix"},
                                                                      {"Todos os Arquivos (*.*)", "*.*"}};
    EXPECT_EQ(std::tuple(c.filters, c.filterIndex, c.initialPath, c.defExt), std::tuple(filtros, 1u, "", "orbix"));
    EXPECT_TRUE(c.flags & OFN_OVERWRITEPROMPT) << "a work is never replaced without asking";
    EXPECT_EQ(salvapelomenu((pasta / "copia.txt").string()).initialPath, (pasta / "aula.orbix").string());
    EXPECT_EQ(pasta.nomes(), (std::set<std::string>{"aula.orbix", "copia.txt"})) << "an extension of its own is kept";
    c = abrepelomenu("");
    EXPECT_EQ(std::tuple(c.filters, c.initialPath), std::tuple(filtros, (pasta / "copia.txt").string()));
    EXPECT_TRUE(c.flags & OFN_FILEMUSTEXIST);
    EXPECT_EQ(salvapelomenu("").initialPath, (pasta / "copia.txt").string()) << "a cancel changes nothing";
    fs::copy_file(pasta / "aula.orbix", pasta / "outra.orbix");
    abrepelomenu((pasta / "outra.orbix").string());
    EXPECT_EQ(salvapelomenu("").initialPath, (pasta / "outra.orbix").string()) << "the work opened is the one proposed";

    const fs::path longe = pasta / "nao" / "existe.orbix";
    salvapelomenu(longe.string());
    ASSERT_EQ(log.calls().size(), 1u) << "the only message, for the only save that failed";
    EXPECT_EQ(std::tuple(log.calls()[0].text, log.calls()[0].caption, log.calls()[0].owner),
              std::tuple(longe.string() + "\n\nA pasta não existe.", "Não pode salvar o Arquivo", hjan));
    EXPECT_EQ(std::string(ultimotrabalho()), (pasta / "outra.orbix").string()) << "a failed save is not the last work";
}

// Names as the desktop spells them (UTF-8): accents reach the program (in Windows-1252), its title
// and the disk whole; a character Windows-1252 lacks is refused, never saved under another name; a
// save that fails says why.
TEST_F(Trabalhos, NamesWithAccentsAndNamesThatCannotBeUsed) {
    auto daarea = [](const char8_t *s) { return std::string(reinterpret_cast<const char *>(s)); };
    apoio::guarda(CARTESIANO, GRAUS, {{1, 2, 3}});
    salvapelomenu((pasta / daarea(u8"Exercício")).string());
    EXPECT_EQ(pasta.nomes(), std::set<std::string>{daarea(u8"Exercício.orbix")});
    EXPECT_EQ(std::string(ultimotrabalho()), pasta.caminho().string() + "/Exercício.orbix");
    EXPECT_EQ(wintest::WindowText(hjan), "Exercício.orbix - Álgebra Vetorial");
    numpt = 0;
    abrepelomenu((pasta / daarea(u8"Exercício.orbix")).string());
    EXPECT_EQ(numpt, 1);
    const std::string longo = (pasta / std::string(300, 'n')).string() + ".orbix";
    // clang-format off
    const struct { std::string escolhido, texto; } recusas[] = {
        {(pasta / daarea(u8"boneco \u2603")).string(), "O nome escolhido tem caracteres que o programa não aceita (no lugar de cada um, \"?\"):\n" +
                                                       pasta.caminho().string() + "/boneco ?.orbix"},
        {longo, longo + "\n\nO nome é longo demais."},
    };
    // clang-format on
    for (const auto &r : recusas) {
        wintest::MessageBoxLog log;
        salvapelomenu(r.escolhido);
        EXPECT_EQ(log.texts(), std::vector<std::string>{r.texto});
    }
    EXPECT_EQ(pasta.nomes(), std::set<std::string>{daarea(u8"Exercício.orbix")});
}

// Every kind of bad file, each refused with one message that names it and says why, and nothing
// of the program changed; the reasons, file by file, as stored.
TEST_F(Trabalhos, BadFilesAreRefusedWithTheirReasonAndChangeNothing) {
    std::vector<fs::path> ruins = arquivos(DADOS / "recusados");
    std::string grande;
    ASSERT_TRUE(textotrabalho(ESCRITO, grande));
    apoio::escreve(pasta / "maior-que-64-KiB.orbix", grande + std::string(65536, '#'));
    fs::create_directory(pasta / "pasta.orbix");
    for (const char *n : {"maior-que-64-KiB.orbix", "pasta.orbix", "nao-existe.orbix", "com-?-no-nome.orbix"}) ruins.push_back(pasta / n);
    std::string motivos;
    for (const fs::path &p : ruins) {
        aplicatrabalho(trabalho(ESFERICO, RADIANOS, {{9, 8, 7}}, {1, 2, 3, 4, 5, 6}, GIRO_MIN, GIRO_MIN, ESCALA_MEDIA));
        SBPosy = 3, vet[1] = 42, vetores[0][7] = 77;  // a column beyond the count keeps what it held
        const std::string antes = foto();
        wintest::MessageBoxLog log;
        EXPECT_FALSE(abretrabalho(hjan, p.c_str())) << p.filename();
        EXPECT_TRUE(foto() == antes) << p.filename() << ": the state changed";
        EXPECT_EQ(pinturas(), 0) << p.filename();
        ASSERT_EQ(log.calls().size(), 1u) << p.filename();
        const auto &m = log.calls()[0];
        EXPECT_EQ(std::tuple(m.caption, m.type, m.owner), std::tuple("Orbix", UINT(MB_OK | MB_ICONEXCLAMATION), hjan));
        const std::string comeco = "Não foi possível abrir o trabalho\n" + p.string() + "\n\n";
        EXPECT_EQ(m.text.substr(0, comeco.size()), comeco);
        motivos += p.filename().string() + ": " + m.text.substr(std::min(comeco.size(), m.text.size())) + "\n";
    }
    EXPECT_TRUE(wintest::MatchesStoredText((DADOS / "recusas.txt").string(), motivos));
}

class TrabalhoNaAbertura : public Trabalhos {
protected:
    TrabalhoNaAbertura() { passaabertura = false; }
};

// Opened while the start-up picture is held: the picture stays, then gives way to the work.
TEST_F(TrabalhoNaAbertura, AWorkOpenedAtStartShowsAfterTheStartUpPicture) {
    ASSERT_TRUE(abretrabalho(hjan, (DADOS / "escrito.orbix").c_str()));
    EXPECT_EQ(num, MODO_ABERTURA);
    EXPECT_EQ(apoio::textos(pinta()), std::vector<std::string>{"Carregando o ORBIX..."});
    wintest::FireTimer(hjan, ID_ABERTURA);
    EXPECT_EQ(pinturas(), 1);
    EXPECT_EQ(std::make_pair(num, numpt), std::make_pair(int(MODO_VETORES), 2));
}

}  // namespace
