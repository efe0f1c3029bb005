// The coordinate system and the angle unit on their own. Nothing stored is converted: the
// numbers are read in the new system from now on.
#include "dialogs/dialogos.h"

#include "resource.h"
#include "state/estado.h"
#include "state/vetorial.h"

INT_PTR CALLBACK DlgProcCoord(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (msg) {
    case WM_INITDIALOG:
        CheckRadioButton(hDlg, IDC_CART, IDC_ESF, Scoord);
        CheckRadioButton(hDlg, IDC_GRAUS, IDC_RAD, Medgrau);
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        switch (id) {
        case IDC_CART:
        case IDC_CIL:
        case IDC_ESF:
            Scoord = id;
            CheckRadioButton(hDlg, IDC_CART, IDC_ESF, id);
            return TRUE;
        case IDC_GRAUS:
        case IDC_RAD:
            Medgrau = id;
            CheckRadioButton(hDlg, IDC_GRAUS, IDC_RAD, id);
            return TRUE;
        case IDOK:
            // The region's limits are now read as limits of the new system.
            verificaregiao(hDlg);
            EndDialog(hDlg, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(hDlg, 0);
            return TRUE;
        }
        break;
    }
    }
    return FALSE;
}
