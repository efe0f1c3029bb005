// The region limits: lower and upper, coordinate by coordinate.
#include "dialogs/dialogos.h"

#include "dialogs/campo.h"
#include "resource.h"
#include "state/estado.h"
#include "state/vetorial.h"

INT_PTR CALLBACK DlgProcEntLim(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (msg) {
    case WM_INITDIALOG:
        // Field IDC_LIM1 + n holds limit n in the order of reg: lower, upper, next coordinate.
        for (int n = 0; n < 6; n++) mostracampo(hDlg, IDC_LIM1 + n, reg[n / 2][n % 2]);
        focacampo(hDlg, IDC_LIM1);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            for (int n = 0; n < 6; n++) reg[n / 2][n % 2] = lecampo(hDlg, IDC_LIM1 + n);
            verificaregiao(hDlg);
            EndDialog(hDlg, 1);
            return TRUE;
        case IDCANCEL: EndDialog(hDlg, 0); return TRUE;
        }
        break;
    }
    return FALSE;
}
