// The number fields of the entry dialogs.
#include "dialogs/campo.h"

#include <charconv>
#include <float.h>
#include <stdio.h>
#include <string.h>
#include <system_error>
#include <vector>

namespace {

bool digito(char c) { return c >= '0' && c <= '9'; }

// The blanks atof skips, fixed here so that the reading does not depend on the locale.
bool branco(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

float textoparafloat(const char *texto) {
    const char *p = texto;
    while (branco(*p)) p++;
    bool negativo = false;
    if (*p == '+' || *p == '-') negativo = *p++ == '-';

    // The decimal number at p: digits with at most one point, at least one digit, then an
    // exponent only when it has digits of its own. Anything else ends the number, so "inf",
    // "nan" and "0x..." never reach the conversion, and a "0x" reads as its leading 0.
    // Beside it, the power of ten of its first significant digit, which tells an overflow from
    // an underflow when the conversion finds the value out of range.
    const char *inicio = p;
    int digitos = 0;
    long ordem = 0;
    bool significativo = false;
    while (digito(*p)) {
        significativo |= *p != '0';
        if (significativo) ordem++;
        p++, digitos++;
    }
    if (*p == '.') {
        p++;
        while (digito(*p)) {
            if (!significativo) {
                significativo = *p != '0';
                ordem--;
            }
            p++, digitos++;
        }
    }
    if (digitos == 0) return 0.0f;
    if (*p == 'e' || *p == 'E') {
        const char *q = p + 1;
        bool neg = false;
        if (*q == '+' || *q == '-') neg = *q++ == '-';
        if (digito(*q)) {
            long expoente = 0;
            for (; digito(*q); q++)
                if (expoente < 100000) expoente = expoente * 10 + (*q - '0');
            ordem += neg ? -expoente : expoente;
            p = q;
        }
    }

    // from_chars reads the same way whatever locale the process has (the host toolkit sets the
    // user's one, whose decimal comma would make atof read "1.5" as 1).
    double d = 0;
    auto [fim, erro] = std::from_chars(inicio, p, d, std::chars_format::general);
    (void)fim;
    if (erro == std::errc::result_out_of_range)
        d = ordem > 0 ? DBL_MAX : 0.0;
    else if (erro != std::errc())
        d = 0.0;
    if (d > FLT_MAX) d = FLT_MAX;
    float v = static_cast<float>(d);
    return negativo ? -v : v;
}

void mostracampo(HWND hDlg, int id, float v) {
    char teta[TAMCAMPO];
    snprintf(teta, sizeof teta, "%5.2f", v);
    SetDlgItemTextA(hDlg, id, teta);
    SendDlgItemMessageA(hDlg, id, EM_LIMITTEXT, LIMITECAMPO, 0);
}

void mostracampoexato(HWND hDlg, int id, float v) {
    char teta[TAMCAMPO];
    for (int digitos = 1; digitos <= 9; ++digitos) {  // nine digits tell every float apart
        snprintf(teta, sizeof teta, "%.*g", digitos, v);
        const float lido = textoparafloat(teta);
        if (memcmp(&lido, &v, sizeof v) == 0) break;
    }
    SetDlgItemTextA(hDlg, id, teta);
    SendDlgItemMessageA(hDlg, id, EM_LIMITTEXT, LIMITECAMPO, 0);
}

void focacampo(HWND hDlg, int id) {
    SetFocus(GetDlgItem(hDlg, id));
    SendDlgItemMessageA(hDlg, id, EM_SETSEL, 0, -1);
}

float lecampo(HWND hDlg, int id) {
    // A paste is not held to the typing limit: the buffer doubles until the whole text fits
    // (GetDlgItemTextA fills it to the last byte only when the text may go on).
    std::vector<char> teta(TAMCAMPO);
    while (GetDlgItemTextA(hDlg, id, teta.data(), int(teta.size())) + 1 >= teta.size()) teta.resize(2 * teta.size());
    return textoparafloat(teta.data());
}
