// trabalho.h - work files (*.orbix): everything a student typed, kept to be opened again.
//
// A work file is plain ASCII text, one record a line, CR LF line ends (LF read too):
//
//   ORBIX TRABALHO 1
//   sistema cilindrico          cartesiano, cilindrico or esferico
//   unidade graus               graus or radianos
//   vetores 2                   0 to 15, then one line per vector, numbered from 0
//   vetor 0 3 45 2
//   vetor 1 1 200 -1
//   regiao 1 0 5                coordinate 1, 2, 3 with its lower and upper limit
//   regiao 2 0 90
//   regiao 3 -1 4
//   vista 1.0471666666666668 0.5235833333333334
//   escala vetores              nenhuma, vetores or media
//   fim
//
// Numbers are written in the shortest form that reads back to the same float (or double, for
// the view angles), so a work saved, opened and saved again is the same bytes. Records may come
// in any order, separated by spaces or tabs; blank lines and lines starting with # are skipped.
// A file is applied only when it was read whole and found valid: anything else leaves every
// variable of the program as it was.
#ifndef ORBIX_TRABALHO_H
#define ORBIX_TRABALHO_H

#include <windows.h>

#include <stddef.h>

#include <string>

#include "state/estado.h"

constexpr int VERSAO_TRABALHO = 1;
constexpr size_t TAMMAX_TRABALHO = 64 * 1024;

// Everything a work file holds.
struct Trabalho {
    int sistema, unidade, quantos;
    float vetores[3][MAXVETORES];  // columns beyond quantos are 0
    float regiao[3][2];
    double angulox, anguloz;
    int escala;
};

// The work of the program-wide state, and the state made of a work (the display mode aside).
Trabalho trabalhoatual();
void aplicatrabalho(const Trabalho &t);

// The text of a work file. False (and nothing in texto) when the work cannot be written so that
// it reads back: a value that is not finite, a count out of range.
bool textotrabalho(const Trabalho &t, std::string &texto);
// Reads a work file's text. False with erro saying what is wrong, and where ("Linha 3: ..."),
// in Portuguese; t is then unspecified.
bool letrabalho(const std::string &texto, Trabalho &t, std::string &erro);

// Opens the work file at caminho and shows it in the vector view (the start-up picture, while it
// is on screen, gives way to it by itself). A file that cannot be opened is reported in a message
// box owned by hjan that names it and says why, and changes nothing. True when opened.
bool abretrabalho(HWND hjan, const char *caminho);

// The menu commands: the open dialog, then abretrabalho; the save dialog, then the save.
// Both propose the last work file opened or saved. True when a work was opened or saved.
bool abrirtrabalho(HWND hjan);
bool salvartrabalho(HWND hjan);

// The path of the last work file opened or saved ("" before the first).
const char *ultimotrabalho();

#endif
