// The vector view from the recorded GDI calls: every tick, label and arrow of every vector in the
// main view and in the three panels, in each coordinate system, at the reference size and at half
// of it, in the initial view and in a turned one.
#include "apoio/desenho.h"

#include <math.h>
#include <string.h>

namespace {

using wintest::GdiCall;
using V = std::vector<std::vector<float>>;
constexpr double S = 100.0 / 240;    // a panel draws a scaled value v at v * 100/240
constexpr size_t EIXOS = 1 + 9 * 7;  // the font and the axes come first

// The calls of vector k: ticks 4 device pixels across, labels in scale-label mode 1 only, arrows.
struct Traco : apoio::Esperado {
    int k = 0, mostnum = ESCALA_VETORES;
    bool guardax = false;  // the head's guard is on the tip's x (spherical), else on its y

    void tickh(const std::string &n, double X, double Y) { segmento(n + ", tick", X, Y, -2, 0, 2, 0); }
    void tickv(const std::string &n, double X, double Y) { segmento(n + ", tick", X, Y, 0, -2, 0, 2); }
    void rotulo(const std::string &n, float v, double X, double Y, double dx = 0, double dy = 0) {
        if (mostnum == ESCALA_VETORES) texto(n + ", label", apoio::numero(v), X, Y, dx, dy);
    }
    // A label on a horizontal axis, where vectors may stand alike: vector k's 2 + 11k pixels down.
    void empilhado(const std::string &n, float v, double X, double Y) { rotulo(n, v, X, Y, 0, 2 + 11 * k); }
    // The shaft from O to T, then the head from the tip (device, before truncation): its angle is
    // atan2 of the tip's position, or 1.57075 when the guarded coordinate is 0. Shape A closes a
    // triangle; B is the open figure of the curved systems' main view.
    void seta(const std::string &n, double OX, double OY, double TX, double TY, char forma) {
        ponto(n + ", arrow from", GdiCall::MoveTo, OX, OY);
        ponto(n + ", arrow tip", GdiCall::LineTo, TX, TY);
        const double xd = TX * fx, yd = TY * fy;
        const float th = fabs(guardax ? xd : yd) > 0.0001 ? float(atan2(xd, yd)) : 1.57075f;
        const double s = sin(double(th)), c = cos(double(th));
        const double a[3][2] = {{-3 * s, 3 * c}, {3 * c, 3 * s}, {0, 0}};
        const double b[3][2] = {{-3 * s, 3 * s}, {3 * c, 3 * c}, {3 * c, 0}};
        for (int i = 0; i < 3; ++i) {
            const double *d = forma == 'A' ? a[i] : b[i];
            dispositivo(n + ", head " + std::to_string(i + 1), GdiCall::LineTo, int(xd + d[0]), int(yd + d[1]));
        }
    }
};

// The rows of each system, in the order drawn. v: the stored entries; then the drawn values
// (lengths scaled, angles in radians).
void cartesiano(Traco &d, const float v[3], double x, double y, double z, double ax, double az) {
    const double ca = cos(ax), sz = sin(az);
    d.tickh("main, x", 300 - ca * x, 350 + sz * x);
    d.rotulo("main, x", v[0], 310 - ca * x, 350 + sz * x);
    d.tickv("main, y", 300 + y, 350);
    d.rotulo("main, y", v[1], 300 + y, 360);
    d.tickh("main, z", 300, 350 - z);
    d.rotulo("main, z, 2 pixels right", v[2], 310, 350 - z, 2, 0);
    d.seta("main", 300, 350, 300 + y - ca * x, 350 - z + sz * x, 'A');
    d.tickv("bottom panel, x", 750 + S * x, 570);
    d.rotulo("bottom panel, x", v[0], 750 + S * x, 580);
    d.tickh("bottom panel, y", 750, 570 - S * y);
    d.rotulo("bottom panel, y", v[1], 760, 570 - S * y);
    d.seta("bottom panel", 750, 570, 750 + S * x, 570 - S * y, 'A');
    d.tickv("middle panel, x", 750 + S * x, 360);
    d.rotulo("middle panel, x", v[0], 750 + S * x, 370);
    d.tickh("middle panel, z", 750, 360 - S * z);
    d.rotulo("middle panel, z", v[2], 760, 360 - S * z);
    d.seta("middle panel", 750, 360, 750 + S * x, 360 - S * z, 'A');
    d.tickv("top panel, y", 750 + S * y, 150);
    d.rotulo("top panel, y", v[1], 750 + S * y, 160);
    d.tickh("top panel, z", 750, 150 - S * z);
    d.rotulo("top panel, z", v[2], 760, 150 - S * z);
    d.seta("top panel", 750, 150, 750 + S * y, 150 - S * z, 'A');
}

void cilindrico(Traco &d, const float v[3], double rho, double phi, double z, double ax, double az) {
    const double ca = cos(ax), sz = sin(az);
    d.rotulo("main, rho on x", v[0], 310 - ca * rho, 350 + sz * rho);
    d.seta("main", 300, 350, 300 - cos(ax + phi) * rho, 350 - z + sz * cos(phi) * rho, 'B');
    d.tickh("main, rho on x", 300 - ca * rho, 350 + sz * rho);
    d.empilhado("main, rho on y, stacked", v[0], 300 + rho, 355);
    d.rotulo("main, z", v[2], 310, 350 - z);
    d.tickv("main, rho on y", 300 + rho, 350);
    d.tickh("main, z", 300, 350 - z);
    d.seta("bottom panel", 750, 570, 750 + S * cos(phi) * rho, 570 - S * sin(phi) * rho, 'A');
    d.empilhado("bottom panel, rho on x, stacked", v[0], 750 + S * rho, 575);
    d.tickv("bottom panel, rho on x", 750 + S * rho, 570);
    d.tickh("bottom panel, rho on y", 750, 570 - S * rho);
    d.rotulo("bottom panel, rho on y", v[0], 760, 570 - S * rho);
    d.empilhado("middle panel, rho on x, stacked", v[0], 750 + S * rho, 365);
    d.rotulo("middle panel, z", v[2], 760, 360 - S * z);
    d.seta("middle panel", 750, 360, 750 + S * cos(phi) * rho, 360 - S * z, 'A');
    d.tickv("middle panel, rho on x", 750 + S * rho, 360);
    d.tickh("middle panel, z", 750, 360 - S * z);
    d.empilhado("top panel, rho on y, stacked", v[0], 750 + S * rho, 155);
    d.rotulo("top panel, z", v[2], 760, 150 - S * z);
    d.seta("top panel", 750, 150, 750 + S * sin(phi) * rho, 150 - S * z, 'A');
    d.tickv("top panel, rho on y", 750 + S * rho, 150);
    d.tickh("top panel, z", 750, 150 - S * z);
}

void esferico(Traco &d, const float v[3], double r, double th, double phi, double ax, double az) {
    const double ca = cos(ax), sz = sin(az), st = sin(th), ct = cos(th);
    d.rotulo("main, r on x", v[0], 310 - ca * r, 350 + sz * r);
    d.seta("main", 300, 350, 300 - st * cos(ax + phi) * r, 350 - ct * r + sz * st * cos(phi) * r, 'B');
    d.empilhado("main, r on y, stacked", v[0], 300 + r, 355);
    d.tickh("main, r on x", 300 - ca * r, 350 + sz * r);
    d.tickv("main, r on y", 300 + r, 350);
    d.rotulo("main, r on z", v[0], 310, 350 - r);
    d.tickh("main, r on z", 300, 350 - r);
    d.seta("bottom panel", 750, 570, 750 + S * st * cos(phi) * r, 570 - S * st * sin(phi) * r, 'A');
    d.empilhado("bottom panel, r on x, stacked", v[0], 750 + S * r, 575);
    d.tickv("bottom panel, r on x", 750 + S * r, 570);
    d.rotulo("bottom panel, r on y", v[0], 760, 570 - S * r);
    d.tickh("bottom panel, r on y", 750, 570 - S * r);
    d.seta("middle panel", 750, 360, 750 + S * st * cos(phi) * r, 360 - S * ct * r, 'A');
    d.empilhado("middle panel, r on x, stacked", v[0], 750 + S * r, 365);
    d.tickv("middle panel, r on x", 750 + S * r, 360);
    d.rotulo("middle panel, r on z", v[0], 760, 360 - S * r);
    d.tickh("middle panel, r on z", 750, 360 - S * r);
    d.seta("top panel", 750, 150, 750 + S * st * sin(phi) * r, 150 - S * ct * r, 'A');
    d.empilhado("top panel, r on y, stacked", v[0], 750 + S * r, 155);
    d.tickv("top panel, r on y", 750 + S * r, 150);
    d.rotulo("top panel, r on z", v[0], 760, 150 - S * r);
    d.tickh("top panel, r on z", 750, 150 - S * r);
}

V quinze() {
    V vs;
    for (int k = 0; k < MAXVETORES; ++k) vs.push_back({float(1 + k % 4), float(25 * k), float(k - 6) / 2});
    return vs;
}

using Vetores = apoio::Desenho;

TEST_F(Vetores, EveryTickLabelAndArrowOfEveryVectorInEachSystemAtItsPlace) {
    const apoio::Vista &I = apoio::INICIAL, &G = apoio::GIRADA;
    const std::vector<apoio::Tamanho> ambos(std::begin(apoio::TAMANHOS), std::end(apoio::TAMANHOS));
    const struct {
        const char *nome;
        int sistema, unidade, mostnum;
        const apoio::Vista &vista;
        V vs;
        std::vector<apoio::Tamanho> tamanhos;
    } cenas[] = {
        {"cartesian", CARTESIANO, GRAUS, 1, I, {{3, -4, 5}, {-1.5f, 2.5f, -6}}, ambos},
        {"cartesian, no labels", CARTESIANO, GRAUS, 0, G, {{3, -4, 5}, {-1.5f, 2.5f, -6}}, ambos},
        {"cartesian, scale labels instead", CARTESIANO, GRAUS, 2, I, {{3, -4, 5}}, ambos},
        {"cartesian (10, 0, 0)", CARTESIANO, GRAUS, 1, I, {{10, 0, 0}}, ambos},
        {"cylindrical, fifteen pens", CILINDRICO, GRAUS, 1, I, quinze(), ambos},
        {"cylindrical, radians", CILINDRICO, RADIANOS, 1, G, {{3, 0.7f, 2}, {5, 3.5f, -1}, {2, 5.2f, 4}}, ambos},
        {"spherical", ESFERICO, GRAUS, 1, I, {{2, 30, 60}, {4, 120, 250}, {3, 75, 330}}, ambos},
        {"spherical, radians", ESFERICO, RADIANOS, 1, G, {{2, 0.5f, 1}, {1, 2, 5}, {0, 1, 1}}, ambos},
        // No width: every x is 0, so the head's angle shows which coordinate its guard reads.
        {"cartesian, guard on y", CARTESIANO, GRAUS, 1, I, {{1, 2, 3}}, {{0, 768}}},
        {"cylindrical, guard on y", CILINDRICO, GRAUS, 1, I, {{1, 20, 3}}, {{0, 768}}},
        {"spherical, guard on x", ESFERICO, GRAUS, 1, I, {{1, 20, 30}}, {{0, 768}}},
    };
    for (auto &r : cenas)
        for (apoio::Tamanho t : r.tamanhos) {
            std::string nome = r.nome;
            Traco d{em(t, r.vista, nome)};
            d.mostnum = mostnum = r.mostnum;
            d.guardax = r.sistema == ESFERICO;
            // The lengths alone take part in the scale, all three entries of a Cartesian vector.
            float maior = 0.001f;
            for (auto &v : r.vs)
                for (int c = 0; c < 3; ++c)
                    if (apoio::comprimento(r.sistema, c) && fabs(v[c]) > maior) maior = fabsf(v[c]);
            const float escala = 240 / maior;
            for (auto &v : r.vs) {
                float e[3];
                for (int c = 0; c < 3; ++c)
                    e[c] = apoio::comprimento(r.sistema, c) ? v[c] * escala : apoio::radianos(v[c], r.unidade);
                d.caneta("pen " + std::to_string(d.k), Cor[d.k]);
                auto desenho = r.sistema == CARTESIANO ? cartesiano : r.sistema == CILINDRICO ? cilindrico : esferico;
                desenho(d, v.data(), e[0], e[1], e[2], r.vista.angulox, r.vista.anguloz);
                ++d.k;
            }
            apoio::guarda(r.sistema, r.unidade, r.vs);
            const std::vector<float> antes(&vetores[0][0], &vetores[0][0] + 3 * MAXVETORES);
            auto c = pinta(MODO_VETORES);
            EXPECT_EQ(memcmp(antes.data(), vetores, sizeof vetores), 0) << nome << ": table changed by the paint";
            apoio::confere(c, EIXOS + (r.mostnum == ESCALA_MEDIA ? 18 : 0), d.passos, nome);
        }
}

TEST_F(Vetores, WhatIsNotFiniteIsNotDrawn) {
    // Nothing lands far off the canvas, on x = 0 or y = 0 where NaN would, or as a line of 100 bytes.
    const float I = INFINITY, N = NAN;
    const struct {
        const char *nome;
        int s;
        V vs;
    } rows[] = {
        {"infinite", CARTESIANO, {{I, 1, 2}, {3, 4, 5}}},
        {"nan", CARTESIANO, {{N, N, N}, {1, 2, 3}}},
        {"nan y", CARTESIANO, {{1, N, 1}}},
        {"largest floats", CARTESIANO, {{3.4e38f, -3.4e38f, 3.4e38f}}},
        {"infinite r", ESFERICO, {{I, 10, 10}, {1, 20, 20}}},
        {"infinite angle", CILINDRICO, {{1, I, 1}}},
        {"huge angles", ESFERICO, {{1, 1e30f, -1e30f}}},
        {"nan theta", ESFERICO, {{1, N, 1}}},
    };
    for (auto &r : rows) {
        apoio::guarda(r.s, GRAUS, r.vs);
        auto c = pinta(MODO_VETORES);
        for (size_t i = EIXOS; i < c.size(); ++i) {
            const GdiCall &g = c[i];
            EXPECT_TRUE(g.op > GdiCall::TextOut ||
                        (g.x && g.y && g.x > -100 && g.x < 1124 && g.y > -100 && g.y < 868 && g.text.size() < 100))
                << r.nome << ", call " << i << ": " << g.x << ", " << g.y;
        }
    }
}

}  // namespace
