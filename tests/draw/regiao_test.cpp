// The region view from the recorded GDI calls: every label, tick and dot of each of its three
// stages, in each coordinate system, at the reference size and at half of it, in the initial view
// and in a turned one, against positions and sweeps worked out here from the limits.
#include "apoio/desenho.h"

#include <math.h>
#include <string.h>

#include <array>
#include <utility>

namespace {

using wintest::GdiCall;
using L = std::array<float, 6>;  // the three pairs of limits as entered
constexpr double K = 100.0 / 240;
constexpr size_t EIXOS = 1 + 9 * 7;

// trunc(lo), then every n while below hi.
std::vector<int> varre(float lo, float hi, int n) {
    std::vector<int> v;
    for (int i = int(lo); i < hi; i += n) v.push_back(i);
    return v;
}
// From lo exactly, in float steps of 0.05, while below hi.
std::vector<double> varreangulo(float lo, float hi) {
    std::vector<double> v;
    for (float a = lo; a < hi; a = float(a + 0.05)) v.push_back(a);
    return v;
}

// One axis of a stage: limit value v is written at (x + kx v, y + ky v), moved by (dx, dy) device
// pixels, and ticked at (tx + tkx v, ty + tky v), across ('h') or upright ('v'), 6 pixels long.
struct Marca {
    const char *nome;
    int par;       // the pair of limits marked
    bool inverso;  // the upper limit first
    double x, kx, y, ky;
    char tick;
    double tx, tkx, ty, tky;
    int dx, dy;
};

struct Regiao : apoio::Desenho {
    apoio::Esperado e{1, 1, {}};
    float val[3][2], esc[3][2];  // the limits as kept, and as drawn (lengths scaled, angles in radians)
    double ax, ca, sz, g;        // angulox, cos(angulox), sin(anguloz), cos(angulox - 1.57075)

    // The stage's pen, then for each of its axes the labels of both limits and their two ticks.
    void marcas(int estagio, std::initializer_list<Marca> ms) {
        const std::string n = "stage " + std::to_string(estagio + 1);
        e.caneta(n + " pen", Cor[estagio]);
        for (const Marca &m : ms) {
            const int a = m.inverso, b = !m.inverso;
            if (mostnum != ESCALA_NENHUMA)
                for (int i : {a, b})
                    e.texto(n + ", " + m.nome + ", label " + std::to_string(i), apoio::numero(val[m.par][i]),
                            m.x + m.kx * esc[m.par][i], m.y + m.ky * esc[m.par][i], m.dx, m.dy);
            for (int i : {a, b}) {
                const double X = m.tx + m.tkx * esc[m.par][i], Y = m.ty + m.tky * esc[m.par][i];
                const int h = m.tick == 'h' ? 3 : 0, v = 3 - h;
                e.segmento(n + ", " + m.nome + ", tick " + std::to_string(i), X, Y, -h, -v, h, v);
            }
        }
    }
    void ponto(const char *nome, std::pair<double, double> p) { e.segmento(nome, p.first, p.second, 0, 0, 1, 1); }
    // The main view of Cartesian (P), cylindrical (Q) and spherical (S) positions.
    std::pair<double, double> P(double x, double y, double z) { return {300 + y - ca * x, 350 - z + sz * x}; }
    std::pair<double, double> Q(double r, double f, double z) {
        return {300 - r * cos(ax + f), 350 - z + r * cos(f) * sz};
    }
    std::pair<double, double> S(double r, double t, double f) {
        return {300 - r * sin(t) * cos(ax + f), 350 - r * cos(t) + r * sin(t) * cos(f) * sz};
    }

