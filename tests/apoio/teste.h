// teste.h - the GoogleTest fixture of the tests that work the main window, and readers of what a
// paint recorded.
#ifndef ORBIX_TESTS_APOIO_TESTE_H
#define ORBIX_TESTS_APOIO_TESTE_H

#include <gtest/gtest.h>

#include "apoio/janela.h"
#include "draw/display.h"
#include "resource.h"

#include <string>
#include <vector>

namespace apoio {

using Chamadas = std::vector<wintest::GdiCall>;

inline int conta(const Chamadas &c, wintest::GdiCall::Op op) {
    int n = 0;
    for (auto &k : c) n += k.op == op;
    return n;
}

inline std::vector<std::string> textos(const Chamadas &c) {
    std::vector<std::string> out;
    for (auto &k : c)
        if (k.op == wintest::GdiCall::TextOut) out.push_back(k.text);
    return out;
}

// A calculator key on the reference canvas, by label: "0".."9", "V0".."V14", ",+-X./x=" and "C"
// (clear); left, top, right and bottom.
struct Tecla {
    int e, t, d, b;
};
inline Tecla tecla(const std::string &k) {
    const int j = k.size() > 1 ? std::stoi(k.substr(1)) : k[0] - '0', o = int(std::string(",+-X./x=C").find(k));
    if (k.size() > 1) return {185 + 50 * (j / 5), 163 + 35 * (j % 5), 230 + 50 * (j / 5), 190 + 35 * (j % 5)};
    if (j >= 0 && j <= 9) return {185 + 30 * (j % 5), 355 + 35 * (j / 5), 205 + 30 * (j % 5), 377 + 35 * (j / 5)};
    return {355, 160 + 30 * o, 385, 185 + 30 * o};
}

class JanelaPrincipal : public ::testing::Test {
protected:
    void SetUp() override {
        hjan = abrejanela(passaabertura);
        ASSERT_NE(hjan, nullptr);
    }
    void TearDown() override { fechajanela(hjan); }
    void comando(int id) { SendMessageA(hjan, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void bombeia() { apoio::bombeia(hjan); }
    // What the pending messages paint, as recorded.
    Chamadas pinta() {
        wintest::GdiRecorder rec;
        bombeia();
        return rec.calls();
    }
    // Number of paints the pending messages cause (each paint selects the font once).
    int pinturas() { return conta(pinta(), wintest::GdiCall::SelectFont); }
    // What mode draws on a memory DC, with the window's pens and font, at the client size.
    Chamadas desenha(int modo) {
        wintest::GdiRecorder rec;  // it hears the DCs made while it lives
        HDC dc = CreateCompatibleDC(nullptr);
        display(dc, modo);
        DeleteDC(dc);
        return rec.calls();
    }

    bool passaabertura = true;  // a test of the splash itself clears it in its constructor
    HWND hjan = nullptr;
};

}  // namespace apoio

#endif
