// campo.h - the number fields of the entry dialogs: a stored float shown with "%5.2f", and the
// typed text read back as a float.
#ifndef ORBIX_CAMPO_H
#define ORBIX_CAMPO_H

#include <windows.h>

#include <stddef.h>

// Characters a person can type into an entry field.
constexpr int LIMITECAMPO = 10;

// Room for the longest "%5.2f" text of any float ("-340282346638528859811704183484516925440.00",
// 43 characters) with its terminator, so no stored value is cut when it is shown.
constexpr size_t TAMCAMPO = 48;

// The text as atof reads it (leading blanks skipped, the longest leading decimal number taken,
// the rest ignored), stored as a float: a text that does not start with a decimal number
// ("", "abc", "inf", "nan", the hexadecimal "0x1p3") reads 0, and a number beyond the float
// range reads as the largest float of its sign. Never an infinity or a NaN.
float textoparafloat(const char *texto);

// Shows v in field id with "%5.2f" and limits typing there to LIMITECAMPO characters.
void mostracampo(HWND hDlg, int id, float v);
// Shows v in field id in the shortest form that lecampo reads back to the same float.
void mostracampoexato(HWND hDlg, int id, float v);
// Gives field id the keyboard with its text selected, so typing replaces it; for WM_INITDIALOG,
// which then returns FALSE.
void focacampo(HWND hDlg, int id);
// Reads field id whole with textoparafloat, however long a paste made it.
float lecampo(HWND hDlg, int id);

#endif
