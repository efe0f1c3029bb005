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

#include <stdio.h>

#include <algorithm>
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

// A call a drawing must make, named after what it draws, so that a failure names the position.
struct Passo {
    std::string nome;
    wintest::GdiCall::Op op;
    int x = 0, y = 0;
    std::string texto;  // TextOut
    COLORREF cor = 0;   // SelectPen
};

// The calls a drawing must make on a client area of scale factors fx and fy (1 at 1024 x 768, 0.5
// at half of it): reference positions times the factor, plus offsets in device pixels, truncated
// toward zero.
struct Esperado {
    double fx, fy;
    std::vector<Passo> passos;
    int x(double ref, double d = 0) const { return int(ref * fx + d); }
    int y(double ref, double d = 0) const { return int(ref * fy + d); }
    void caneta(const std::string &nome, COLORREF cor) {
        passos.push_back({nome, wintest::GdiCall::SelectPen, 0, 0, "", cor});
    }
    void dispositivo(const std::string &nome, wintest::GdiCall::Op op, int px, int py) {
        passos.push_back({nome, op, px, py, "", 0});
    }
    void ponto(const std::string &nome, wintest::GdiCall::Op op, double X, double Y, double dx = 0, double dy = 0) {
        dispositivo(nome, op, x(X, dx), y(Y, dy));
    }
    // From (X, Y) moved by (dx0, dy0) device pixels to the same point moved by (dx1, dy1).
    void segmento(const std::string &nome, double X, double Y, double dx0, double dy0, double dx1, double dy1) {
        ponto(nome + ", from", wintest::GdiCall::MoveTo, X, Y, dx0, dy0);
        ponto(nome + ", to", wintest::GdiCall::LineTo, X, Y, dx1, dy1);
    }
    void texto(const std::string &nome, const std::string &s, double X, double Y, double dx = 0, double dy = 0) {
        passos.push_back({nome, wintest::GdiCall::TextOut, x(X, dx), y(Y, dy), s});
    }
};

// A number as every label writes it.
inline std::string numero(double v) {
    char s[64];
    snprintf(s, sizeof s, "%5.2f", v);
    return s;
}

// Compares the calls from index de on with those expected, and names the first rows that differ.
inline void confere(const Chamadas &c, size_t de, const std::vector<Passo> &esperado, const std::string &cena) {
    size_t n = c.size() > de ? c.size() - de : 0;
    EXPECT_EQ(n, esperado.size()) << cena << ": calls drawn";
    for (size_t i = 0, erros = 0; i < std::min(n, esperado.size()) && erros < 5; ++i) {
        const wintest::GdiCall &g = c[de + i];
        const Passo &p = esperado[i];
        if (g.op == p.op && g.x == p.x && g.y == p.y && g.text == p.texto &&
            (p.op != wintest::GdiCall::SelectPen || (g.color == p.cor && g.width == 2)))
            continue;
        ++erros;
        const char *ops[] = {"MoveTo", "LineTo", "TextOut", "SelectPen", "SelectFont", "SelectBrush", "SelectBitmap",
                             "Rectangle", "BitBlt", "SetPixel"};
        ADD_FAILURE() << cena << ", call " << i << " (" << p.nome << "): drawn " << ops[g.op] << " " << g.x << ", "
                      << g.y << " \"" << g.text << "\", expected " << ops[p.op] << " " << p.x << ", " << p.y << " \""
                      << p.texto << "\"";
    }
}

// Stores the vectors as the entry command would (entries in the order of the system).
inline void guarda(int sistema, int unidade, const std::vector<std::vector<float>> &vs) {
    Scoord = sistema;
    Medgrau = unidade;
    numpt = int(vs.size());
    for (int k = 0; k < numpt; ++k)
        for (int e = 0; e < 3; ++e) vetores[e][k] = vs[size_t(k)][size_t(e)];
}

// Entry c of a vector or of the region is a length in this system (else an angle): the lengths
// alone take part in the scale.
inline bool comprimento(int sistema, int c) {
    return sistema == CARTESIANO || c == 0 || (sistema == CILINDRICO && c == 2);
}
// An angle entry as the drawings take it, in radians.
inline float radianos(float v, int unidade) { return unidade == GRAUS ? float(v * 3.1415 * (1.0 / 180)) : v; }

// The view angles: the initial ones (60 and 30 degrees with pi 3.1415), and a view turned to the
// limits, where sin and cos of each angle differ most.
struct Vista {
    const char *nome;
    double angulox, anguloz;
};
inline const Vista INICIAL = {"initial view", 1.0471666666666668, 0.5235833333333334};
inline const Vista GIRADA = {"turned view", 0.3926875, 1.745277777777778};

// Client sizes: the reference one, and half of it, where halved positions are truncated.
struct Tamanho {
    int largura, altura;
};
inline const Tamanho TAMANHOS[] = {{1024, 768}, {512, 384}};

class Desenho : public ::testing::Test {
protected:
    void SetUp() override {
        reiniciaestado();
        ProcJan(nullptr, WM_CREATE, 0, 0);
        maxX = 1024;
        maxY = 768;
    }
    void TearDown() override {
        ProcJan(nullptr, WM_DESTROY, 0, 0);
        wintest::Pump();
        wintest::TakeQuit();
        reiniciaestado();
    }
    // Sets the client size and the view; returns the expectation on them and the scene's name.
    Esperado em(Tamanho t, const Vista &v, std::string &nome) {
        maxX = t.largura;
        maxY = t.altura;
        angulox = v.angulox;
        anguloz = v.anguloz;
        nome += std::string(", ") + v.nome + ", " + std::to_string(t.largura) + " x " + std::to_string(t.altura);
        return {t.largura / 1024.0, t.altura / 768.0, {}};
    }
    // What mode draws on a memory DC (made under the recorder, which hears the DCs made while it lives).
    Chamadas pinta(int modo) {
        wintest::GdiRecorder rec;
        HDC dc = CreateCompatibleDC(nullptr);
        display(dc, modo);
        DeleteDC(dc);
        return rec.calls();
    }
};

}  // namespace apoio

#endif
