// trabalho.h - the work files in the program: the work of the program-wide state, and the
// commands that open and save it (the format itself is formato.h).
#ifndef ORBIX_TRABALHO_H
#define ORBIX_TRABALHO_H

#include <windows.h>

#include "trabalho/formato.h"

#include <string>

// The work of the program-wide state, and the state made of a work (the display mode aside).
Trabalho trabalhoatual();
void aplicatrabalho(const Trabalho &t);

// Reads the work file at caminho whole. False with motivo saying why, in Portuguese, when it
// cannot be read or is not a valid work; nothing of the state changes either way.
bool lertrabalho(const char *caminho, Trabalho &t, std::string &motivo);
// Opens the work file at caminho and shows it in the vector view (the start-up picture, while it
// is on screen, gives way to it by itself). A file that cannot be opened is reported in a message
// box owned by hjan that names it and says why, and changes nothing. True when opened.
bool abretrabalho(HWND hjan, const char *caminho);

// The menu commands. Opening first asks about changes not saved (podedescartar), then shows the
// open dialog; saving writes to the work's own file, or asks for one when it has none; saving as
// always asks. The dialogs propose the last work file opened or saved. True when a work was
// opened or saved.
bool abrirtrabalho(HWND hjan);
bool salvartrabalho(HWND hjan);
bool salvartrabalhocomo(HWND hjan);
// Writes the work to arquivo, which becomes the work's file; a message box owned by hjan when it
// cannot be saved.
bool gravatrabalho(HWND hjan, const char *arquivo);

// Before the work is left (the program closed, another work opened): when it has changes not
// saved and something typed, asks whether to save them. True to go on (saved, or not wanted);
// false to stay (Cancel, or a save that failed or was cancelled).
bool podedescartar(HWND hjan);

// The main window's title: the program's name, after the work file's name once there is one,
// with a "*" before it while the work has changes not saved in it.
std::string titulojanela();

// The path of the last work file opened or saved ("" before the first).
const char *ultimotrabalho();

#endif
