// One vector: its three entries, and the coordinate system and angle unit all vectors share.
#include "dialogs/dialogos.h"

#include "dialogs/campo.h"
#include "resource.h"
#include "state/estado.h"

#include <math.h>

INT_PTR CALLBACK DlgProcEntPt(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        // vet still holds the last vector confirmed, so a series of similar vectors is quick. A
        // vector edited shows its own entries exactly, so OK on it unchanged changes nothing.
        for (int k = 0; k < 3; k++) {
            if (lParam)
                mostracampoexato(hDlg, IDC_E1 + k, reinterpret_cast<const float *>(lParam)[k]);
            else
                mostracampo(hDlg, IDC_E1 + k, vet[k]);
        }
        mostrasistema(hDlg);
        focacampo(hDlg, IDC_E1);
        return FALSE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        switch (id) {
        case IDOK:
            for (int k = 0; k < 3; k++) vet[k] = lecampo(hDlg, IDC_E1 + k);
            // A radius is a length.
            if (Scoord != CARTESIANO) vet[0] = fabsf(vet[0]);
            EndDialog(hDlg, 1);
            return TRUE;
        case IDCANCEL: EndDialog(hDlg, 0); return TRUE;
        }
        if (escolhesistema(hDlg, id)) return TRUE;
        break;
    }
    }
    return FALSE;
}
