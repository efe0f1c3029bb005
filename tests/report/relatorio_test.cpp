// The report saved through the menu command with the save dialog answered by a driver, then
// read back byte for byte.
#include "apoio/janela.h"
#include "apoio/pasta.h"
#include "draw/listagem.h"
#include "report/relatorio.h"

#include <signal.h>
#include <string.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace {

namespace fs = std::filesystem;

std::string registro(const std::string &texto) {
    std::string r = texto.substr(0, TAMREGISTRO);
    r.resize(TAMREGISTRO, ' ');
    return r;
}

using apoio::le;

class Relatorio : public apoio::JanelaPrincipal {
protected:
    // Chooses the command, answering the save dialog with pasta/nome (empty: cancel); returns
    // the number of paints that followed.
    int salva(const std::string &nome) {
        wintest::SaveDialogDriver save;
        nome.empty() ? save.cancel() : save.answer((pasta / nome).string());
        wintest::ChooseMenuItem(hjan, IDM_SALVAR);
        const int n = pinturas();
        if (!save.calls.empty()) ultimo = save.calls.back();
        return n;
    }
    std::set<std::string> nomes() const { return pasta.nomes(); }
    apoio::Pasta pasta;
    wintest::SaveDialogCall ultimo;
};

// The records are the lines the listings draw; units converted as there, tables left alone.
TEST_F(Relatorio, RecordsAreTheListingLinesInEveryUnit) {
    struct { int n, sistema, unidade; float v0[3], phi[2]; const char *vetor, *regiao; } casos[] = {
        {1, CARTESIANO, GRAUS, {1, 2, 3}, {0, 0}, "V(0) =  1.00a_x +  2.00a_y +  3.00a_z", " 0.00 < y <  0.00"},
        {2, CILINDRICO, GRAUS, {5, 90, -2}, {0, 90}, "V(0) =  5.00a_r +  1.57a_phi-2.00a_z", " 0.00 < phi < 90.00"},
        {5, CILINDRICO, RADIANOS, {5, 1.5f, 2}, {0, 3.1415f}, "V(0) =  5.00a_r +  1.50a_phi +  2.00a_z", " 0.00 < phi < 180.00"},
        {15, ESFERICO, GRAUS, {1, 180, 90}, {0, 180}, "V(0) =  1.00a_r +  3.14a_theta +  1.57a_phi", " 0.00 < theta < 180.00"},
    };
    for (auto &c : casos) {
        // V(1) is null ("indefinido"); V(3) gives a line longer than its record.
        std::vector<std::vector<float>> vs = {{c.v0[0], c.v0[1], c.v0[2]}, {0, 0, 0}, {2, -60, 1}, {-3.4e38f, -3.4e38f, -3.4e38f}};
        for (int i = 4; i < c.n; ++i) vs.push_back({float(i), -30.0f * i, 0.5f * i});
        vs.resize(size_t(c.n));
        apoio::guarda(c.sistema, c.unidade, vs);
        reg[1][0] = c.phi[0], reg[1][1] = c.phi[1];
        float v[3][MAXVETORES], r[3][2];
        memcpy(v, vetores, sizeof v), memcpy(r, reg, sizeof r);
        salva("r.txd");
        const std::string arquivo = le(pasta / "r.txd");
        EXPECT_EQ(arquivo.size(), size_t(9 + 2 * c.n + 3 * c.n * (c.n + 1) / 2) * TAMREGISTRO) << c.n;
        EXPECT_EQ(arquivo.substr(100, 100), registro(std::string("\r\n") + c.vetor + "\r\n")) << c.n;
        EXPECT_EQ(arquivo.substr(100 * (c.n + 3), 100), registro(std::string("\r\n") + c.regiao + "\r\n")) << c.n;
        EXPECT_TRUE(c.n < 5 || arquivo[499] != ' ') << c.n;
        EXPECT_TRUE(memcmp(v, vetores, sizeof v) == 0 && memcmp(r, reg, sizeof r) == 0) << c.n;
        std::string esperado;
        const std::pair<int, const char *> partes[] = {{MODO_LISTAGEM, ""}, {0, "++++++++++\r\n"}, {MODO_ANGULOS, ""},
            {MODO_MODULOS, ""}, {0, "Produtos Escalares"}, {MODO_ESCALARES, ""}, {0, "Produtos Vetoriais"},
            {MODO_VETORIAIS, ""}, {0, "++++++++++\r\n"}};
        for (auto [modo, t] : partes) {
            wintest::GdiRecorder rec;
            HDC dc = CreateCompatibleDC(nullptr);
            modo ? display(dc, modo) : void(esperado += registro(std::string("\r\n") + t));
            DeleteDC(dc);
            for (auto &s : apoio::textos(rec.calls())) esperado += registro("\r\n" + s + (modo == MODO_MODULOS ? "" : "\r\n"));
        }
        EXPECT_EQ(arquivo, esperado) << c.n;
    }
}

