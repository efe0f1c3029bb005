// historico.h - undo and redo: the work as it was before each change to it, and after.
#ifndef ORBIX_HISTORICO_H
#define ORBIX_HISTORICO_H

#include "state/estado.h"

#include <string>

// What a step keeps of the state: every variable of the work (the columns beyond the vectors in
// use too, which a later series of vector dialogs keeps when one is cancelled), the view shown and
// the work file.
struct Instante {
    float vetores[3][MAXVETORES];
    float reg[3][2];
    int numpt, Scoord, Medgrau, mostnum, num;
    double angulox, anguloz;
    std::string fntrabalho;
};

// The oldest steps are forgotten beyond this many.
constexpr int PASSOS_HISTORICO = 200;

Instante instanteatual();

// After a command: one more step when the work differs, bit for bit, from what it was before
// (the view and the file name aside: showing another view changes no work). A new step forgets
// the steps undone.
// True when a step was kept.
bool registrapasso(const Instante &antes);

// The state before (after) the last step undone (redone), the view it showed included; the
// listing is shown from its top. False, changing nothing, when there is no such step.
bool desfaz();
bool refaz();
bool podedesfazer();
bool poderefazer();

// Forgets every step (a new start); the work as it is counts as saved.
void esquecehistorico();

// The work as last saved in a work file or opened from one (or as it was at the start), and
// whether it has changed since, bit for bit.
void marcasalvo();
bool alterado();
// Whether the work holds something a person typed: a vector or a region limit.
bool algoentrado();

#endif
