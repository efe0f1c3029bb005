// regiao.cpp - the region view: every bounding face sampled on a grid and marked with dots, the
// limits marked and written on the axes.
#include "draw/regiao.h"

#include "canvas/tela.h"
#include "state/estado.h"
#include "state/vetorial.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <utility>
#include <vector>

namespace {

constexpr double K = FATOR_PAINEL;
// Curved directions are sampled every 0.05 radian.
constexpr double PASSO_ANGULO = 0.05;

struct Ponto {
    double x, y;
};

// One pair of limits: the stored values the labels show, and the values drawn (the lengths
// scaled, the angles in radians).
struct Par {
    float val[2];
    float esc[2];
    Par invertido() const { return {{val[1], val[0]}, {esc[1], esc[0]}}; }
};

enum Tick { HORIZONTAL, VERTICAL };

class Regiao {
public:
    Regiao(HDC hdc) : hdc_(hdc), t_(telaatual()) {}

    void caneta(int i) const { SelectObject(hdc_, ::caneta[i]); }

    // One axis: the two limits written at their label points, then their two ticks. dx and dy
    // move the labels by device pixels.
    template <class Rotulo, class Marca>
    void eixo(const Par &p, Rotulo rotulo, Tick tick, Marca marca, double dx = 0, double dy = 0) const {
        for (int i = 0; i < 2; ++i) escreve(p.val[i], rotulo(p.esc[i]), dx, dy);
        for (int i = 0; i < 2; ++i) {
            Ponto m = marca(p.esc[i]);
            if (tick == HORIZONTAL)
                tickh(m);
            else
                tickv(m);
        }
    }

    // A small mark: a 1-pixel segment drawn with the 2-pixel pen.
    void ponto(Ponto p) const {
        double xd = p.x * t_.maxx, yd = p.y * t_.maxy;
        if (!finito(xd, yd)) return;
        MoveToEx(hdc_, pixel(xd), pixel(yd), NULL);
        LineTo(hdc_, pixel(xd + 1), pixel(yd + 1));
    }

private:
    static bool finito(double x, double y) { return desenhavel(x) && desenhavel(y); }

    void escreve(float valor, Ponto p, double dx, double dy) const {
        if (mostnum == ESCALA_NENHUMA) return;
        double xd = p.x * t_.maxx + dx, yd = p.y * t_.maxy + dy;
        if (!finito(xd, yd)) return;
        char texto[100];
        snprintf(texto, sizeof texto, "%5.2f", valor);
        TextOutA(hdc_, pixel(xd), pixel(yd), texto, int(strlen(texto)));
    }
    // Ticks of 6 device pixels centred on the point: horizontal on a vertical axis and on the
    // oblique x axis, vertical on a horizontal axis.
    void tickh(Ponto p) const {
        double xd = p.x * t_.maxx, yd = p.y * t_.maxy;
        if (!finito(xd, yd)) return;
        MoveToEx(hdc_, pixel(xd - 3), pixel(yd), NULL);
        LineTo(hdc_, pixel(xd + 3), pixel(yd));
    }
    void tickv(Ponto p) const {
        double xd = p.x * t_.maxx, yd = p.y * t_.maxy;
        if (!finito(xd, yd)) return;
        MoveToEx(hdc_, pixel(xd), pixel(yd - 3), NULL);
        LineTo(hdc_, pixel(xd), pixel(yd + 3));
    }

