// One vector: its three entries, and the coordinate system and angle unit all vectors share.
#include "dialogs/dialogos.h"

#include "dialogs/campo.h"
#include "resource.h"
#include "state/estado.h"

#include <math.h>

INT_PTR CALLBACK DlgProcEntPt(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (msg) {
    case WM_INITDIALOG:
        // vet still holds the last vector confirmed, so a series of similar vectors is quick.
        for (int k = 0; k < 3; k++) mostracampo(hDlg, IDC_E1 + k, vet[k]);
        CheckRadioButton(hDlg, IDC_CART, IDC_ESF, Scoord);
        CheckRadioButton(hDlg, IDC_GRAUS, IDC_RAD, Medgrau);
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        switch (id) {
        case IDOK:
            for (int k = 0; k < 3; k++) vet[k] = lecampo(hDlg, IDC_E1 + k);
            // A radius is a length.
            if (Scoord != CARTESIANO) vet[0] = fabsf(vet[0]);
            EndDialog(hDlg, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(hDlg, 0);
            return TRUE;
        case IDC_CART:
        case IDC_CIL:
        case IDC_ESF:
            // The choice takes effect at once and is kept even if the dialog is cancelled.
            Scoord = id;
            CheckRadioButton(hDlg, IDC_CART, IDC_ESF, id);
            return TRUE;
        case IDC_GRAUS:
        case IDC_RAD:
            Medgrau = id;
            CheckRadioButton(hDlg, IDC_GRAUS, IDC_RAD, id);
            return TRUE;
        }
        break;
    }
    }
    return FALSE;
}
