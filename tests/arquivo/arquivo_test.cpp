// Saving without loss and reading whole files, on real files in a scratch folder.
#include <gtest/gtest.h>

#include "apoio/pasta.h"
#include "arquivo/arquivo.h"

#include <dlfcn.h>
#include <pwd.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// What reached the disk, in order: every fsync and rename of this program is seen here first.
static std::vector<std::string> *diario = nullptr;

static std::string nomedofd(int fd) {
    char link[64], alvo[4096];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t n = readlink(link, alvo, sizeof alvo - 1);
    return n > 0 ? fs::path(std::string(alvo, size_t(n))).filename().string() : "?";
}

extern "C" int fsync(int fd) {
    static auto real = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    if (diario) {
        struct stat st;
        fstat(fd, &st);
        diario->push_back(std::string(S_ISDIR(st.st_mode) ? "fsync pasta " : "fsync ") + nomedofd(fd));
    }
    return real(fd);
}

extern "C" int rename(const char *de, const char *para) {
    static auto real = reinterpret_cast<int (*)(const char *, const char *)>(dlsym(RTLD_NEXT, "rename"));
    if (diario) diario->push_back("rename " + fs::path(para).filename().string());
    return real(de, para);
}

namespace {

using apoio::escreve;
using apoio::le;

class Gravacao : public ::testing::Test {
protected:
    void TearDown() override { diario = nullptr; }
    bool grava(const fs::path &p, const std::string &s) { return gravaseguro(p.c_str(), s.data(), s.size()); }
    std::set<std::string> nomes() const { return pasta.nomes(); }
    apoio::Pasta pasta;
};

TEST_F(Gravacao, TheBytesReachTheDiskBeforeTheyTakeTheNameAndTheFolderAfter) {
    escreve(pasta / "r.txd", "antigo");
    for (const std::string nome : {"r.txd", "novo.txd"}) {
        std::vector<std::string> passos;
        diario = &passos;
        ASSERT_TRUE(grava(pasta / nome, "dados de " + nome)) << nome;
        diario = nullptr;
        EXPECT_EQ(le(pasta / nome), "dados de " + nome);
        ASSERT_EQ(passos.size(), 3u) << nome;
        EXPECT_EQ(passos[0].rfind("fsync .orbix-", 0), 0u) << passos[0];
        EXPECT_EQ(passos[1] + " | " + passos[2], "rename " + nome + " | fsync pasta " + pasta.caminho().filename().string());
    }
    EXPECT_EQ(nomes(), (std::set<std::string>{"novo.txd", "r.txd"}));
}

TEST_F(Gravacao, ALinkStaysALinkAndTheFileItNamesIsSaved) {
    fs::create_directory(pasta / "real");
    escreve(pasta / "real" / "aula.txd", "antigo");
    fs::create_symlink("real/aula.txd", pasta / "atalho.txd");
    ASSERT_TRUE(grava(pasta / "atalho.txd", "novo"));
    EXPECT_TRUE(fs::is_symlink(pasta / "atalho.txd"));
    EXPECT_EQ(fs::read_symlink(pasta / "atalho.txd"), "real/aula.txd");
    EXPECT_EQ(le(pasta / "real" / "aula.txd"), "novo");
    EXPECT_EQ(nomes(), (std::set<std::string>{"atalho.txd", "real"}));
    EXPECT_EQ(fs::directory_iterator(pasta / "real")->path().filename(), "aula.txd");
}

TEST_F(Gravacao, AnExistingFileKeepsItsPermissionsAndANewOneGetsTheUsualOnes) {
    using P = fs::perms;
    for (P antes :
         {P::owner_read | P::owner_write, P::owner_read | P::owner_write | P::group_read, P::owner_all | P::group_read | P::others_exec}) {
        escreve(pasta / "a.txd", "antigo");
        fs::permissions(pasta / "a.txd", antes);
        ASSERT_TRUE(grava(pasta / "a.txd", "novo"));
        EXPECT_EQ(fs::status(pasta / "a.txd").permissions(), antes);
        EXPECT_EQ(le(pasta / "a.txd"), "novo");
    }
    mode_t mascara = umask(022);
    ASSERT_TRUE(grava(pasta / "novo.txd", "x"));
    umask(mascara);
    EXPECT_EQ(fs::status(pasta / "novo.txd").permissions(), P::owner_read | P::owner_write | P::group_read | P::others_read);
}

// As an unprivileged user (root may write anything): a file that may not be written stays as it
// was, even in a folder where a rename would replace it.
TEST_F(Gravacao, AFileTheUserMayNotWriteIsLeftAsItWas) {
    escreve(pasta / "somenteleitura.txd", "intocado");
    fs::permissions(pasta / "somenteleitura.txd", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(pasta.caminho(), fs::perms::all);
    uid_t usuario = getuid();
    gid_t grupo = getgid();
    if (usuario == 0) {
        const passwd *ninguem = getpwnam("nobody");
        if (!ninguem) GTEST_SKIP() << "running as root with no 'nobody' user to drop to";
        usuario = ninguem->pw_uid;
        grupo = ninguem->pw_gid;
    }
    pid_t filho = fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        if (getuid() == 0 && (setgid(grupo) != 0 || setuid(usuario) != 0)) _exit(3);
        bool salvo = gravaseguro((pasta / "somenteleitura.txd").c_str(), "novo", 4);
        _exit(salvo ? 1 : 0);
    }
    int estado = 0;
    waitpid(filho, &estado, 0);
    ASSERT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 0) << "1: saved over it; 3: could not drop privileges";
    EXPECT_EQ(le(pasta / "somenteleitura.txd"), "intocado");
    EXPECT_EQ(nomes(), std::set<std::string>{"somenteleitura.txd"});
}

