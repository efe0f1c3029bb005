// The command line.
#include "window/linhacmd.h"

#include <string.h>

#ifndef ORBIX_VERSAO
#define ORBIX_VERSAO "1.0.0"
#endif

namespace {

const char USO[] =
    "Uso: orbix [TRABALHO.orbix]\n"
    "     orbix --help | --version\n"
    "\n"
    "Álgebra Vetorial (ORBIX): vetores e regiões em três dimensões, com seus ângulos,\n"
    "módulos e produtos, e uma calculadora de equações vetoriais.\n"
    "\n"
    "  TRABALHO.orbix  abre o trabalho salvo nesse arquivo (Arquivo > Salvar Trabalho)\n"
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
    bool opcoes = true;
    for (const std::string &a : separaargumentos(linha)) {
        if (opcoes && a == "--") {
            opcoes = false;
        } else if (opcoes && (a == "--help" || a == "-h" || a == "/?")) {
            if (o.acao == Opcoes::Abrir) o.acao = Opcoes::Ajuda;
        } else if (opcoes && a == "--version") {
            if (o.acao == Opcoes::Abrir) o.acao = Opcoes::Versao;
        } else if (opcoes && a.size() > 1 && a[0] == '-') {
            o.acao = Opcoes::Erro;
            o.erro = "opção desconhecida: " + a;
            return o;
        } else if (!o.trabalho.empty()) {
            o.acao = Opcoes::Erro;
            o.erro = "só se abre um trabalho de cada vez";
            return o;
        } else {
            o.trabalho = a;
        }
    }
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
    case Opcoes::Abrir: break;
    }
    return -1;
}
