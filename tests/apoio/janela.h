// janela.h - the main window as the tests meet it: created past its splash at 1024 x 768, with
// the program state at its start values, and what tests ask of it (commands, paints, texts).
#ifndef ORBIX_TESTS_APOIO_JANELA_H
#define ORBIX_TESTS_APOIO_JANELA_H

#include <gtest/gtest.h>

#include "apoio/desenho.h"
#include "resource.h"
#include "state/estado.h"
#include "testing/wintest.h"
#include "window/janela.h"

#include <functional>
#include <string>
#include <vector>

namespace apoio {

class JanelaPrincipal : public ::testing::Test {
protected:
    void SetUp() override {
        reiniciaestado();
        static ATOM classe = registraclasse(wintest::Instance());  // once per test program
        (void)classe;
        {
            wintest::GdiRecorder rec;
            hjan = criajanela(wintest::Instance(), SW_SHOWDEFAULT);
            primeirapintura = rec.calls();
        }
        ASSERT_NE(hjan, nullptr);
        if (passaabertura) fimdaabertura();
    }
    void TearDown() override {
        if (wintest::IsLive(hjan)) DestroyWindow(hjan);
        wintest::Pump();
        wintest::TakeQuit();
        reiniciaestado();
    }
    // Ends the splash hold as its timer does, and lets the repaint happen.
    void fimdaabertura() {
        wintest::FireTimer(hjan, ID_ABERTURA);
        wintest::Pump();
    }
    void comando(int id) { SendMessageA(hjan, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // Runs the pending messages through the program's own loop body, as WinMain does.
    void bombeia() {
        wintest::Pump([this](MSG *m) { despachamensagem(hjan, m); });
    }
    // What the pending messages paint, as recorded.
    std::vector<wintest::GdiCall> pinta() {
        wintest::GdiRecorder rec;
        bombeia();
        return rec.calls();
    }
    // Number of paints the pending messages cause (each paint selects the font once).
    int pinturas() { return conta(pinta(), wintest::GdiCall::SelectFont); }

    bool passaabertura = true;  // a test of the splash itself clears it in its constructor
    HWND hjan = nullptr;
    std::vector<wintest::GdiCall> primeirapintura;
};

}  // namespace apoio

#endif
