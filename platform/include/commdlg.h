// commdlg.h - the COMDLG32 subset this layer implements: exactly what the program calls.
// Implements: GetSaveFileNameA and GetOpenFileNameA with OPENFILENAMEA (filters and the chosen
// filter, the proposed path, the default extension, OFN_OVERWRITEPROMPT, OFN_FILEMUSTEXIST;
// OFN_HIDEREADONLY and OFN_PATHMUSTEXIST are what the dialogs do anyway), and CommDlgExtendedError
// (0 after a cancel, FNERR_BUFFERTOOSMALL for a path longer than nMaxFile allows,
// FNERR_INVALIDFILENAME for a name Windows-1252 cannot write, CDERR_STRUCTSIZE), and PrintDlgA
// with PRINTDLGA (PD_RETURNDC, PD_NOSELECTION, PD_NOPAGENUMS): Qt's print dialog, whose printers
// are those of CUPS and which always offers printing to a PDF file; hDevMode and hDevNames stay
// null.
// The dialog is the desktop's own where the platform offers one (the XDG portal, GTK, KDE), Qt's
// own elsewhere, in the user's language either way.
// Differences from Win32: hooks, custom templates, lpstrTitle and lpstrInitialDir are not read, nFileOffset and nFileExtension
// not written; one file at a time (no
// OFN_ALLOWMULTISELECT); the platform's dialog decides for itself whether to ask before replacing (the XDG portal has no way to be told not
// to).
#ifndef ORBIX_COMMDLG_H
#define ORBIX_COMMDLG_H

#include "windef.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef UINT_PTR(CALLBACK *LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagOFNA {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
    void *pvReserved;
    DWORD dwReserved;
    DWORD FlagsEx;
} OPENFILENAMEA, *LPOPENFILENAMEA;

#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000

#define FNERR_INVALIDFILENAME 0x3002
#define FNERR_BUFFERTOOSMALL 0x3003

#define CDERR_STRUCTSIZE 0x0001
#define PDERR_NODEFAULTPRN 0x1008  // a system with no printer; never given by this layer

typedef UINT_PTR(CALLBACK *LPPRINTHOOKPROC)(HWND, UINT, WPARAM, LPARAM);
typedef UINT_PTR(CALLBACK *LPSETUPHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagPDA {
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode;
    HGLOBAL hDevNames;
    HDC hDC;
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
    HINSTANCE hInstance;
    LPARAM lCustData;
    LPPRINTHOOKPROC lpfnPrintHook;
    LPSETUPHOOKPROC lpfnSetupHook;
    LPCSTR lpPrintTemplateName;
    LPCSTR lpSetupTemplateName;
    HGLOBAL hPrintTemplate;
    HGLOBAL hSetupTemplate;
} PRINTDLGA, *LPPRINTDLGA;

#define PD_NOSELECTION 0x00000004
#define PD_NOPAGENUMS 0x00000008
#define PD_RETURNDC 0x00000100

BOOL WINAPI PrintDlgA(LPPRINTDLGA pPD);
BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA lpofn);
BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA lpofn);
DWORD WINAPI CommDlgExtendedError(void);

#ifdef __cplusplus
}
#endif

#endif
