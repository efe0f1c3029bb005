// ajuda.h - the help text, the modeless help dialog and the about box.
#ifndef ORBIX_AJUDA_H
#define ORBIX_AJUDA_H

#include <windows.h>

// The help text in the five pieces it is assembled from, in order (4206 bytes together).
extern const char *const partesajuda[5];

// The help dialog "Ajuda": only its OK (the button or Enter) closes it; Esc and the close box
// leave it open, so the guide stays beside the window while the user works.
INT_PTR CALLBACK DlgProcAjuda(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Opens one more help dialog beside the main window and returns at once.
void abreajuda(HWND hjan);
// The about box, owned by the main window; returns when the user closes it.
void mostrasobre(HWND hjan);

#endif
