// The command line: how it is split, what it asks for, and what is answered.
#include <gtest/gtest.h>

#include "testing/wintest.h"
#include "window/linhacmd.h"

#include <stdio.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

TEST(LinhaDeComando, IsSplitAsWindowsSplitsIt) {
    using V = std::vector<std::string>;
    // clang-format off
    const struct { const char *linha; V args; } casos[] = {
        {"", {}}, {"   \t ", {}}, {"aula.orbix", {"aula.orbix"}}, {"  a  \t b ", {"a", "b"}},
        {"\"C:\\Meus Documentos\\aula.orbix\"", {"C:\\Meus Documentos\\aula.orbix"}},
        {"\"/tmp/pasta com espaço/a.orbix\" --help", {"/tmp/pasta com espaço/a.orbix", "--help"}},
        {"a\"b c\"d", {"ab cd"}}, {"\\\\servidor\\aula", {"\\\\servidor\\aula"}},
        {"a\\\\\"b\"", {"a\\b"}},    // 2n backslashes and a quote: n, and the quote groups
        {"a\\\\\\\"b", {"a\\\"b"}},  // 2n + 1: n, and a literal quote
        {"\"a\"\"b\"", {"a\"b"}},    // a doubled quote inside quotes is one quote
        {"\"fim sem aspas", {"fim sem aspas"}}, {"\"\"", {""}},
    };
    // clang-format on
    for (auto &c : casos) EXPECT_EQ(separaargumentos(c.linha), c.args) << c.linha;
}

// What the shell gave the program reaches it whole, however it is spelled.
TEST(LinhaDeComando, TheArgumentsOfTheShellReachTheProgramWhole) {
    const std::vector<std::vector<std::string>> casos = {
        {}, {"aula.orbix"}, {"a\"b", "c\\", "d\\\"e", "\\\\"}, {"", "\t", " x "}, {"--help", "--", "-a"},
    };
    for (auto &args : casos) EXPECT_EQ(separaargumentos(wintest::CommandLineFor(args).c_str()), args);
    // The shell's UTF-8 in the program's Windows-1252, '?' for what it has no character for.
    EXPECT_EQ(separaargumentos(wintest::CommandLineFor({"/tmp/pasta com espa\xC3\xA7o/\xE2\x98\x83.orbix"}).c_str()),
              std::vector<std::string>{"/tmp/pasta com espaço/?.orbix"});
}

TEST(LinhaDeComando, OptionsAndTheWorkToOpen) {
    // clang-format off
    const struct { const char *linha; Opcoes::Acao acao; std::string trabalho, erro; } casos[] = {
        {"", Opcoes::Abrir, "", ""},                 {"aula.orbix", Opcoes::Abrir, "aula.orbix", ""},
        {"--help", Opcoes::Ajuda, "", ""},           {"-h", Opcoes::Ajuda, "", ""},
        {"/?", Opcoes::Ajuda, "", ""},               {"--version", Opcoes::Versao, "", ""},
        {"--version --help", Opcoes::Versao, "", ""}, {"--ajuda", Opcoes::Erro, "", "opção desconhecida: --ajuda"},
        {"a.orbix -x", Opcoes::Erro, "a.orbix", "opção desconhecida: -x"},
        {"a.orbix b.orbix", Opcoes::Erro, "a.orbix", "só se abre um trabalho de cada vez"},
        {"-- -a.orbix", Opcoes::Abrir, "-a.orbix", ""}, {"-", Opcoes::Abrir, "-", ""},
    };
    // clang-format on
    for (auto &c : casos) {
        const Opcoes o = leopcoes(c.linha);
        EXPECT_EQ(std::tie(o.acao, o.trabalho, o.erro), std::tie(c.acao, c.trabalho, c.erro)) << c.linha;
    }
}

std::string conteudo(FILE *f) {
    std::string s;
    rewind(f);
    for (int c; (c = fgetc(f)) != EOF;) s += char(c);
    return s;
}

TEST(LinhaDeComando, AnswersGoWhereTheyBelongInUtf8) {
    // clang-format off
    const struct { const char *linha; int saida; std::string comeco, erro; } casos[] = {
        {"--help", 0, "Uso: orbix [TRABALHO.orbix]\n", ""},
        {"--version", 0, "\xC3\x81lgebra Vetorial (ORBIX) " ORBIX_VERSAO_ESPERADA "\n", ""},
        {"--nada", 2, "", "orbix: op\xC3\xA7\xC3\xA3o desconhecida: --nada\n\nUso: orbix"},
        {"aula.orbix", -1, "", ""},
    };
    // clang-format on
    for (auto &c : casos) {
        FILE *out = tmpfile(), *err = tmpfile();
        EXPECT_EQ(respondeopcoes(leopcoes(c.linha), out, err), c.saida) << c.linha;
        const std::string o = conteudo(out), e = conteudo(err);
        EXPECT_EQ(std::tuple(o.substr(0, c.comeco.size()), e.substr(0, c.erro.size()), o.empty(), e.empty()),
                  std::tuple(c.comeco, c.erro, c.comeco.empty(), c.erro.empty()))
            << c.linha;
        fclose(out);
        fclose(err);
    }
}

}  // namespace
