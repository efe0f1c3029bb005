// The radio buttons of the coordinate system and the angle unit, which the vector dialog and the
// coordinate-system dialog share.
#include "dialogs/dialogos.h"

#include "resource.h"
#include "state/estado.h"

void mostrasistema(HWND hDlg) {
    CheckRadioButton(hDlg, IDC_CART, IDC_ESF, Scoord);
    CheckRadioButton(hDlg, IDC_GRAUS, IDC_RAD, Medgrau);
}

bool escolhesistema(HWND hDlg, int id) {
    if (id >= IDC_CART && id <= IDC_ESF) {
        Scoord = id;  // at once, and kept even if the dialog is cancelled
        CheckRadioButton(hDlg, IDC_CART, IDC_ESF, id);
        return true;
    }
    if (id == IDC_GRAUS || id == IDC_RAD) {
        Medgrau = id;
        CheckRadioButton(hDlg, IDC_GRAUS, IDC_RAD, id);
        return true;
    }
    return false;
}