// The headers of the report name the system, in their own records.
TEST_F(Relatorio, HeadersNameTheSystem) {
    const struct {
        int sistema;
        const char *vetores, *regiao;
    } casos[] = {
        {CARTESIANO, "\r\nVetores em Coordenadas Cartesianas:\r\n", "\r\nRegião em Coordenadas Cartesianas:\r\n"},
        {CILINDRICO, "\r\nVetores em Coordenadas Cilíndricas:\r\n",
         "\r\nRegião em Coordenadas Cilíndricas (ângulos em graus):\r\n"},
        {ESFERICO, "\r\nVetores em Coordenadas Esféricas:\r\n",
         "\r\nRegião em Coordenadas Esféricas (ângulos em graus):\r\n"},
    };
    for (auto &c : casos) {
        apoio::guarda(c.sistema, GRAUS, {{1, 2, 3}});
        salva("r.txd");
        const std::string arquivo = le(pasta / "r.txd");
        EXPECT_EQ(arquivo.substr(0, 100), registro(c.vetores)) << c.sistema;
        EXPECT_EQ(arquivo.substr(200, 100), registro(c.regiao)) << c.sistema;
        EXPECT_EQ(arquivo.substr(600, 100), registro("\r\n++++++++++\r\n")) << c.sistema;
    }
}

TEST_F(Relatorio, DialogProposesTheLastPathAndTheNameIsUsedAsTyped) {
    std::ofstream(pasta / "relatorio") << std::string(50000, 'x');
    reg[0][0] = -5, reg[2][1] = 7;  // no vectors: only the separator, whatever the region
    wintest::MessageBoxLog log;
    EXPECT_EQ(salva("relatorio"), 1);
    EXPECT_EQ(ultimo.filters, (std::vector<std::pair<std::string, std::string>>{
        {"Arquivos de Dados (*.TXD)", "*.txd"}, {"Arquivos TXT (*.TXT)", "*.txt"}, {"Todos os Arquivos (*.*)", "*.*"}}));
    EXPECT_TRUE(ultimo.filterIndex == 1 && ultimo.initialPath.empty());
    // No question before replacing, no extension added, the system's own title; the path in 256
    // bytes, the name in 63.
    EXPECT_EQ(ultimo.flags, DWORD(OFN_HIDEREADONLY));
    EXPECT_EQ(ultimo.defExt + "|" + ultimo.title, "|");
    EXPECT_EQ(std::make_pair(ultimo.maxFile, ultimo.maxFileTitle), std::make_pair(DWORD(TAMCAMINHO), DWORD(63)));
    EXPECT_EQ(le(pasta / "relatorio"), registro("\r\n++++++++++\r\n"));  // replaced, no extension added
    apoio::guarda(CARTESIANO, GRAUS, {{1, 2, 3}});
    EXPECT_EQ(salva(""), 0);  // cancelled: nothing written, said or painted, proposal kept
    EXPECT_EQ(ultimo.initialPath, (pasta / "relatorio").string());
    salva("b.txd");
    EXPECT_EQ(ultimo.initialPath, (pasta / "relatorio").string());
    EXPECT_EQ(nomes(), (std::set<std::string>{"b.txd", "relatorio"}));
    EXPECT_TRUE(log.calls().empty());
}

TEST_F(Relatorio, FailuresAreReportedAndLeaveEverythingAsItWas) {
    apoio::guarda(CARTESIANO, GRAUS, std::vector<std::vector<float>>(MAXVETORES, {1, 2, 3}));
    const std::string antigo = "\r\nrelatório anterior\r\n" + std::string(3000, '#');
    std::ofstream(pasta / "antigo.txd") << antigo;
    fs::create_directory(pasta / "pasta.txd");  // an empty folder a careless replacement would delete
    struct rlimit antes, limite;
    getrlimit(RLIMIT_FSIZE, &antes);
    void (*sinal)(int) = signal(SIGXFSZ, SIG_IGN);
    for (const char *nome : {"nao/existe.txd", "antigo.txd", "pasta.txd"}) {
        limite = antes;
        if (!strcmp(nome, "antigo.txd")) limite.rlim_cur = 1000;  // writing fails part-way, as on a full disk
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
        wintest::MessageBoxLog log;
        const int pinturas = salva(nome);
        setrlimit(RLIMIT_FSIZE, &antes);
        EXPECT_EQ(pinturas, 0) << nome;
        ASSERT_EQ(log.calls().size(), 1u) << nome;
        auto &m = log.calls()[0];
        EXPECT_TRUE(m.owner == hjan && m.text == (pasta / nome).string() && m.caption == "Não pode salvar o Arquivo" &&
                    m.type == UINT(MB_OK)) << nome;
    }
    signal(SIGXFSZ, sinal);
    EXPECT_EQ(le(pasta / "antigo.txd"), antigo);
    EXPECT_EQ(nomes(), (std::set<std::string>{"antigo.txd", "pasta.txd"}));
    EXPECT_TRUE(fs::is_directory(pasta / "pasta.txd"));
}

}  // namespace
