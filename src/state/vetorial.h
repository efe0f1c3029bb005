// vetorial.h - the vector mathematics every view, the calculator and the report share.
//
// A vector is its three stored entries, taken as components along the unit vectors of the
// current system whatever that system is; angle entries are used as stored, never converted.
// Results are computed in double and rounded to float where they are kept, so the listing,
// the calculator and the report print the same digits.
#ifndef ORBIX_VETORIAL_H
#define ORBIX_VETORIAL_H

#include <windows.h>

#include <stddef.h>

// Unit conversions with pi = 3.1415.
float grauparad(float graus);
float radpagrau(float rad);

// True when entry k (0, 1, 2) of a vector or region is an angle in this system.
bool entradaangular(int sistema, int k);

// The region angle check run when a region or a new system is confirmed: a phi or theta pair
// out of range is reported in a message box owned by hDlg and widened to the full range.
void verificaregiao(HWND hDlg);

// Cartesian position of the entries e (angles in radians) in the given system.
void posicionacartesiano(int sistema, const float e[3], double xyz[3]);

// The entries e of a vector in system sistema (angles in unidade) as the entries of the same point
// in system para (angles in unidadepara): worked in double through its Cartesian position, phi
// from +x in 0 up to a true turn, theta from +z in 0..pi (0 at the origin), each rounded to float and held
// within the float range. In its own system only the angle unit changes.
void convertevetor(int sistema, int unidade, const float e[3], int para, int unidadepara, float out[3]);

// The operations; r may be the same array as a or b.
void somavet(const float a[3], const float b[3], float r[3]);
void subtraivet(const float a[3], const float b[3], float r[3]);
void multiplicavet(float s, const float a[3], float r[3]);
void dividevet(const float a[3], float s, float r[3]);
void produtovetorial(const float a[3], const float b[3], float r[3]);
// As the listings and the report form it: summed in a float, in entry order.
float produtoescalar(const float a[3], const float b[3]);
// As the calculator forms it: each product rounded to float, then the three added.
float produtoescalarcalc(const float a[3], const float b[3]);
float modulovet(const float a[3]);
// Angle between a and b in degrees; NaN when it is undefined (a vector of modulus 0).
double angulovet(const float a[3], const float b[3]);
// The angle as "%5.2f", or "indefinido" when it is NaN. Returns the length of the text.
size_t textoangulo(char *dest, size_t size, double graus);

// Unit-vector suffix of component k (0, 1, 2) in the given system, e.g. "a_theta".
const char *sufixovetor(int sistema, int k);
// The vector text: prefixoCabeca, then the components by "%5.2f" each followed by its suffix,
// the second and third preceded by " + " unless negative. Cut to fit dest; returns the length
// of what was written.
size_t textovetor(char *dest, size_t size, const char *prefixoCabeca, const float c[3], int sistema);

#endif
