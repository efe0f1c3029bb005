// vetorial.cpp - unit conversions, the region angle check, the vector operations and the
// vector text.
#include "state/vetorial.h"

#include "state/estado.h"

#include <float.h>
#include <math.h>
#include <stdio.h>
#include <string.h>

#include <limits>

float grauparad(float graus) { return static_cast<float>(graus * PI * (1.0 / 180)); }

float radpagrau(float rad) { return static_cast<float>(rad * 180.0 * (1.0 / PI)); }

bool entradaangular(int sistema, int k) { return (sistema == CILINDRICO && k == 1) || (sistema == ESFERICO && (k == 1 || k == 2)); }

namespace {

struct LimiteAngular {
    int unidade, sistema, coord;
    double maximo;
    const char *mensagem;
};

const char MSG_PHI[] = "O valor de phi está errado e foi colocado nos limites!";
const char MSG_THETA[] = "O valor de theta está errado e foi colocado nos limites!";

// In the order the user is warned: theta before phi.
// clang-format off
const LimiteAngular limites[] = {
    {RADIANOS, CILINDRICO, 1, VOLTA_RAD, MSG_PHI},
    {RADIANOS, ESFERICO, 1, MEIAVOLTA_RAD, MSG_THETA},
    {RADIANOS, ESFERICO, 2, VOLTA_RAD, MSG_PHI},
    {GRAUS, CILINDRICO, 1, VOLTA_GRAUS, MSG_PHI},
    {GRAUS, ESFERICO, 1, MEIAVOLTA_GRAUS, MSG_THETA},
    {GRAUS, ESFERICO, 2, VOLTA_GRAUS, MSG_PHI},
};
// clang-format on

}  // namespace

void verificaregiao(HWND hDlg) {
    for (const LimiteAngular &l : limites) {
        if (l.unidade != Medgrau || l.sistema != Scoord) continue;
        float *par = reg[l.coord];
        // The float limit is compared with the double maximum, so a typed 6.283 (a little
        // below as a float) passes. A reversed pair inside the range is left for the drawing.
        if (par[1] > l.maximo || par[0] < 0) {
            MessageBoxA(hDlg, l.mensagem, szNomeAplic, MB_OK | MB_ICONEXCLAMATION);
            par[0] = 0;
            par[1] = static_cast<float>(l.maximo);
        }
    }
}

void posicionacartesiano(int sistema, const float e[3], double xyz[3]) {
    if (sistema == CILINDRICO) {
        xyz[0] = e[0] * cos(e[1]);
        xyz[1] = e[0] * sin(e[1]);
        xyz[2] = e[2];
    } else if (sistema == ESFERICO) {
        xyz[0] = e[0] * sin(e[1]) * cos(e[2]);
        xyz[1] = e[0] * sin(e[1]) * sin(e[2]);
        xyz[2] = e[0] * cos(e[1]);
    } else {
        for (int k = 0; k < 3; k++) xyz[k] = e[k];
    }
}

namespace {

float emfloat(double v) {
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(v);
}

}  // namespace

void convertevetor(int sistema, int unidade, const float e[3], int para, int unidadepara, float out[3]) {
    if (para == sistema) {
        for (int k = 0; k < 3; k++)
            out[k] = !entradaangular(para, k) || unidade == unidadepara ? e[k] : unidadepara == GRAUS ? radpagrau(e[k]) : grauparad(e[k]);
        return;
    }
    float rad[3];
    for (int k = 0; k < 3; k++) rad[k] = entradaangular(sistema, k) && unidade == GRAUS ? grauparad(e[k]) : e[k];
    double xyz[3], p[3];
    posicionacartesiano(sistema, rad, xyz);
    // atan2 answers on the true circle, so a turn is added on the true circle too: with the
    // 3.1415 of the unit rule, the point converted back would come out turned by 0.0002.
    double phi = atan2(xyz[1], xyz[0]);
    if (phi < 0) phi += 6.283185307179586;
    if (para == CILINDRICO) {
        p[0] = sqrt(xyz[0] * xyz[0] + xyz[1] * xyz[1]), p[1] = phi, p[2] = xyz[2];
    } else if (para == ESFERICO) {
        const double r = sqrt(xyz[0] * xyz[0] + xyz[1] * xyz[1] + xyz[2] * xyz[2]);
        p[0] = r, p[1] = r == 0 ? 0 : acos(fmax(-1.0, fmin(1.0, xyz[2] / r))), p[2] = phi;
    } else {
        for (int k = 0; k < 3; k++) p[k] = xyz[k];
    }
    for (int k = 0; k < 3; k++) out[k] = emfloat(entradaangular(para, k) && unidadepara == GRAUS ? p[k] * 180.0 * (1.0 / PI) : p[k]);
}

