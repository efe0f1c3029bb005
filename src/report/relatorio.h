// relatorio.h - the report file: the data entered and every result the listings show, in
// records of fixed size.
#ifndef ORBIX_RELATORIO_H
#define ORBIX_RELATORIO_H

#include <windows.h>

#include <stddef.h>

// Every record is this many bytes: its text, cut there if longer, then spaces.
constexpr size_t TAMREGISTRO = 100;

// The save command: asks for the file in the save dialog (proposing the last one), writes the
// report and shows a message box, owned by hjan, when it cannot be saved. True when a report
// was saved; a cancelled dialog is false and says nothing.
bool salvadados(HWND hjan);

// Writes the report of the current state to caminho, as one change that reaches the disk before
// it is reported (gravaseguro): a failed save leaves an existing file as it was and no partial
// file behind. True when the report is in place.
bool gravarelatorio(const char *caminho);

#endif