TEST_F(Gravacao, TheTemporaryNameIsNeverAFileOfTheUsersAndNeverLeftBehind) {
    char proprio[64];
    snprintf(proprio, sizeof proprio, ".orbix-%lx-0.tmp", (unsigned long)getpid());
    escreve(pasta / proprio, "do usuario");
    ASSERT_TRUE(grava(pasta / "a.txd", "a"));
    EXPECT_EQ(le(pasta / proprio), "do usuario");
    EXPECT_EQ(nomes(), (std::set<std::string>{proprio, "a.txd"}));
}

TEST_F(Gravacao, TwoSavesAtOnceEachLeaveAWholeFile) {
    const std::string a(300000, 'a'), b(200000, 'b');
    pid_t filho = fork();
    ASSERT_GE(filho, 0);
    for (int i = 0; i < 20; ++i) grava(pasta / "disputado.txd", filho == 0 ? b : a);
    if (filho == 0) _exit(0);
    waitpid(filho, nullptr, 0);
    const std::string final = le(pasta / "disputado.txd");
    EXPECT_TRUE(final == a || final == b) << final.size();
    EXPECT_EQ(nomes(), std::set<std::string>{"disputado.txd"});
}

// A name as long as a name may be still saves (its temporary name is shorter); what cannot be
// saved saves nothing.
TEST_F(Gravacao, ANameTooLongForASuffixStillSavesAndWhatCannotBeSavedSavesNothing) {
    const std::string longo = std::string(250, 'n') + ".txd";  // 254 bytes: the most a name may have
    ASSERT_TRUE(grava(pasta / longo, "cabe"));
    EXPECT_EQ(le(pasta / longo), "cabe");
    fs::create_directory(pasta / "pasta.txd");
    for (const std::string nome : {longo + "xx", std::string("nao/existe.txd"), std::string("pasta.txd"), std::string()})
        EXPECT_FALSE(grava(nome.empty() ? fs::path() : pasta / nome, "x")) << nome;
    EXPECT_TRUE(fs::is_directory(pasta / "pasta.txd"));
    EXPECT_EQ(nomes(), (std::set<std::string>{longo, "pasta.txd"}));
}

// (A file missing, a folder and a name no file may have are work files refused in tests/trabalho,
// each with its reason.)
TEST_F(Gravacao, FilesAreReadWholeUpToTheirLimit) {
    escreve(pasta / "ok", std::string(100, 'x'));
    escreve(pasta / "vazio", "");
    // clang-format off
    struct Caso { std::string nome; size_t limite; Leitura esperado; size_t tamanho; } casos[] = {
        {"ok", 100, Leitura::Lido, 100},    {"ok", 99, Leitura::Grande, 0},       {"vazio", 10, Leitura::Lido, 0},
        {"/dev/zero", 65536, Leitura::Grande, 0},  // no size to trust: read until the limit
    };
    // clang-format on
    for (auto &c : casos) {
        std::string conteudo = "lixo";
        const fs::path p = c.nome[0] == '/' ? fs::path(c.nome) : pasta / c.nome;
        EXPECT_EQ(learquivo(p.c_str(), c.limite, conteudo), c.esperado) << c.nome << " " << c.limite;
        EXPECT_EQ(conteudo.size(), c.tamanho) << c.nome;
    }
}

}  // namespace