void somavet(const float a[3], const float b[3], float r[3]) {
    for (int k = 0; k < 3; k++) r[k] = static_cast<float>(double(a[k]) + b[k]);
}

void subtraivet(const float a[3], const float b[3], float r[3]) {
    for (int k = 0; k < 3; k++) r[k] = static_cast<float>(double(a[k]) - b[k]);
}

void multiplicavet(float s, const float a[3], float r[3]) {
    for (int k = 0; k < 3; k++) r[k] = static_cast<float>(double(s) * a[k]);
}

void dividevet(const float a[3], float s, float r[3]) {
    for (int k = 0; k < 3; k++) r[k] = static_cast<float>(double(a[k]) / s);
}

void produtovetorial(const float a[3], const float b[3], float r[3]) {
    // All three from the old entries, since r may alias a or b.
    const double x = double(a[1]) * b[2] - double(a[2]) * b[1];
    const double y = double(a[2]) * b[0] - double(a[0]) * b[2];
    const double z = double(a[0]) * b[1] - double(a[1]) * b[0];
    r[0] = static_cast<float>(x);
    r[1] = static_cast<float>(y);
    r[2] = static_cast<float>(z);
}

float produtoescalar(const float a[3], const float b[3]) {
    float soma = 0;
    for (int k = 0; k < 3; k++) soma = static_cast<float>(soma + double(a[k]) * b[k]);
    return soma;
}

float produtoescalarcalc(const float a[3], const float b[3]) {
    float p[3];
    for (int k = 0; k < 3; k++) p[k] = static_cast<float>(double(a[k]) * b[k]);
    return static_cast<float>(double(p[0]) + p[1] + p[2]);
}

static double quadrado(const float a[3]) { return double(a[0]) * a[0] + double(a[1]) * a[1] + double(a[2]) * a[2]; }

float modulovet(const float a[3]) { return static_cast<float>(sqrt(quadrado(a))); }

double angulovet(const float a[3], const float b[3]) {
    const float escalar = produtoescalar(a, b);
    const double denominador = sqrt(quadrado(a)) * sqrt(quadrado(b));
    if (denominador == 0)  // a null vector has no direction
        return std::numeric_limits<double>::quiet_NaN();
    float cosseno = static_cast<float>(escalar / denominador);
    // Rounding can push the cosine of parallel vectors just past 1, outside acos.
    if (cosseno > 1.0f)
        cosseno = 1.0f;
    else if (cosseno < -1.0f)
        cosseno = -1.0f;
    const float angulo = cosseno == 0.0f ? RETO_LISTAGEM : static_cast<float>(acos(cosseno));
    return angulo * 180.0 * (1.0 / PI);
}

// Appends texto to dest, cut so the terminator still fits; len is the length of dest.
static void acrescenta(char *dest, size_t size, size_t &len, const char *texto) {
    const size_t n = strlen(texto);
    const size_t cabe = size - 1 - len;
    const size_t copia = n < cabe ? n : cabe;
    memcpy(dest + len, texto, copia);
    len += copia;
    dest[len] = '\0';
}

size_t textoangulo(char *dest, size_t size, double graus) {
    if (size == 0) return 0;
    char numero[64];
    if (isnan(graus))
        strcpy(numero, "indefinido");
    else
        snprintf(numero, sizeof numero, "%5.2f", graus);
    size_t len = 0;
    dest[0] = '\0';
    acrescenta(dest, size, len, numero);
    return len;
}

const char *sufixovetor(int sistema, int k) {
    static const char *const sufixos[3][3] = {
        {"a_x", "a_y", "a_z"},
        {"a_r", "a_phi", "a_z"},
        {"a_r", "a_theta", "a_phi"},
    };
    if (k < 0 || k > 2) return "";
    const int linha = sistema == CILINDRICO ? 1 : sistema == ESFERICO ? 2 : 0;
    return sufixos[linha][k];
}

size_t textovetor(char *dest, size_t size, const char *prefixoCabeca, const float c[3], int sistema) {
    if (size == 0) return 0;
    size_t len = 0;
    dest[0] = '\0';
    if (prefixoCabeca) acrescenta(dest, size, len, prefixoCabeca);
    for (int k = 0; k < 3; k++) {
        // A negative component's own minus sign stands in for " + ". Tested as >= 0, so a
        // negative zero gets " + " before its "-0.00" and a NaN gets none.
        if (k > 0 && c[k] >= 0) acrescenta(dest, size, len, " + ");
        char componente[64];  // the widest float, 3.4e38, takes 42 characters by "%5.2f"
        snprintf(componente, sizeof componente, "%5.2f%s", c[k], sufixovetor(sistema, k));
        acrescenta(dest, size, len, componente);
    }
    return len;
}