    void cartesiano() {
        const double x0 = esc[0][0], x1 = esc[0][1], y0 = esc[1][0], y1 = esc[1][1], z0 = esc[2][0], z1 = esc[2][1];
        const float b = esc[0][0] + esc[0][1];  // an x sweep is drawn mirrored about it in the main view
        marcas(0, {{"main x", 0, true, 300, -ca, 350, sz, 'h', 300, -ca, 350, sz, 0, 0},
                   {"bottom panel, vertical", 1, false, 760, 0, 570, -K, 'h', 750, 0, 570, -K, 0, 0},
                   {"bottom panel, horizontal", 0, false, 750, K, 580, 0, 'v', 750, K, 570, 0, 0, 0}});
        for (int i : varre(x0, x1, 7))
            for (int j : varre(y0, y1, 7)) {
                ponto("stage 1, face z0", P(b - i, j, z0));
                ponto("stage 1, face z1", P(b - i, j, z1));
                ponto("stage 1, bottom panel", {750 + K * i, 570 - K * j});
            }
        marcas(1, {{"main z", 2, false, 310, 0, 350, -1, 'h', 300, 0, 350, -1, 0, 0},
                   {"middle panel, vertical", 2, false, 760, 0, 360, -K, 'h', 750, 0, 360, -K, 0, 0},
                   {"middle panel, horizontal", 0, false, 750, K, 370, 0, 'v', 750, K, 360, 0, 0, 0}});
        for (int i : varre(x0, x1, 9))
            for (int j : varre(z0, z1, 9)) {
                ponto("stage 2, face y0", P(b - i, y0, j));
                ponto("stage 2, face y1", P(b - i, y1, j));
                ponto("stage 2, middle panel", {750 + K * i, 360 - K * j});
            }
        marcas(2, {{"main y", 1, false, 310, 1, 350, 0, 'v', 300, 1, 350, 0, 0, 0},
                   {"top panel, vertical", 2, false, 760, 0, 150, -K, 'h', 750, 0, 150, -K, 0, 0},
                   {"top panel, horizontal", 1, false, 750, K, 160, 0, 'v', 750, K, 150, 0, 0, 0}});
        for (int i : varre(y0, y1, 8))
            for (int j : varre(z0, z1, 8)) {
                ponto("stage 3, face x1", P(x1, i, j));
                ponto("stage 3, face x0", P(x0, i, j));
                ponto("stage 3, top panel", {750 + K * i, 150 - K * j});
            }
    }

    void cilindrico() {
        const double r0 = esc[0][0], r1 = esc[0][1], f0 = esc[1][0], f1 = esc[1][1], z0 = esc[2][0], z1 = esc[2][1];
        marcas(0, {{"main x", 0, false, 310, -ca, 350, sz, 'h', 300, -ca, 350, sz, 0, 0},
                   {"bottom panel, vertical", 0, false, 760, 0, 570, -K, 'h', 750, 0, 570, -K, 0, 0},
                   {"bottom panel, horizontal", 0, false, 750, K, 580, 0, 'v', 750, K, 570, 0, 0, 0}});
        for (int i : varre(r0, r1, 7))
            for (double f : varreangulo(f0, f1)) {
                ponto("stage 1, end z0", Q(i, f, z0));
                ponto("stage 1, end z1", Q(i, f, z1));
                ponto("stage 1, bottom panel", {750 + K * i * cos(f), 570 - K * i * sin(f)});
            }
        marcas(1, {{"main z", 2, false, 310, 0, 350, -1, 'h', 300, 0, 350, -1, 0, 0},
                   {"middle panel, vertical", 2, false, 760, 0, 360, -K, 'h', 750, 0, 360, -K, 0, 0},
                   {"middle panel, horizontal", 0, false, 750, K, 370, 0, 'v', 750, K, 360, 0, 0, 0}});
        for (int i : varre(r0, r1, 9))
            for (int j : varre(z0, z1, 9)) {
                ponto("stage 2, face phi0", Q(i, f0, j));
                ponto("stage 2, face phi1", Q(i, f1, j));
                ponto("stage 2, middle panel, phi0", {750 + K * i * cos(f0), 360 - K * j});
                ponto("stage 2, middle panel, phi1", {750 + K * i * cos(f1), 360 - K * j});
            }
        marcas(2, {{"main y, up 3", 0, false, 310, g, 350, 0, 'v', 300, g, 350, 0, 0, -3},
                   {"top panel, vertical", 2, false, 760, 0, 150, -K, 'h', 750, 0, 150, -K, 0, 0},
                   {"top panel, horizontal", 0, false, 750, K, 160, 0, 'v', 750, K, 150, 0, 0, 0}});
        for (double f : varreangulo(f0, f1))
            for (int j : varre(z0, z1, 8)) {
                ponto("stage 3, face r0", Q(r0, f, j));
                ponto("stage 3, face r1", Q(r1, f, j));
            }
        for (int i : varre(r0, r1, 9))
            for (int j : varre(z0, z1, 8)) {
                ponto("stage 3, top panel, phi0", {750 + K * i * sin(f0), 150 - K * j});
                ponto("stage 3, top panel, phi1", {750 + K * i * sin(f1), 150 - K * j});
            }
    }

