// The number of vectors to enter.
#include "dialogs/dialogos.h"

#include "dialogs/campo.h"
#include "resource.h"
#include "state/estado.h"

#include <stdio.h>

INT_PTR CALLBACK DlgProcEntNPt(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (msg) {
    case WM_INITDIALOG:
        SetDlgItemInt(hDlg, IDC_NPT, numpt, FALSE);
        // Two digits: anything above the table's size is brought back to it on OK anyway.
        SendDlgItemMessageA(hDlg, IDC_NPT, EM_LIMITTEXT, 2, 0);
        focacampo(hDlg, IDC_NPT);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            // Compared unsigned: a pasted number can be far beyond two digits, even beyond int.
            UINT n = GetDlgItemInt(hDlg, IDC_NPT, NULL, FALSE);
            numpt = n > MAXVETORES ? MAXVETORES : (int)n;
            if (n > MAXVETORES) {
                char tempst[40];
                snprintf(tempst, sizeof tempst, "Número Máximo de Pontos é %d!", MAXVETORES);
                MessageBoxA(hDlg, tempst, szNomeAplic, MB_OK | MB_ICONEXCLAMATION);
            }
            EndDialog(hDlg, 1);
            return TRUE;
        }
        case IDCANCEL:
            numpt = 0;
            EndDialog(hDlg, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
