// Which vector: the index of a vector in use, to edit or remove it.
#include "dialogs/dialogos.h"

#include "dialogs/campo.h"
#include "resource.h"
#include "state/estado.h"

#include <stdio.h>

INT_PTR CALLBACK DlgProcEntIdx(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (msg) {
    case WM_INITDIALOG:
        SetDlgItemInt(hDlg, IDC_NVT, 0, FALSE);
        SendDlgItemMessageA(hDlg, IDC_NVT, EM_LIMITTEXT, 2, 0);
        focacampo(hDlg, IDC_NVT);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            BOOL lido = FALSE;
            const UINT n = GetDlgItemInt(hDlg, IDC_NVT, &lido, FALSE);
            if (!lido || n >= UINT(numpt)) {
                char texto[48];
                snprintf(texto, sizeof texto, "Número do Vetor é de 0 a %d!", numpt - 1);
                MessageBoxA(hDlg, texto, szNomeAplic, MB_OK | MB_ICONEXCLAMATION);
                return TRUE;
            }
            EndDialog(hDlg, INT_PTR(n) + 1);
            return TRUE;
        }
        case IDCANCEL: EndDialog(hDlg, 0); return TRUE;
        }
        break;
    }
    return FALSE;
}