    void esferico() {
        const double r0 = esc[0][0], r1 = esc[0][1], t0 = esc[1][0], t1 = esc[1][1], f0 = esc[2][0], f1 = esc[2][1];
        marcas(0, {{"main x", 0, false, 310, -ca, 350, sz, 'h', 300, -ca, 350, sz, 0, 0},
                   {"middle panel, vertical", 0, false, 760, 0, 360, -K, 'h', 750, 0, 360, -K, 0, 0},
                   {"middle panel, horizontal", 0, false, 750, K, 360, 0, 'v', 750, K, 360, 0, 0, 0}});
        for (int i : varre(r0, r1, 7))
            for (double t : varreangulo(t0, t1)) {
                ponto("stage 1, face phi0", S(i, t, f0));
                ponto("stage 1, face phi1", S(i, t, f1));
                for (double f : {f0, f1})
                    ponto("stage 1, middle panel", {750 + K * i * sin(t) * cos(f), 360 - K * i * cos(t)});
            }
        marcas(1, {{"main z", 0, false, 310, 0, 350, -1, 'h', 300, 0, 350, -1, 0, 0},
                   {"bottom panel, horizontal, up 3", 0, false, 750, K, 580, 0, 'v', 750, K, 570, 0, 0, -3},
                   {"bottom panel, vertical, left 3", 0, false, 760, 0, 570, -K, 'h', 750, 0, 570, -K, -3, 0}});
        for (int i : varre(r0, r1, 9))
            for (double f : varreangulo(f0, f1)) {
                ponto("stage 2, cone theta0", S(i, t0, f));
                ponto("stage 2, cone theta1", S(i, t1, f));
                for (double t : {t0, t1})
                    ponto("stage 2, bottom panel", {750 + K * i * sin(t) * cos(f), 570 - K * i * sin(t) * sin(f)});
            }
        marcas(2, {{"main y, up 3", 0, false, 300, g, 360, 0, 'v', 300, g, 350, 0, 0, -3},
                   {"top panel, vertical, left 3", 0, false, 760, 0, 150, -K, 'h', 750, 0, 150, -K, -3, 0},
                   {"top panel, horizontal, up 3", 0, false, 750, K, 160, 0, 'v', 750, K, 150, 0, 0, -3}});
        for (double t : varreangulo(t0, t1))
            for (double f : varreangulo(f0, f1)) {
                ponto("stage 3, sphere r0", S(r0, t, f));
                ponto("stage 3, sphere r1", S(r1, t, f));
                for (double rb : {r0, r1})
                    ponto("stage 3, top panel", {750 + K * rb * sin(t) * sin(f), 150 - K * rb * cos(t)});
            }
    }

