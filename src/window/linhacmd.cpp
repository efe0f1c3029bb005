// The command line.
#include "window/linhacmd.h"

#include "print/impressao.h"

#include <string.h>

#ifndef ORBIX_VERSAO
#define ORBIX_VERSAO "1.0.0"
#endif

namespace {

const char USO[] =
    "Uso: orbix [TRABALHO.orbix]\n"
    "     orbix --pdf SAIDA.pdf [--view NOME]... TRABALHO.orbix\n"
    "     orbix --help | --version\n"
    "\n"
    "Álgebra Vetorial (ORBIX): vetores e regiões em três dimensões, com seus ângulos,\n"
    "módulos e produtos, e uma calculadora de equações vetoriais.\n"
    "\n"
    "  TRABALHO.orbix  abre o trabalho salvo nesse arquivo (Arquivo > Salvar Trabalho)\n"
    "  --pdf SAIDA.pdf escreve as vistas do trabalho em SAIDA.pdf, sem abrir a janela\n"
    "  --view NOME     a vista NOME, uma página (desenhos) ou mais (listagens), na\n"
    "                  ordem dada; sem --view, todas as que têm o que mostrar:\n"
    "                  vetores, regiao (os desenhos), lista (Ver Vetores), angulos,\n"
    "                  modulos, escalares, vetoriais, sistemas\n"
    "  -h, --help      mostra esta ajuda e sai\n"
    "  --version       mostra a versão e sai\n"
    "\n"
    "Na calculadora (Cálculos > Realizar Cálculos de Equações Vetoriais) o teclado\n"
    "aperta as teclas desenhadas, como o mouse:\n"
    "  0 a 9           os algarismos\n"
    "  ,               a vírgula decimal (e a tecla decimal do teclado numérico)\n"
    "  + -             soma e diferença\n"
    "  X (Shift+x)     produto vetorial\n"
    "  .               produto escalar\n"
    "  /               divisão\n"
    "  x *             multiplicação\n"
    "  = Enter         igual\n"
    "  Esc Delete      limpa\n"
    "  V e o índice    o vetor: V3 é V(3); com mais de dez vetores, V1 espera um\n"
    "                  segundo algarismo (V12 é V(12)) e qualquer outra tecla\n"
    "                  faz dele V(1)\n";

// The program's texts are Windows-1252; a terminal today reads UTF-8, on either system.
std::string utf8(const char *s) {
    std::string out;
    for (; *s; ++s) {
        unsigned char c = static_cast<unsigned char>(*s);
        if (c < 0x80) {
            out += char(c);
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace

std::vector<std::string> separaargumentos(const char *linha) {
    std::vector<std::string> args;
    if (!linha) return args;
    const char *p = linha;
    for (;;) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        std::string arg;
        bool aspas = false;
        while (*p && (aspas || (*p != ' ' && *p != '\t'))) {
            size_t barras = 0;
            while (*p == '\\') ++barras, ++p;
            if (*p == '"') {
                arg.append(barras / 2, '\\');
                if (barras % 2) {
                    arg += '"';
                } else if (aspas && p[1] == '"') {
                    arg += '"';  // "" inside quotes is one quote
                    ++p;
                } else {
                    aspas = !aspas;
                }
                ++p;
            } else {
                arg.append(barras, '\\');
                if (*p && (aspas || (*p != ' ' && *p != '\t'))) arg += *p++;
            }
        }
        args.push_back(arg);
    }
    return args;
}

Opcoes leopcoes(const char *linha) {
    Opcoes o;
    bool opcoes = true, pdf = false;
    const std::vector<std::string> args = separaargumentos(linha);
    auto erro = [&o](Opcoes::Acao acao, const std::string &texto) {
        o.acao = acao;
        o.erro = texto;
        return o;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (opcoes && a == "--") {
            opcoes = false;
        } else if (opcoes && (a == "--help" || a == "-h" || a == "/?")) {
            if (o.acao == Opcoes::Abrir) o.acao = Opcoes::Ajuda;
        } else if (opcoes && a == "--version") {
            if (o.acao == Opcoes::Abrir) o.acao = Opcoes::Versao;
        } else if (opcoes && (a == "--pdf" || a == "--view")) {
            if (i + 1 == args.size()) return erro(Opcoes::Erro, "falta o que vem depois de " + a);
            const std::string &valor = args[++i];
            if (a == "--pdf") {
                pdf = true;
                o.pdf = valor;
            } else if (const int modo = modovista(valor)) {
                o.vistas.push_back(modo);
            } else {
                return erro(Opcoes::ErroPdf, "vista desconhecida: " + valor + " (veja orbix --help)");
            }
        } else if (opcoes && a.size() > 1 && a[0] == '-') {
            return erro(Opcoes::Erro, "opção desconhecida: " + a);
        } else if (!o.trabalho.empty()) {
            return erro(Opcoes::Erro, "só se abre um trabalho de cada vez");
        } else {
            o.trabalho = a;
        }
    }
    if (o.acao != Opcoes::Abrir) return o;
    if (!o.vistas.empty() && !pdf) return erro(Opcoes::Erro, "--view só vale com --pdf");
    if (pdf && o.trabalho.empty()) return erro(Opcoes::Erro, "falta o trabalho de que se faz o PDF");
    if (pdf) o.acao = Opcoes::Pdf;
    return o;
}

int respondeopcoes(const Opcoes &o, FILE *saida, FILE *erros) {
    switch (o.acao) {
    case Opcoes::Ajuda: fputs(utf8(USO).c_str(), saida); return 0;
    case Opcoes::Versao: fputs(utf8("Álgebra Vetorial (ORBIX) " ORBIX_VERSAO "\n").c_str(), saida); return 0;
    case Opcoes::Erro:
        fputs(utf8(("orbix: " + o.erro + "\n\n").c_str()).c_str(), erros);
        fputs(utf8(USO).c_str(), erros);
        return 2;
    case Opcoes::Pdf: {
        std::string erro;
        if (pdfdotrabalho(o.pdf.c_str(), o.vistas, o.trabalho.c_str(), erro)) return 0;
        fputs(utf8(("orbix: " + erro + "\n").c_str()).c_str(), erros);
        return 1;
    }
    case Opcoes::ErroPdf: fputs(utf8(("orbix: " + o.erro + "\n").c_str()).c_str(), erros); return 1;
    case Opcoes::Abrir: break;
    }
    return -1;
}

int semjanela(FILE *erros) {
    fputs(utf8("orbix: a janela não pôde ser aberta (há uma tela?); um PDF se faz sem ela: veja orbix --help\n").c_str(), erros);
    return 1;
}
