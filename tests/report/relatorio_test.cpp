// The report: saved through the menu command with the save dialog answered by a driver, then
// read back byte for byte.
#include <gtest/gtest.h>

#include "draw/listagem.h"
#include "draw/tela.h"
#include "report/relatorio.h"
#include "resource.h"
#include "state/estado.h"
#include "testing/wintest.h"
#include "window/janela.h"

#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using wintest::GdiCall;

std::string registro(const std::string &texto) {
    std::string r = texto.substr(0, TAMREGISTRO);
    r.resize(TAMREGISTRO, ' ');
    return r;
}

std::string le(const fs::path &p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

void escreve(const fs::path &p, const std::string &bytes) {
    std::ofstream f(p, std::ios::binary);
    f << bytes;
}

// The record's text without its line ends and filler.
std::string miolo(std::string r) {
    while (!r.empty() && r.back() == ' ') r.pop_back();
    if (r.rfind("\r\n", 0) == 0) r.erase(0, 2);
    if (r.size() >= 2 && r.compare(r.size() - 2, 2, "\r\n") == 0) r.resize(r.size() - 2);
    return r;
}

std::vector<std::string> registros(const std::string &arquivo) {
    std::vector<std::string> out;
    for (size_t p = 0; p + TAMREGISTRO <= arquivo.size(); p += TAMREGISTRO) out.push_back(arquivo.substr(p, TAMREGISTRO));
    return out;
}

class Relatorio : public ::testing::Test {
protected:
    void SetUp() override {
        reiniciaestado();
        static ATOM atom = registraclasse(wintest::Instance());
        ASSERT_NE(atom, 0);
        {
            wintest::GdiRecorder rec;  // the start-up paints are not this test's business
            hjan = criajanela(wintest::Instance(), SW_SHOWNORMAL);
            ASSERT_NE(hjan, nullptr);
            wintest::FireTimer(hjan, ID_ABERTURA);
            wintest::Pump();
        }
        char modelo[] = "/tmp/orbix-relatorio-XXXXXX";
        ASSERT_NE(mkdtemp(modelo), nullptr);
        pasta = modelo;
    }
    void TearDown() override {
        if (IsWindow(hjan)) DestroyWindow(hjan);
        wintest::Pump();
        wintest::TakeQuit();
        reiniciaestado();
        std::error_code ec;
        fs::remove_all(pasta, ec);
    }
    static void poe(int i, float a, float b, float c) {
        vetores[0][i] = a;
        vetores[1][i] = b;
        vetores[2][i] = c;
        if (numpt < i + 1) numpt = i + 1;
    }
    // Chooses the command as a person would, answering the save dialog with `caminho` (or
    // cancelling it when empty). Returns the number of paints that followed.
    int salva(const std::string &caminho) {
        wintest::SaveDialogDriver save;
        if (caminho.empty())
            save.cancel();
        else
            save.answer(caminho);
        wintest::GdiRecorder rec;
        wintest::ChooseMenuItem(hjan, IDM_SALVAR);
        wintest::Pump();
        EXPECT_EQ(save.calls.size(), 1u);
        if (!save.calls.empty()) ultimo = save.calls.back();
        int pinturas = 0;
        for (auto &c : rec.calls()) pinturas += c.op == GdiCall::SelectFont;
        return pinturas;
    }
    std::vector<std::string> arquivosnapasta() const {
        std::vector<std::string> out;
        for (auto &e : fs::directory_iterator(pasta)) out.push_back(e.path().filename().string());
        return out;
    }
    // The texts a listing mode draws.
    static std::vector<std::string> listagem(int modo) {
        HDC dc = CreateCompatibleDC(nullptr);
        wintest::GdiRecorder rec;
        display(dc, modo);
        DeleteDC(dc);
        std::vector<std::string> out;
        for (auto &c : rec.calls())
            if (c.op == GdiCall::TextOut) out.push_back(c.text);
        return out;
    }
    HWND hjan = nullptr;
    fs::path pasta;
    wintest::SaveDialogCall ultimo;
};

// ---------------------------------------------------------------- contents

TEST_F(Relatorio, WithoutVectorsOnlyTheSeparatorWhateverTheRegion) {
    reg[0][0] = -5;
    reg[2][1] = 7;
    const fs::path p = pasta / "vazio.txd";
    wintest::MessageBoxLog log;
    EXPECT_EQ(salva(p.string()), 1);
    EXPECT_EQ(le(p), "\r\n++++++++++\r\n" + std::string(86, ' '));
    EXPECT_TRUE(log.calls().empty());
}

TEST_F(Relatorio, OneCartesianVectorRecordByRecord) {
    poe(0, 1, 2, 3);
    const fs::path p = pasta / "um.txd";
    salva(p.string());
    const char *textos[] = {
        "\r\nVetores em Coordenadas Cartesianas:\r\n",
        "\r\nV(0) =  1.00a_x +  2.00a_y +  3.00a_z\r\n",
        "\r\nRegião em Coordenadas Cartesianas:\r\n",
        "\r\n 0.00 < x <  0.00\r\n",
        "\r\n 0.00 < y <  0.00\r\n",
        "\r\n 0.00 < z <  0.00\r\n",
        "\r\n++++++++++\r\n",
        "\r\nÂngulo entre: V(0) e V(0) =  0.00\r\n",
        "\r\nMódulo de V(0) -> |V(0)| =  3.74",
        "\r\nProdutos Escalares",
        "\r\nV(0).V(0) = 14.00\r\n",
        "\r\nProdutos Vetoriais",
        "\r\nV(0) X V(0) =  0.00a_x +  0.00a_y +  0.00a_z\r\n",
        "\r\n++++++++++\r\n",
    };
    std::string esperado;
    for (const char *t : textos) esperado += registro(t);
    const std::string arquivo = le(p);
    EXPECT_EQ(arquivo.size(), 1400u);
    EXPECT_EQ(arquivo, esperado);
    // One byte per accented letter: the vector record's text is 41 bytes, the region header 38.
    EXPECT_EQ(arquivo.substr(100 + 41, 59), std::string(59, ' '));
    EXPECT_EQ(arquivo.substr(200 + 38, 62), std::string(62, ' '));
}

TEST_F(Relatorio, RecordCountGrowsWithThePairs) {
    for (int n : {1, 2, 5, 15}) {
        reiniciaestado();
        for (int i = 0; i < n; ++i) poe(i, float(i + 1), float(-i), 0.5f * float(i));
        const fs::path p = pasta / ("n" + std::to_string(n));
        salva(p.string());
        const size_t esperados = size_t(9 + 2 * n + 3 * n * (n + 1) / 2);
        EXPECT_EQ(le(p).size(), esperados * TAMREGISTRO) << n;
    }
    EXPECT_EQ(fs::file_size(pasta / "n15"), 39900u);
}

TEST_F(Relatorio, RecordsSayWhatTheListingsShow) {
    Scoord = CILINDRICO;
    Medgrau = GRAUS;
    poe(0, 5, 90, 2);
    poe(1, 1, -30, -4);
    poe(2, 0, 0, 0);
    poe(3, 2.5f, 400, 1e19f);
    reg[0][1] = 3;
    reg[1][0] = 45;
    reg[1][1] = 270;
    const fs::path p = pasta / "compara.txd";
    salva(p.string());
    std::vector<std::string> rs = registros(le(p));
    const int n = 4, pares = n * (n + 1) / 2;
    ASSERT_EQ(rs.size(), size_t(9 + 2 * n + 3 * pares));

    std::vector<std::string> esperado;
    for (auto &t : listagem(MODO_LISTAGEM)) esperado.push_back(t);  // vectors, region
    esperado.push_back("++++++++++");
    for (auto &t : listagem(MODO_ANGULOS)) esperado.push_back(t);
    for (auto &t : listagem(MODO_MODULOS)) esperado.push_back(t);
    esperado.push_back("Produtos Escalares");
    for (auto &t : listagem(MODO_ESCALARES)) esperado.push_back(t);
    esperado.push_back("Produtos Vetoriais");
    for (auto &t : listagem(MODO_VETORIAIS)) esperado.push_back(t);
    esperado.push_back("++++++++++");
    ASSERT_EQ(esperado.size(), rs.size());
    for (size_t k = 0; k < rs.size(); ++k) EXPECT_EQ(miolo(rs[k]), esperado[k]) << "record " << k;
}

TEST_F(Relatorio, UnitsAsTheListingWithTheTablesLeftAlone) {
    struct Row {
        const char *nome;
        int sistema, unidade;
        float v[3], phi[2];
        const char *vetor, *regiao;
    } rows[] = {
        {"cylindrical degrees", CILINDRICO, GRAUS, {5, 90, -2}, {0, 90},
         "\r\nV(0) =  5.00a_r +  1.57a_phi-2.00a_z\r\n", "\r\n 0.00 < phi < 90.00\r\n"},
        {"cylindrical radians", CILINDRICO, RADIANOS, {5, 1.5f, 2}, {0, 3.1415f},
         "\r\nV(0) =  5.00a_r +  1.50a_phi +  2.00a_z\r\n", "\r\n 0.00 < phi < 180.00\r\n"},
        {"spherical degrees", ESFERICO, GRAUS, {1, 180, 90}, {0, 180},
         "\r\nV(0) =  1.00a_r +  3.14a_theta +  1.57a_phi\r\n", "\r\n 0.00 < theta < 180.00\r\n"},
    };
    for (auto &r : rows) {
        reiniciaestado();
        Scoord = r.sistema;
        Medgrau = r.unidade;
        poe(0, r.v[0], r.v[1], r.v[2]);
        reg[1][0] = r.phi[0];
        reg[1][1] = r.phi[1];
        float antesv[3][MAXVETORES], antesr[3][2];
        memcpy(antesv, vetores, sizeof vetores);
        memcpy(antesr, reg, sizeof reg);
        const fs::path p = pasta / "unidades.txd";
        salva(p.string());
        auto rs = registros(le(p));
        ASSERT_EQ(rs.size(), 14u) << r.nome;
        EXPECT_EQ(rs[1], registro(r.vetor)) << r.nome;
        EXPECT_EQ(rs[4], registro(r.regiao)) << r.nome;
        EXPECT_EQ(memcmp(antesv, vetores, sizeof vetores), 0) << r.nome;
        EXPECT_EQ(memcmp(antesr, reg, sizeof reg), 0) << r.nome;
    }
}

TEST_F(Relatorio, NullVectorAngleIsUndefined) {
    poe(0, 1, 0, 0);
    poe(1, 0, 0, 0);
    const fs::path p = pasta / "nulo.txd";
    salva(p.string());
    auto rs = registros(le(p));
    ASSERT_EQ(rs.size(), 9u + 4 + 9);
    EXPECT_EQ(rs[8], registro("\r\nÂngulo entre: V(0) e V(0) =  0.00\r\n"));
    EXPECT_EQ(rs[9], registro("\r\nÂngulo entre: V(0) e V(1) = indefinido\r\n"));
    EXPECT_EQ(rs[10], registro("\r\nÂngulo entre: V(1) e V(1) = indefinido\r\n"));
}

TEST_F(Relatorio, LongTextsAreCutAtTheRecordSize) {
    const float grande = -3.4e38f;
    poe(0, grande, grande, grande);
    const fs::path p = pasta / "grande.txd";
    salva(p.string());
    const std::string arquivo = le(p);
    ASSERT_EQ(arquivo.size(), 1400u);
    char linha[400];
    linhavetor(linha, sizeof linha, 0);
    // The vector record: CR LF and the first 98 bytes of the line, no filler, no line end.
    EXPECT_EQ(arquivo.substr(100, 100), ("\r\n" + std::string(linha)).substr(0, 100));
    EXPECT_EQ(arquivo.substr(600, 100), registro("\r\n++++++++++\r\n"));
}

// ---------------------------------------------------------------- the dialog and the file

TEST_F(Relatorio, DialogOffersTheThreeFiltersAndProposesTheLastPath) {
    const fs::path primeiro = pasta / "primeiro.txd";
    salva(primeiro.string());
    EXPECT_EQ(ultimo.filters, (std::vector<std::pair<std::string, std::string>>{
                                  {"Arquivos de Dados (*.TXD)", "*.txd"},
                                  {"Arquivos TXT (*.TXT)", "*.txt"},
                                  {"Todos os Arquivos (*.*)", "*.*"},
                              }));
    EXPECT_EQ(ultimo.filterIndex, 1u);
    EXPECT_EQ(ultimo.initialPath, "");
    EXPECT_EQ(fname.Flags, DWORD(OFN_HIDEREADONLY));
    EXPECT_EQ(fname.hwndOwner, hjan);
    EXPECT_EQ(fname.lpstrDefExt, nullptr);
    EXPECT_EQ(fname.lpstrFile, fn);

    salva((pasta / "segundo.txd").string());
    EXPECT_EQ(ultimo.initialPath, primeiro.string());
    // A cancelled dialog leaves the proposal as it was.
    salva("");
    salva((pasta / "terceiro.txd").string());
    EXPECT_EQ(ultimo.initialPath, (pasta / "segundo.txd").string());
}

TEST_F(Relatorio, NameIsUsedExactlyAsTypedAndAnExistingFileIsReplaced) {
    const fs::path semextensao = pasta / "relatorio";
    escreve(semextensao, std::string(50000, 'x'));
    wintest::MessageBoxLog log;
    EXPECT_EQ(salva(semextensao.string()), 1);
    EXPECT_EQ(le(semextensao), registro("\r\n++++++++++\r\n"));
    EXPECT_EQ(arquivosnapasta(), std::vector<std::string>{"relatorio"});  // no extension, no leftovers
    EXPECT_TRUE(log.calls().empty());
}

TEST_F(Relatorio, CancelledDialogWritesAndSaysNothing) {
    poe(0, 1, 2, 3);
    wintest::MessageBoxLog log;
    EXPECT_EQ(salva(""), 0);
    EXPECT_TRUE(arquivosnapasta().empty());
    EXPECT_TRUE(log.calls().empty());
}

// ---------------------------------------------------------------- failures

TEST_F(Relatorio, FolderThatDoesNotExistIsReported) {
    poe(0, 1, 2, 3);
    const std::string p = (pasta / "nao" / "existe.txd").string();
    wintest::MessageBoxLog log;
    EXPECT_EQ(salva(p), 0);
    ASSERT_EQ(log.calls().size(), 1u);
    EXPECT_EQ(log.calls()[0].owner, hjan);
    EXPECT_EQ(log.calls()[0].text, p);
    EXPECT_EQ(log.calls()[0].caption, "Não pode salvar o Arquivo");
    EXPECT_EQ(log.calls()[0].type, UINT(MB_OK));
    EXPECT_TRUE(arquivosnapasta().empty());
}

TEST_F(Relatorio, FailedWriteKeepsTheOldReportAndLeavesNothingBehind) {
    for (int i = 0; i < MAXVETORES; ++i) poe(i, float(i), 2, 3);
    const fs::path p = pasta / "antigo.txd";
    const std::string antigo = "\r\nrelatório anterior\r\n" + std::string(3000, '#');
    escreve(p, antigo);

    // The file-size limit makes the writing fail part-way, as a full disk would.
    struct rlimit antes;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    void (*sinal)(int) = signal(SIGXFSZ, SIG_IGN);
    struct rlimit limite = antes;
    limite.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    wintest::MessageBoxLog log;
    const int pinturas = salva(p.string());
    setrlimit(RLIMIT_FSIZE, &antes);
    signal(SIGXFSZ, sinal);

    EXPECT_EQ(pinturas, 0);
    ASSERT_EQ(log.calls().size(), 1u);
    EXPECT_EQ(log.calls()[0].text, p.string());
    EXPECT_EQ(log.calls()[0].caption, "Não pode salvar o Arquivo");
    EXPECT_EQ(le(p), antigo);
    EXPECT_EQ(arquivosnapasta(), std::vector<std::string>{"antigo.txd"});
}

// An empty folder, which a careless replacement could delete.
TEST_F(Relatorio, FolderInPlaceOfTheFileIsReportedAndKept) {
    const fs::path p = pasta / "pasta.txd";
    fs::create_directory(p);
    wintest::MessageBoxLog log;
    EXPECT_EQ(salva(p.string()), 0);
    ASSERT_EQ(log.calls().size(), 1u);
    EXPECT_EQ(log.calls()[0].text, p.string());
    EXPECT_TRUE(fs::is_directory(p));
    EXPECT_EQ(arquivosnapasta(), std::vector<std::string>{"pasta.txd"});
}

}  // namespace