    // Paints; returns the calls after the axes as text. Nothing, not even what is not finite, may
    // be drawn far off the canvas or on (0, 0), where NaN lands.
    std::string desenha(int s, int u, L v, int m = ESCALA_VETORES) {
        Scoord = s, Medgrau = u, mostnum = m;
        memcpy(reg, v.data(), sizeof reg);
        auto c = pinta(MODO_REGIAO);
        std::string t;
        for (size_t i = EIXOS; i < c.size(); ++i) {
            const GdiCall &g = c[i];
            t += std::to_string(g.op) + " " + std::to_string(g.x) + " " + std::to_string(g.y) + g.text + ";";
            const bool dentro = g.x > -100 && g.x < 1124 && g.y > -100 && g.y < 868;
            EXPECT_TRUE(g.op > GdiCall::TextOut || ((g.x || g.y) && dentro)) << "a stray point: " << g.x << ", " << g.y;
        }
        return t;
    }
};

TEST_F(Regiao, EveryLabelTickAndDotOfEachStageAtItsPlace) {
    const apoio::Vista &I = apoio::INICIAL, &G = apoio::GIRADA;
    const struct {
        const char *nome;
        int sistema, unidade, mostnum;
        const apoio::Vista &vista;
        L v;
    } cenas[] = {
        {"box", CARTESIANO, GRAUS, 1, I, {-1, 1, 0, 2, 0, 3}},
        {"box reversed, fractional, no labels", CARTESIANO, GRAUS, 0, G, {2.3f, -0.7f, 0.4f, -1.2f, 1.9f, 0.5f}},
        {"equal whole x limits: no x sweep", CARTESIANO, GRAUS, 1, I, {1, 1, 0, 2, 0, 3}},
        {"equal x limits 80.8 scaled: x once", CARTESIANO, GRAUS, 2, G, {1.01f, 1.01f, 0, 2, 0, 3}},
        {"cylindrical sector", CILINDRICO, GRAUS, 2, I, {1, 5, 20, 110, -1, 4}},
        {"cylindrical, radians, reversed, radius raised", CILINDRICO, RADIANOS, 1, G, {-2, 3, 2.5f, 0.4f, 3, -1.5f}},
        {"cylindrical, radius 5 to -3: raised before sorted", CILINDRICO, GRAUS, 1, I, {5, -3, 0, 90, 0, 2}},
        {"cylindrical, phi steps onto its end, excluded", CILINDRICO, RADIANOS, 1, I, {0.5f, 4, 1, 1.05f, -2, 2}},
        {"spherical sector", ESFERICO, GRAUS, 1, I, {2, 6, 30, 100, 40, 160}},
        {"spherical, radians, reversed", ESFERICO, RADIANOS, 1, G, {6, 2, 1.9f, 0.3f, 4.5f, 1}},
        {"spherical shell, no labels", ESFERICO, GRAUS, 0, I, {0, 10, 0, 180, 0, 360}},
        {"spherical, equal phi limits: no phi sweep", ESFERICO, GRAUS, 1, G, {1, 3, 10, 170, 70, 70}},
    };
    for (auto &r : cenas)
        for (apoio::Tamanho t : apoio::TAMANHOS) {
            std::string nome = r.nome;
            e = em(t, r.vista, nome);
            mostnum = r.mostnum;
            ax = r.vista.angulox, ca = cos(ax), sz = sin(r.vista.anguloz), g = cos(ax - 1.57075);
            // Each pair is kept in order, a negative lower radius raised to 0 first; the lengths are
            // drawn scaled so that the largest lands at 240.
            memcpy(val, r.v.data(), sizeof val);
            if (r.sistema != CARTESIANO && val[0][0] < 0) val[0][0] = 0;
            for (auto &p : val)
                if (p[1] < p[0]) std::swap(p[0], p[1]);
            float maior = 0.001f;
            for (int c = 0; c < 3; ++c)
                for (float l : val[c])
                    if (apoio::comprimento(r.sistema, c) && fabs(l) > maior) maior = fabsf(l);
            const float escala = 240 / maior;
            for (int c = 0; c < 3; ++c)
                for (int i = 0; i < 2; ++i)
                    esc[c][i] = apoio::comprimento(r.sistema, c) ? val[c][i] * escala
                                                                 : apoio::radianos(val[c][i], r.unidade);
            r.sistema == CARTESIANO ? cartesiano() : r.sistema == CILINDRICO ? cilindrico() : esferico();

            Scoord = r.sistema, Medgrau = r.unidade;
            memcpy(reg, r.v.data(), sizeof reg);
            apoio::confere(pinta(MODO_REGIAO), EIXOS, e.passos, nome);
            const float b = esc[0][0] + esc[0][1];  // the Cartesian base point stays in posxini and posyini
            const auto base = std::make_pair(float(300 - ca * b), float(350 + sz * b));
            if (r.sistema == CARTESIANO) {
                EXPECT_EQ(std::make_pair(posxini, posyini), base) << nome;
            }
        }
}

TEST_F(Regiao, DrawnAsTheLimitsInOrderAndWithinTheAngleCheck) {
    // Reversed pairs draw sorted and stay sorted; a huge or infinite angle is held within the
    // angle check for the drawing only (every sweep ends); radians draw as degrees; a negative
    // lower radius is raised to 0, but before the sort (5 and -3 give -3..5).
    const float I = INFINITY, R90 = float(90 * 3.1415 / 180);
    const struct {
        const char *nome;
        int s, u, ud;
        L e, d, depois;
    } rows[] = {
        {"reversed, cartesian", CARTESIANO, GRAUS, GRAUS, {1, -1, 2, 0, 3, 0}, {-1, 1, 0, 2, 0, 3}, {-1, 1, 0, 2, 0, 3}},
        {"reversed, cylindrical", CILINDRICO, GRAUS, GRAUS, {4, 1, 90, 10, 5, -5}, {1, 4, 10, 90, -5, 5}, {1, 4, 10, 90, -5, 5}},
        {"reversed, spherical", ESFERICO, GRAUS, GRAUS, {4, 1, 120, 30, 300, 45}, {1, 4, 30, 120, 45, 300}, {1, 4, 30, 120, 45, 300}},
        {"phi 1e30..10 degrees", CILINDRICO, GRAUS, GRAUS, {0, 1, 1e30f, 10, 0, 1}, {0, 1, 10, 360, 0, 1}, {0, 1, 10, 1e30f, 0, 1}},
        {"phi 1e8..1 radians", CILINDRICO, RADIANOS, RADIANOS, {0, 1, 1e8f, 1, 0, 1}, {0, 1, 1, 6.283f, 0, 1}, {0, 1, 1, 1e8f, 0, 1}},
        {"theta and phi huge", ESFERICO, GRAUS, GRAUS, {0, 1, 5e7f, 20, 3e9f, 0}, {0, 1, 20, 180, 0, 360}, {0, 1, 20, 5e7f, 0, 3e9f}},
        {"infinite", ESFERICO, RADIANOS, RADIANOS, {0, 1, I, 0, I, 1}, {0, 1, 0, 3.1415f, 1, 6.283f}, {0, 1, 0, I, 1, I}},
        {"radians", CILINDRICO, RADIANOS, GRAUS, {0, 1, 0, R90, 0, 1}, {0, 1, 0, 90, 0, 1}, {0, 1, 0, R90, 0, 1}},
        {"rho -2..5 raised", CILINDRICO, GRAUS, GRAUS, {-2, 5, 0, 90, 0, 90}, {0, 5, 0, 90, 0, 90}, {0, 5, 0, 90, 0, 90}},
        {"r -2..5 raised", ESFERICO, GRAUS, GRAUS, {-2, 5, 0, 90, 0, 90}, {0, 5, 0, 90, 0, 90}, {0, 5, 0, 90, 0, 90}},
        {"rho 5..-3: -3..5", CILINDRICO, GRAUS, GRAUS, {5, -3, 0, 90, 0, 90}, {5, -3, 0, 90, 0, 90}, {-3, 5, 0, 90, 0, 90}},
        {"r 5..-3: -3..5", ESFERICO, GRAUS, GRAUS, {5, -3, 0, 90, 0, 90}, {5, -3, 0, 90, 0, 90}, {-3, 5, 0, 90, 0, 90}},
    };
    for (auto &r : rows) {
        std::string d = desenha(r.s, r.ud, r.d);
        EXPECT_TRUE(desenha(r.s, r.u, r.e) == d) << r.nome;
        EXPECT_EQ(memcmp(reg, r.depois.data(), sizeof reg), 0) << r.nome;
    }
}

TEST_F(Regiao, LimitsThatAreNotFiniteAreNotDrawn) {
    const float I = INFINITY, N = NAN, F = 3.4e38f;
    const struct {
        const char *nome;
        int s;
        L v;
    } rows[] = {
        {"infinite length", CARTESIANO, {0, I, 0, 1, 0, 1}}, {"nan", CARTESIANO, {N, 1, 0, N, 0, 1}},
        {"largest floats", CARTESIANO, {-F, F, -F, F, 0, F}}, {"infinite radius", CILINDRICO, {0, I, 0, 90, 0, 1}},
        {"angle nan", ESFERICO, {0, 1, N, 90, 0, N}},         {"phi nan", CILINDRICO, {0, 1, N, 90, 0, 1}},
    };
    for (auto &r : rows) {
        SCOPED_TRACE(r.nome);
        desenha(r.s, GRAUS, r.v);
    }
}

}  // namespace
