// trabalho.h - the work files in the program: the work of the program-wide state, and the
// commands that open and save it (the format itself is formato.h).
#ifndef ORBIX_TRABALHO_H
#define ORBIX_TRABALHO_H

#include <windows.h>

#include "trabalho/formato.h"

// The work of the program-wide state, and the state made of a work (the display mode aside).
Trabalho trabalhoatual();
void aplicatrabalho(const Trabalho &t);

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
