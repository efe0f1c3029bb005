// harness.h - what the fuzz targets share: one offscreen main window for the whole run, the
// program put back to its start between inputs, and drivers that answer every dialog from the
// input.
//
// Every input runs between novaentrada() and terminaentrada(). In between, the program is as
// it is at start-up once its splash is over, at a small client size unless the input asks for
// another: its state as at start, with the pens, font, bitmap and help text its window made
// for itself. Whatever an input leaves in the layer (dialogs, help windows, queued messages,
// timers, a quit) is gone before the next one, so an input does the same whatever ran before.
#ifndef ORBIX_FUZZ_HARNESS_H
#define ORBIX_FUZZ_HARNESS_H

#include <fuzzer/FuzzedDataProvider.h>
#include <windows.h>

#include "comum.h"
#include "testing/wintest.h"

// The client size an input starts at, 3/16 of the reference canvas each way. Every drawing runs
// the same code at any size, and every calculator key still has pixels strictly inside it; a
// small image is only cheaper to erase, and its 108 KB stay below the size from which
// AddressSanitizer maps each allocation from the system afresh (128 KB).
constexpr int LARGURA_ENTRADA = 192;
constexpr int ALTURA_ENTRADA = 144;

// The main window, past its splash, at LARGURA_ENTRADA x ALTURA_ENTRADA, with the state at its
// start values and the vector view to be painted at the next turn of the loop.
HWND novaentrada();
// Runs the program's loop until nothing is left (every paint done), each message through the
// program's own loop body (the help dialog's keys, then the window's keys, then the window).
void processa();
// Ends the input: closes the dialogs it left open, stops the window's timer, forgets a quit.
void terminaentrada();

// Answers, from the input, the modal dialogs, message boxes and file dialogs that one menu
// command or key opens (the vector entry opens the most: the number dialog and 15 vector
// dialogs). A save goes to pasta; an open takes a work file the input writes there (any bytes,
// or now and then the work the program holds, which opens).
class Respostas {
public:
    explicit Respostas(FuzzedDataProvider &dados, const char *pasta = pastadarodada());
    ~Respostas();

private:
    wintest::DialogDrivers dialogos_;
    wintest::MessageBoxLog caixas_;
    wintest::SaveDialogDriver salvar_;
    wintest::OpenDialogDriver abrir_;
    wintest::PrintDialogDriver imprimir_;
};

// Stops the run (a finding) when the state holds what no input may put there.
void verificaestado();

#endif
