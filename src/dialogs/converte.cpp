// The coordinate-system dialog as "Converter Vetores..." uses it: the buttons only mark a choice,
// which OK hands back; nothing of the work changes here, so Cancel leaves it all as it was.
#include "dialogs/dialogos.h"

#include "resource.h"

namespace {

Sistema *escolha = nullptr;
Sistema marcado;

void marca(HWND hDlg) {
    CheckRadioButton(hDlg, IDC_CART, IDC_ESF, marcado.sistema);
    CheckRadioButton(hDlg, IDC_GRAUS, IDC_RAD, marcado.unidade);
}

}  // namespace

INT_PTR CALLBACK DlgProcConverte(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        escolha = reinterpret_cast<Sistema *>(lParam);
        marcado = *escolha;
        marca(hDlg);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDOK || id == IDCANCEL) {
            if (id == IDOK) *escolha = marcado;
            EndDialog(hDlg, id == IDOK);
            return TRUE;
        }
        if (id >= IDC_CART && id <= IDC_ESF)
            marcado.sistema = id;
        else if (id == IDC_GRAUS || id == IDC_RAD)
            marcado.unidade = id;
        else
            break;
        marca(hDlg);
        return TRUE;
    }
    }
    return FALSE;
}
