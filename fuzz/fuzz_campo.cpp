// The number reader of the entry fields against its rule, text by text. The rule is stated here
// on its own, from the C library's strtod, not from the reader's code: what atof reads of the
// text, stored as a float, except that only a decimal number counts and no infinity is stored.
// Any text on which the two differ, by as much as the sign of a zero, is a finding. No window
// and no toolkit: the reader is a plain function.
#include "dialogs/campo.h"

#include <ctype.h>
#include <float.h>
#include <locale.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

namespace {

// What the bad-input table promises for a text.
float regra(const char *texto) {
    char *fim;
    double d = strtod(texto, &fim);
    if (fim == texto) return 0.0f;  // no number at all ("", "abc", "-", ".")
    // strtod also reads infinities, NaNs and hexadecimal numbers, which are not decimal numbers:
    // the text then holds no number ("inf", "nan") or only the zero before the x ("-0x1p3").
    const char *p = texto;
    while (isspace(static_cast<unsigned char>(*p))) p++;  // in the C locale
    bool negativo = *p == '-';
    if (*p == '+' || *p == '-') p++;
    if (!isdigit(static_cast<unsigned char>(*p)) && *p != '.') return 0.0f;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && fim > p + 1) return negativo ? -0.0f : 0.0f;
    // Beyond the float range, the largest float of its sign; below it, the float it rounds to
    // (0 for "1e-50").
    if (d > FLT_MAX) return FLT_MAX;
    if (d < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(d);
}

void mostra(const std::string &texto, float lido, float esperado) {
    fprintf(stderr, "text \"");
    for (unsigned char c : texto) fprintf(stderr, c >= 32 && c < 127 && c != '"' && c != '\\' ? "%c" : "\\x%02x", c);
    fprintf(stderr, "\" read as %.9g, the rule gives %.9g\n", double(lido), double(esperado));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    // atof, and so the rule, reads in the C locale, as a Windows program's runtime does.
    setlocale(LC_ALL, "C");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // A field's text ends at its first NUL, as the C string the reader is given does.
    const std::string texto(reinterpret_cast<const char *>(data), strnlen(reinterpret_cast<const char *>(data), size));
    float lido = textoparafloat(texto.c_str());
    float esperado = regra(texto.c_str());
    if (memcmp(&lido, &esperado, sizeof lido) != 0 || !isfinite(lido)) {
        mostra(texto, lido, esperado);
        abort();
    }
    return 0;
}