    HDC hdc_;
    Tela t_;
};

// Integer sweep: trunc(lo), trunc(lo) + passo, ... while below hi. Scaled lengths lie within
// -240..240, which bounds it; a limit that is not finite sweeps nothing.
template <class F>
void varre(float lo, float hi, int passo, F f) {
    if (!desenhavel(lo) || !desenhavel(hi)) return;
    for (int i = pixel(lo); i < hi; i += passo) f(i);
}

// One angle of a sweep with the sines and cosines its dots need. A sweep is taken once and its
// table read by every dot at that angle, on every face and for every radius, instead of calling
// sin and cos again per dot: the same calls on the same values, so the same bits.
struct Direcao {
    double cosvista;  // cos(angulox + a)
    double c, s;      // cos a, sin a
};

Direcao direcao(double a) { return {cos(angulox + a), cos(a), sin(a)}; }

// Angle sweep from lo exactly, in float steps of 0.05, while below hi. The limits are held
// within one turn before they get here, so it always ends.
std::vector<Direcao> varreangulo(float lo, float hi) {
    std::vector<Direcao> v;
    for (float a = lo; a < hi; a = float(a + PASSO_ANGULO)) v.push_back(direcao(a));
    return v;
}

void ordena(float par[2]) {
    if (par[1] < par[0]) std::swap(par[0], par[1]);
}

// A radius may not start below 0. The clamp comes before the sort, so 5 and -3 give -3..5
// this time; the next paint finds -3 as the lower radius and raises it.
void ordenaraio(float par[2]) {
    if (par[0] < 0) par[0] = 0;
    ordena(par);
}

// The angle pair as drawn, in radians. A reversed pair with a huge lower limit passes the
// region check and becomes, once sorted, a huge upper limit: holding the pair within the
// range of that check keeps every sweep to at most one turn. reg keeps what was entered.
Par angulo(const float par[2], double maxgraus, double maxrad) {
    double maximo = Medgrau == GRAUS ? maxgraus : maxrad;
    Par p;
    for (int i = 0; i < 2; ++i) {
        p.val[i] = par[i];
        float a = par[i];
        if (a < 0) a = 0;
        if (a > maximo) a = float(maximo);
        p.esc[i] = Medgrau == GRAUS ? grauparad(a) : a;
    }
    return p;
}

Par comprimento(const float par[2], float valmax) { return {{par[0], par[1]}, {par[0] * valmax, par[1] * valmax}}; }

// The faces z = z0, z1 (stage 1), y = y0, y1 (stage 2) and x = x0, x1 (stage 3), each with its
// projection in the panel of the plane it lies parallel to.
void cartesiano(const Regiao &d) {
    for (auto &par : reg) ordena(par);
    const float todos[6] = {reg[0][0], reg[0][1], reg[1][0], reg[1][1], reg[2][0], reg[2][1]};
    float valmax = escalaauto(todos, 6);
    Par x = comprimento(reg[0], valmax), y = comprimento(reg[1], valmax), z = comprimento(reg[2], valmax);
    double ca = cos(angulox), sz = sin(anguloz);
    auto P = [&](double px, double py, double pz) { return Ponto{300 + py - ca * px, 350 - pz + sz * px}; };

    // An x sweep is drawn mirrored inside the range in the main view, about the base point b.
    float b = x.esc[0] + x.esc[1];
    posxini = float(300 - ca * b);
    posyini = float(350 + sz * b);
    float x0 = x.esc[0], x1 = x.esc[1], y0 = y.esc[0], y1 = y.esc[1], z0 = z.esc[0], z1 = z.esc[1];

    d.caneta(0);
    // clang-format off
    d.eixo(x.invertido(), [&](float v) { return P(v, 0, 0); }, HORIZONTAL, [&](float v) { return P(v, 0, 0); });
    d.eixo(y, [](float v) { return Ponto{760, 570 - K * v}; }, HORIZONTAL, [](float v) { return Ponto{750, 570 - K * v}; });
    d.eixo(x, [](float v) { return Ponto{750 + K * v, 580}; }, VERTICAL, [](float v) { return Ponto{750 + K * v, 570}; });
    // clang-format on
    varre(x0, x1, 7, [&](int i) {
        varre(y0, y1, 7, [&](int j) {
            d.ponto(P(b - i, j, z0));
            d.ponto(P(b - i, j, z1));
            d.ponto({750 + K * i, 570 - K * j});
        });
    });

    d.caneta(1);
    // clang-format off
    d.eixo(z, [](float v) { return Ponto{310, 350 - v}; }, HORIZONTAL, [](float v) { return Ponto{300, 350 - v}; });
    d.eixo(z, [](float v) { return Ponto{760, 360 - K * v}; }, HORIZONTAL, [](float v) { return Ponto{750, 360 - K * v}; });
    d.eixo(x, [](float v) { return Ponto{750 + K * v, 370}; }, VERTICAL, [](float v) { return Ponto{750 + K * v, 360}; });
    // clang-format on
    varre(x0, x1, 9, [&](int i) {
        varre(z0, z1, 9, [&](int j) {
            d.ponto(P(b - i, y0, j));
            d.ponto(P(b - i, y1, j));
            d.ponto({750 + K * i, 360 - K * j});
        });
    });

    d.caneta(2);
    // clang-format off
    d.eixo(y, [](float v) { return Ponto{310 + v, 350}; }, VERTICAL, [](float v) { return Ponto{300 + v, 350}; });
    d.eixo(z, [](float v) { return Ponto{760, 150 - K * v}; }, HORIZONTAL, [](float v) { return Ponto{750, 150 - K * v}; });
    d.eixo(y, [](float v) { return Ponto{750 + K * v, 160}; }, VERTICAL, [](float v) { return Ponto{750 + K * v, 150}; });
    // clang-format on
    varre(y0, y1, 8, [&](int i) {
        varre(z0, z1, 8, [&](int j) {
            d.ponto(P(x1, i, j));
            d.ponto(P(x0, i, j));
            d.ponto({750 + K * i, 150 - K * j});
        });
    });
}

// The flat ends as concentric dotted arcs (stage 1), the radial faces (stage 2), the curved
// faces and the radial faces seen in the y-z panel (stage 3).
void cilindrico(const Regiao &d) {
    ordenaraio(reg[0]);
    ordena(reg[1]);
    ordena(reg[2]);
    const float comprimentos[4] = {reg[0][0], reg[0][1], reg[2][0], reg[2][1]};
    float valmax = escalaauto(comprimentos, 4);
    Par r = comprimento(reg[0], valmax), z = comprimento(reg[2], valmax);
    Par phi = angulo(reg[1], VOLTA_GRAUS, VOLTA_RAD);
    double ca = cos(angulox), sz = sin(anguloz), g = cos(angulox - RETO_DESENHO);
    auto P = [&](double px) { return Ponto{300 - ca * px, 350 + sz * px}; };
    auto Q = [&](double pr, const Direcao &f, double pz) { return Ponto{300 - pr * f.cosvista, 350 - pz + pr * f.c * sz}; };
    float r0 = r.esc[0], r1 = r.esc[1], z0 = z.esc[0], z1 = z.esc[1];
    // Angles in radians; the sweeps run on floats, the sines and cosines in double.
    const Direcao f0 = direcao(phi.esc[0]), f1 = direcao(phi.esc[1]);
    const std::vector<Direcao> fs = varreangulo(phi.esc[0], phi.esc[1]);

    d.caneta(0);
    // clang-format off
    d.eixo(r, [&](float v) { return Ponto{P(v).x + 10, P(v).y}; }, HORIZONTAL, P);
    d.eixo(r, [](float v) { return Ponto{760, 570 - K * v}; }, HORIZONTAL, [](float v) { return Ponto{750, 570 - K * v}; });
    d.eixo(r, [](float v) { return Ponto{750 + K * v, 580}; }, VERTICAL, [](float v) { return Ponto{750 + K * v, 570}; });
    // clang-format on
    varre(r0, r1, 7, [&](int i) {
        for (const Direcao &f : fs) {
            d.ponto(Q(i, f, z0));
            d.ponto(Q(i, f, z1));
            d.ponto({750 + K * i * f.c, 570 - K * i * f.s});
        }
    });

    d.caneta(1);
    // clang-format off
    d.eixo(z, [](float v) { return Ponto{310, 350 - v}; }, HORIZONTAL, [](float v) { return Ponto{300, 350 - v}; });
    d.eixo(z, [](float v) { return Ponto{760, 360 - K * v}; }, HORIZONTAL, [](float v) { return Ponto{750, 360 - K * v}; });
    d.eixo(r, [](float v) { return Ponto{750 + K * v, 370}; }, VERTICAL, [](float v) { return Ponto{750 + K * v, 360}; });
    // clang-format on
    varre(r0, r1, 9, [&](int i) {
        varre(z0, z1, 9, [&](int j) {
            d.ponto(Q(i, f0, j));
            d.ponto(Q(i, f1, j));
            d.ponto({750 + K * i * f0.c, 360 - K * j});
            d.ponto({750 + K * i * f1.c, 360 - K * j});
        });
    });

    d.caneta(2);
    // clang-format off
    d.eixo(r, [&](float v) { return Ponto{310 + g * v, 350}; }, VERTICAL, [&](float v) { return Ponto{300 + g * v, 350}; }, 0, -3);
    d.eixo(z, [](float v) { return Ponto{760, 150 - K * v}; }, HORIZONTAL, [](float v) { return Ponto{750, 150 - K * v}; });
    d.eixo(r, [](float v) { return Ponto{750 + K * v, 160}; }, VERTICAL, [](float v) { return Ponto{750 + K * v, 150}; });
    // clang-format on
    for (const Direcao &f : fs) {
        varre(z0, z1, 8, [&](int j) {
            d.ponto(Q(r0, f, j));
            d.ponto(Q(r1, f, j));
        });
    }
    varre(r0, r1, 9, [&](int i) {
        varre(z0, z1, 8, [&](int j) {
            d.ponto({750 + K * i * f0.s, 150 - K * j});
            d.ponto({750 + K * i * f1.s, 150 - K * j});
        });
    });
}

// The half-plane faces phi = phi0, phi1 (stage 1), the cone faces theta = theta0, theta1
// (stage 2) and the spherical faces r = r0, r1 (stage 3), each with one panel view.
void esferico(const Regiao &d) {
    ordenaraio(reg[0]);
    ordena(reg[1]);
    ordena(reg[2]);
    float valmax = escalaauto(reg[0], 2);
    Par r = comprimento(reg[0], valmax);
    Par theta = angulo(reg[1], MEIAVOLTA_GRAUS, MEIAVOLTA_RAD);
    Par phi = angulo(reg[2], VOLTA_GRAUS, VOLTA_RAD);
    double ca = cos(angulox), sz = sin(anguloz), g = cos(angulox - RETO_DESENHO);
    auto P = [&](double px) { return Ponto{300 - ca * px, 350 + sz * px}; };
    auto S = [&](double pr, const Direcao &t, const Direcao &f) {
        return Ponto{300 - pr * t.s * f.cosvista, 350 - pr * t.c + pr * t.s * f.c * sz};
    };
    float r0 = r.esc[0], r1 = r.esc[1];
    const Direcao t0 = direcao(theta.esc[0]), t1 = direcao(theta.esc[1]);
    const Direcao f0 = direcao(phi.esc[0]), f1 = direcao(phi.esc[1]);
    const std::vector<Direcao> ts = varreangulo(theta.esc[0], theta.esc[1]);
    const std::vector<Direcao> fs = varreangulo(phi.esc[0], phi.esc[1]);

    d.caneta(0);
    // clang-format off
    d.eixo(r, [&](float v) { return Ponto{P(v).x + 10, P(v).y}; }, HORIZONTAL, P);
    d.eixo(r, [](float v) { return Ponto{760, 360 - K * v}; }, HORIZONTAL, [](float v) { return Ponto{750, 360 - K * v}; });
    d.eixo(r, [](float v) { return Ponto{750 + K * v, 360}; }, VERTICAL, [](float v) { return Ponto{750 + K * v, 360}; });
    // clang-format on
    varre(r0, r1, 7, [&](int i) {
        for (const Direcao &t : ts) {
            d.ponto(S(i, t, f0));
            d.ponto(S(i, t, f1));
            for (const Direcao *fb : {&f0, &f1}) d.ponto({750 + K * i * t.s * fb->c, 360 - K * i * t.c});
        }
    });

    d.caneta(1);
    // clang-format off
    d.eixo(r, [](float v) { return Ponto{310, 350 - v}; }, HORIZONTAL, [](float v) { return Ponto{300, 350 - v}; });
    d.eixo(r, [](float v) { return Ponto{750 + K * v, 580}; }, VERTICAL, [](float v) { return Ponto{750 + K * v, 570}; }, 0, -3);
    d.eixo(r, [](float v) { return Ponto{760, 570 - K * v}; }, HORIZONTAL, [](float v) { return Ponto{750, 570 - K * v}; }, -3, 0);
    // clang-format on
    varre(r0, r1, 9, [&](int i) {
        for (const Direcao &f : fs) {
            d.ponto(S(i, t0, f));
            d.ponto(S(i, t1, f));
            for (const Direcao *tb : {&t0, &t1}) d.ponto({750 + K * i * tb->s * f.c, 570 - K * i * tb->s * f.s});
        }
    });

    d.caneta(2);
    // clang-format off
    d.eixo(r, [&](float v) { return Ponto{300 + g * v, 360}; }, VERTICAL, [&](float v) { return Ponto{300 + g * v, 350}; }, 0, -3);
    d.eixo(r, [](float v) { return Ponto{760, 150 - K * v}; }, HORIZONTAL, [](float v) { return Ponto{750, 150 - K * v}; }, -3, 0);
    d.eixo(r, [](float v) { return Ponto{750 + K * v, 160}; }, VERTICAL, [](float v) { return Ponto{750 + K * v, 150}; }, 0, -3);
    // clang-format on
    for (const Direcao &t : ts) {
        for (const Direcao &f : fs) {
            d.ponto(S(r0, t, f));
            d.ponto(S(r1, t, f));
            for (double rb : {r0, r1}) d.ponto({750 + K * rb * t.s * f.s, 150 - K * rb * t.c});
        }
    }
}

}  // namespace

void desenharegiao(HDC hdc) {
    Regiao d(hdc);
    switch (Scoord) {
    case CARTESIANO: cartesiano(d); break;
    case CILINDRICO: cilindrico(d); break;
    case ESFERICO: esferico(d); break;
    default: break;
    }
}
