// desenho.h - the paint routine on a memory DC at the reference size, with the pens and the
// font the window procedure itself makes at WM_CREATE (and frees at WM_DESTROY), and readers of
// what a paint recorded.
#ifndef ORBIX_TESTS_APOIO_DESENHO_H
#define ORBIX_TESTS_APOIO_DESENHO_H

#include <gtest/gtest.h>

#include "canvas/tela.h"
#include "draw/display.h"
#include "state/estado.h"
#include "testing/wintest.h"
#include "window/janela.h"

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

// The first text drawn that contains part, or null.
inline const wintest::GdiCall *texto(const Chamadas &c, const std::string &part) {
    for (auto &k : c)
        if (k.op == wintest::GdiCall::TextOut && k.text.find(part) != std::string::npos) return &k;
    return nullptr;
}

// Stores the vectors as the entry command would (entries in the order of the system).
inline void guarda(int sistema, int unidade, const std::vector<std::vector<float>> &vs) {
    Scoord = sistema;
    Medgrau = unidade;
    numpt = int(vs.size());
    for (int k = 0; k < numpt; ++k)
        for (int e = 0; e < 3; ++e) vetores[e][k] = vs[size_t(k)][size_t(e)];
}

class Desenho : public ::testing::Test {
protected:
    void SetUp() override {
        reiniciaestado();
        ProcJan(nullptr, WM_CREATE, 0, 0);
        maxX = 1024;
        maxY = 768;
        dc = CreateCompatibleDC(nullptr);
    }
    void TearDown() override {
        DeleteDC(dc);
        ProcJan(nullptr, WM_DESTROY, 0, 0);
        wintest::Pump();
        wintest::TakeQuit();
        reiniciaestado();
    }
    Chamadas pinta(int modo) {
        wintest::GdiRecorder rec;
        display(dc, modo);
        return rec.calls();
    }
    HDC dc = nullptr;
};

}  // namespace apoio

#endif
