// harness.h - what the fuzz targets share: one offscreen main window kept across inputs, the
// program state put back between inputs, and drivers that answer every dialog from the input.
#ifndef ORBIX_FUZZ_HARNESS_H
#define ORBIX_FUZZ_HARNESS_H

#include <fuzzer/FuzzedDataProvider.h>
#include <windows.h>

#include "testing/wintest.h"

// The main window, past its splash, at 1024 x 768, with the state at its start values. Made
// again if the previous input closed it.
HWND novaentrada();
// Runs the program's loop until nothing is left (every paint done).
void processa();
// Closes the help dialogs an input opened and forgets a quit it caused.
void terminaentrada();

// Answers the next modal dialogs, message boxes and save dialogs from the input.
class Respostas {
public:
    explicit Respostas(FuzzedDataProvider &dados, const char *pasta);
    ~Respostas();
private:
    wintest::DialogDrivers dialogos_;
    wintest::MessageBoxLog caixas_;
    wintest::SaveDialogDriver salvar_;
};

// Stops the run (a finding) when the state holds what no input may put there.
void verificaestado();

#endif
