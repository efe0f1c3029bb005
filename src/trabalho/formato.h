// formato.h - the work-file format (*.orbix): everything a student typed, as text and back.
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
#ifndef ORBIX_FORMATO_H
#define ORBIX_FORMATO_H

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

// The text of a work file. False (and nothing in texto) when the work cannot be written so that
// it reads back: a value that is not finite, a count out of range.
bool textotrabalho(const Trabalho &t, std::string &texto);
// Reads a work file's text. False with erro saying what is wrong, and where ("Linha 3: ..."),
// in Portuguese; t is then unspecified.
bool letrabalho(const std::string &texto, Trabalho &t, std::string &erro);

#endif
