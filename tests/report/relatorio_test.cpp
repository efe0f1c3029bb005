// The report saved through the menu command, with the save dialog answered by a driver: what the
// dialog is asked, and how a save that fails leaves everything. The records themselves, byte for
// byte, are the stored reports of the scenes.
#include "apoio/pasta.h"
#include "apoio/teste.h"
#include "report/relatorio.h"

#include <signal.h>
#include <string.h>
#include <sys/resource.h>

#include <fstream>
#include <set>

namespace {

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
    apoio::Pasta pasta;
    wintest::SaveDialogCall ultimo;
};

TEST_F(Relatorio, DialogProposesTheLastPathAndTheNameIsUsedAsTyped) {
    std::ofstream(pasta / "relatorio") << std::string(50000, 'x');
    reg[0][0] = -5, reg[2][1] = 7;  // no vectors: only the separator, whatever the region
    wintest::MessageBoxLog log;
    EXPECT_EQ(salva("relatorio"), 1);
    EXPECT_EQ(ultimo.filters,
              (std::vector<std::pair<std::string, std::string>>{
                  {"Arquivos de Dados (*.TXD)", "*.txd"}, {"Arquivos TXT (*.TXT)", "*.txt"}, {"Todos os Arquivos (*.*)", "*.*"}}));
    EXPECT_TRUE(ultimo.filterIndex == 1 && ultimo.initialPath.empty());
    // No question before replacing, no extension added, the system's own title; the path in 256
    // bytes, the name in 63.
    EXPECT_EQ(ultimo.flags, DWORD(OFN_HIDEREADONLY));
    EXPECT_EQ(ultimo.defExt + "|" + ultimo.title, "|");
    EXPECT_EQ(std::make_pair(ultimo.maxFile, ultimo.maxFileTitle), std::make_pair(DWORD(TAMCAMINHO), DWORD(63)));
    const std::string separador = "\r\n++++++++++\r\n";  // one record, replaced, no extension added
    EXPECT_EQ(le(pasta / "relatorio"), separador + std::string(TAMREGISTRO - separador.size(), ' '));
    apoio::guarda(CARTESIANO, GRAUS, {{1, 2, 3}});
    EXPECT_EQ(salva(""), 0);  // cancelled: nothing written, said or painted, proposal kept
    EXPECT_EQ(ultimo.initialPath, (pasta / "relatorio").string());
    salva("b.txd");
    EXPECT_EQ(ultimo.initialPath, (pasta / "relatorio").string());
    EXPECT_EQ(pasta.nomes(), (std::set<std::string>{"b.txd", "relatorio"}));
    EXPECT_TRUE(log.calls().empty());
}

// (That a folder in the file's place is left as it was is the safe save's, in tests/arquivo.)
TEST_F(Relatorio, FailuresAreReportedAndLeaveEverythingAsItWas) {
    apoio::guarda(CARTESIANO, GRAUS, std::vector<std::vector<float>>(MAXVETORES, {1, 2, 3}));
    const std::string antigo = "\r\nrelatório anterior\r\n" + std::string(3000, '#');
    std::ofstream(pasta / "antigo.txd") << antigo;
    struct rlimit antes, limite;
    getrlimit(RLIMIT_FSIZE, &antes);
    void (*sinal)(int) = signal(SIGXFSZ, SIG_IGN);
    for (const char *nome : {"nao/existe.txd", "antigo.txd"}) {
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
                    m.type == UINT(MB_OK))
            << nome;
    }
    signal(SIGXFSZ, sinal);
    EXPECT_EQ(le(pasta / "antigo.txd"), antigo);
    EXPECT_EQ(pasta.nomes(), std::set<std::string>{"antigo.txd"});
}

}  // namespace
