// linhacmd.h - the command line: a work file to open, or a question to answer and leave.
#ifndef ORBIX_LINHACMD_H
#define ORBIX_LINHACMD_H

#include <stdio.h>

#include <string>
#include <vector>

// The arguments of a command line as Windows splits it: blanks separate them, double quotes group
// them, and backslashes are literal except before a quote (2n of them and a quote give n and
// group; 2n + 1 give n and a literal quote).
std::vector<std::string> separaargumentos(const char *linha);

struct Opcoes {
    // Erro is a command line not understood; ErroPdf a PDF that cannot be made as asked.
    enum Acao { Abrir, Ajuda, Versao, Pdf, Erro, ErroPdf } acao = Abrir;
    std::string trabalho;     // the work file to open ("" for none)
    std::string pdf;          // for Pdf, the file to write
    std::vector<int> vistas;  // for Pdf, the modes of the views named, in order
    std::string erro;         // what was wrong, for Erro and ErroPdf
};
Opcoes leopcoes(const char *linha);

// Answers --help, --version, --pdf or a wrong command line on the stream it belongs to (help and
// version on standard output, a mistake with the usage on standard error, a PDF that cannot be
// made in one line there) and gives the exit status: 0, 0, 0 or 1, 2, 1. For Abrir it prints
// nothing and gives -1: the program goes on.
int respondeopcoes(const Opcoes &o, FILE *saida, FILE *erros);
// When the main window cannot be opened (no display to open it on): says so on erros and gives
// the exit status, 1.
int semjanela(FILE *erros);

#endif
